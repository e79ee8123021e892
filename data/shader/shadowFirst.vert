#version 330

// Depth only: the shadow casters seen from the flame through one face of the cube
// of six maps.
uniform mat4 perspective;
uniform mat4 view;

// Per vertex, from the mesh; the model matrix per instance.
layout(location = 0) in vec3 vertex;
layout(location = 3) in mat4 model;

void main() {
    gl_Position = perspective * view * model * vec4(vertex, 1.0);
}
