#version 330
out vec4 fragColor;
void main() { fragColor = this is not glsl; }
