#version 330
in vec4 vertex;
void main() { gl_Position = vertex; }
