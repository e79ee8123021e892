#version 330

// Light-blue, see-through droplets. They keep a faint cool glow of their own, so the
// spray shows in the dark hall, and pick up the flame's orange light when it is near.
uniform sampler2D ctexture;
uniform vec4 light_position;
uniform vec4 light_color;
uniform vec4 ambient_color;

in vec2 spriteCoord;
in vec3 worldPosition;
in float sparkle;

out vec4 fragColor;

// The flame burns above the light's origin, as in the lit pass.
const vec3 flameCentre = vec3(0.0, 1.5, 0.0);

void main() {
    vec4 drop = texture(ctexture, spriteCoord);
    float distance = length(light_position.xyz + flameCentre - worldPosition);
    float falloff = 1.0 / (1.0 + 0.01 * distance + 0.004 * distance * distance);
    vec3 glow = vec3(0.32, 0.55, 0.85) + 1.5 * ambient_color.rgb;
    vec3 color = drop.rgb * glow + light_color.rgb * falloff * (0.12 + 0.3 * sparkle);
    float alpha = drop.a * 0.65;
    if (alpha < 0.02) {
        discard;
    }
    fragColor = vec4(color, alpha);
}
