#version 330

// Depth only: the shadow casters seen from the flame through one face of the cube
// of six maps.
uniform mat4 perspective;
uniform mat4 view;
uniform mat4 model;

in vec3 vertex;

void main() {
    gl_Position = perspective * view * model * vec4(vertex, 1.0);
}
