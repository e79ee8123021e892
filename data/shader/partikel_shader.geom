#version 330

// Each particle becomes a camera-facing square that shrinks as it burns out. Sparks
// left drifting right in front of the camera are kept small, so they do not blot out
// the view as the flame runs past them: closer than fullSizeFrom, a spark shrinks with
// its distance. The renderer keeps that well short of the flame itself, so a camera
// that came in close (in front of a wall) still sees the whole flame.
layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

uniform mat4 perspective;
uniform mat4 view;
uniform float fullSizeFrom;

in float particleLife[];

out vec2 spriteCoord;
out float life;

void main() {
    float remaining = clamp(particleLife[0], 0.0, 2.0);
    vec4 centre = view * vec4(gl_in[0].gl_Position.xyz, 1.0);
    float nearCamera = clamp(-centre.z / max(fullSizeFrom, 0.01), 0.1, 1.0);
    float size = (0.12 + 0.38 * smoothstep(0.15, 1.3, remaining)) * nearCamera;
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
