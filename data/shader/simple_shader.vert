#version 330

// Lit, textured level geometry (without shadows).
uniform mat4 perspective;
uniform mat4 view;
uniform mat4 model;

in vec3 vertex;
in vec3 normal;
in vec2 texCoord;

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 surfaceCoord;
out vec3 eyePosition;

void main() {
    vec4 world = model * vec4(vertex, 1.0);
    worldPosition = world.xyz;
    // Normals are summed per vertex and the model may scale: renormalise per fragment.
    worldNormal = mat3(transpose(inverse(model))) * normal;
    surfaceCoord = texCoord;
    eyePosition = inverse(view)[3].xyz;
    gl_Position = perspective * view * world;
}
