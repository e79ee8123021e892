#version 330

// Flame particles arrive in world space with their remaining life in w.
in vec4 vertex;

out float particleLife;

void main() {
    particleLife = vertex.w;
    gl_Position = vec4(vertex.xyz, 1.0);
}
