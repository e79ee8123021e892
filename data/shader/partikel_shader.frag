#version 330

// Young particles burn white-yellow at the core of the flame, older ones cool to
// orange and deep red and fade out at the tip.
uniform sampler2D ctexture;

in vec2 spriteCoord;
in float life;

out vec4 fragColor;

void main() {
    vec4 glow = texture(ctexture, spriteCoord);
    float heat = clamp(life / 1.6, 0.0, 1.0);
    vec3 hot = vec3(1.0, 0.95, 0.7);
    vec3 warm = vec3(1.0, 0.55, 0.12);
    vec3 cool = vec3(0.75, 0.12, 0.02);
    vec3 color = heat > 0.5 ? mix(warm, hot, (heat - 0.5) * 2.0) : mix(cool, warm, heat * 2.0);
    float alpha = glow.a * smoothstep(0.05, 0.5, life) * 0.6;
    if (alpha < 0.01) {
        discard;
    }
    fragColor = vec4(color * glow.rgb, alpha);
}
