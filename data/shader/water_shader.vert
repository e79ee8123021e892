#version 330

// Spray droplets arrive in world space, with a random number in w that gives each
// one its own size and sparkle.
in vec4 vertex;

out float seed;

void main() {
    seed = vertex.w;
    gl_Position = vec4(vertex.xyz, 1.0);
}
