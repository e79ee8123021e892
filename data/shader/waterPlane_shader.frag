#version 330

// Deep blue ripples with the flame's light glinting on them. A patch alone is faint
// and round; overlapping they make the surface, which ends cleanly at the pool's edge.
uniform sampler2D ctexture;
uniform vec4 light_position;
uniform vec4 light_color;
uniform vec4 ambient_color;

in vec2 patchCoord;
in vec2 rippleCoord;
in vec2 poolCoord;
in vec3 worldPosition;
in vec3 eyePosition;

out vec4 fragColor;

const vec3 flameCentre = vec3(0.0, 1.5, 0.0);

void main() {
    vec2 edge = abs(poolCoord);
    float soft = 1.0 - smoothstep(0.45, 1.0, length(patchCoord));
    if (max(edge.x, edge.y) > 1.0 || soft <= 0.0) {
        discard;
    }
    vec4 ripples = texture(ctexture, rippleCoord);
    vec3 toLight = light_position.xyz + flameCentre - worldPosition;
    float distance = length(toLight);
    float falloff = 1.0 / (1.0 + 0.01 * distance + 0.003 * distance * distance);
    vec3 halfway = normalize(normalize(toLight) + normalize(eyePosition - worldPosition));
    float glint = pow(max(halfway.y, 0.0), 24.0) * (0.4 + 0.6 * ripples.g);
    vec3 base = ripples.rgb * (vec3(0.35, 0.45, 0.6) + 2.0 * ambient_color.rgb);
    vec3 color = base + light_color.rgb * falloff * (0.45 * ripples.rgb + 1.2 * glint);
    float rim = 1.0 - smoothstep(0.96, 1.0, max(edge.x, edge.y));
    float alpha = 0.4 * soft * rim;
    if (alpha < 0.01) {
        discard;
    }
    fragColor = vec4(color, alpha);
}
