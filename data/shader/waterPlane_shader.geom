#version 330

// The particles spread out from the pool's centre; each one is laid flat on the pool
// as a soft, turned patch of ripples. Many of them overlap into one surface, and since
// they drift apart the ripples keep sliding over each other.
//
// The pool is the emitter's local XZ square from -1 to 1 through its origin, so the
// level's scale sets its size. Patches grow as they drift out, which keeps the thinner
// rim covered.
layout(points) in;
layout(triangle_strip, max_vertices = 8) out;

uniform mat4 perspective;
uniform mat4 view;
uniform mat4 model;

in float seed[];
in vec2 poolCentre[];

out vec2 patchCoord;
out vec2 rippleCoord;
out vec2 poolCoord;
out vec3 worldPosition;
out vec3 eyePosition;

void main() {
    vec2 centre = poolCentre[0];
    float reach = length(centre);
    if (reach > 1.4) {
        return;
    }
    float random = fract(seed[0] * 0.000030518);
    float angle = 6.2831853 * fract(seed[0] * 0.0071);
    mat2 turn = mat2(cos(angle), sin(angle), -sin(angle), cos(angle));
    float size = 0.09 + 0.07 * random + 0.12 * reach;
    mat4 toClip = perspective * view * model;
    // The eye: the view's translation taken back through its rotation.
    vec3 eye = -transpose(mat3(view)) * view[3].xyz;
    // A patch is round: an octagon just around its circle leaves out the corners a
    // square would rasterise only for the fragment shader to discard. Zigzag order
    // that faces up, so culling keeps the patches seen from above.
    const float r = 1.0823922; // 1 / cos(22.5 degrees)
    const float a = 0.9238795 * r, b = 0.3826834 * r;
    const vec2 corners[8] = vec2[](vec2(a, b), vec2(a, -b), vec2(b, a), vec2(b, -a),
                                   vec2(-b, a), vec2(-b, -a), vec2(-a, b), vec2(-a, -b));
    for (int i = 0; i < 8; ++i) {
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
