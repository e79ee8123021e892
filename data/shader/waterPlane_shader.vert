#version 330

// Surface particles arrive in world space, with a random number in w. Where each lies
// on the pool (the emitter's own square) is worked out here; the geometry shader lays
// out the patch around it.
uniform mat4 model;

in vec4 vertex;

out float seed;
out vec2 poolCentre;

void main() {
    seed = vertex.w;
    poolCentre = (inverse(model) * vec4(vertex.xyz, 1.0)).xz;
    gl_Position = vec4(vertex.xyz, 1.0);
}
