#version 330

// Lit, textured level geometry (without shadows).
uniform mat4 perspective;
uniform mat4 view;

// Per vertex, from the mesh; per instance, where the object stands and its colours
// (one instanced draw places many objects).
layout(location = 0) in vec3 vertex;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texCoord;
layout(location = 3) in mat4 model;
layout(location = 7) in vec4 ambient;
layout(location = 8) in vec4 diffuse;
layout(location = 9) in vec4 specular;

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 surfaceCoord;
flat out vec4 ka;
flat out vec4 kd;
flat out vec4 ks;
out vec3 eyePosition;

void main() {
    vec4 world = model * vec4(vertex, 1.0);
    worldPosition = world.xyz;
    // Normals are summed per vertex and the model may scale: renormalise per fragment.
    worldNormal = mat3(transpose(inverse(model))) * normal;
    surfaceCoord = texCoord;
    ka = ambient;
    kd = diffuse;
    ks = specular;
    eyePosition = inverse(view)[3].xyz;
    gl_Position = perspective * view * world;
}
