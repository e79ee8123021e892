#version 330

// Surface particles arrive in world space, with a random number in w.
in vec4 vertex;

out float seed;

void main() {
    seed = vertex.w;
    gl_Position = vec4(vertex.xyz, 1.0);
}
