#version 330

// Each droplet becomes a small camera-facing square. Droplets vary in size, and a
// scaled emitter sprays bigger ones. Droplets right in front of the camera are kept
// small, so a jet the flame walks through does not blot out the view.
layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

uniform mat4 perspective;
uniform mat4 view;
uniform mat4 model;

in float seed[];

out vec2 spriteCoord;
out vec3 worldPosition;
out float sparkle;

void main() {
    float random = fract(seed[0] * 0.000030518);
    float emitterScale = (length(model[0].xyz) + length(model[1].xyz) + length(model[2].xyz)) / 3.0;
    vec4 centre = view * vec4(gl_in[0].gl_Position.xyz, 1.0);
    float nearCamera = clamp(-centre.z / 6.0, 0.15, 1.0);
    float size = (0.07 + 0.13 * random) * emitterScale * nearCamera;
    const vec2 corners[4] = vec2[](vec2(-1.0, -1.0), vec2(1.0, -1.0), vec2(-1.0, 1.0),
                                   vec2(1.0, 1.0));
    for (int i = 0; i < 4; ++i) {
        spriteCoord = corners[i] * 0.5 + 0.5;
        worldPosition = gl_in[0].gl_Position.xyz;
        sparkle = fract(seed[0] * 0.0137);
        gl_Position = perspective * (centre + vec4(corners[i] * size, 0.0, 0.0));
        EmitVertex();
    }
    EndPrimitive();
}
