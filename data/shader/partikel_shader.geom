#version 330

// Each particle becomes a camera-facing square that shrinks as it burns out.
layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

uniform mat4 perspective;
uniform mat4 view;

in float particleLife[];

out vec2 spriteCoord;
out float life;

void main() {
    float remaining = clamp(particleLife[0], 0.0, 2.0);
    float size = 0.18 + 0.32 * smoothstep(0.0, 1.2, remaining);
    vec4 centre = view * vec4(gl_in[0].gl_Position.xyz, 1.0);
    const vec2 corners[4] = vec2[](vec2(-1.0, -1.0), vec2(1.0, -1.0), vec2(-1.0, 1.0),
                                   vec2(1.0, 1.0));
    for (int i = 0; i < 4; ++i) {
        spriteCoord = corners[i] * 0.5 + 0.5;
        life = remaining;
        gl_Position = perspective * (centre + vec4(corners[i] * size, 0.0, 0.0));
        EmitVertex();
    }
    EndPrimitive();
}
