#version 330

// The particles spread out from the pool's centre; each one is laid flat on the pool
// as a soft, turned patch of ripples. Many of them overlap into one surface, and since
// they drift apart the ripples keep sliding over each other.
//
// The pool is the emitter's local XZ square from -1 to 1 through its origin, so the
// level's scale sets its size. Patches grow as they drift out, which keeps the thinner
// rim covered.
layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

uniform mat4 perspective;
uniform mat4 view;
uniform mat4 model;

in float seed[];

out vec2 patchCoord;
out vec2 rippleCoord;
out vec2 poolCoord;
out vec3 worldPosition;
out vec3 eyePosition;

void main() {
    vec3 local = (inverse(model) * vec4(gl_in[0].gl_Position.xyz, 1.0)).xyz;
    vec2 centre = local.xz;
    float reach = length(centre);
    if (reach > 1.4) {
        return;
    }
    float random = fract(seed[0] * 0.000030518);
    float angle = 6.2831853 * fract(seed[0] * 0.0071);
    mat2 turn = mat2(cos(angle), sin(angle), -sin(angle), cos(angle));
    float size = 0.09 + 0.07 * random + 0.12 * reach;
    mat4 toClip = perspective * view * model;
    vec3 eye = inverse(view)[3].xyz;
    // Corner order that faces up, so culling keeps the patches seen from above.
    const vec2 corners[4] = vec2[](vec2(-1.0, 1.0), vec2(1.0, 1.0), vec2(-1.0, -1.0),
                                   vec2(1.0, -1.0));
    for (int i = 0; i < 4; ++i) {
        vec2 offset = corners[i] * size;
        vec2 onPool = centre + offset;
        patchCoord = corners[i];
        // The ripples move at half the particle's pace, each patch turned its own way.
        rippleCoord = turn * (offset * 0.8) + centre * 0.5 + vec2(random, fract(random * 7.0));
        poolCoord = onPool;
        vec4 world = model * vec4(onPool.x, 0.0, onPool.y, 1.0);
        worldPosition = world.xyz;
        eyePosition = eye;
        gl_Position = toClip * vec4(onPool.x, 0.0, onPool.y, 1.0);
        EmitVertex();
    }
    EndPrimitive();
}
