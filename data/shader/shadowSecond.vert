#version 330

// Lit, textured level geometry, and where it lies in each of the six shadow maps.
uniform mat4 perspective;
uniform mat4 view;
uniform mat4 model;
uniform mat4 tm_0;
uniform mat4 tm_1;
uniform mat4 tm_2;
uniform mat4 tm_3;
uniform mat4 tm_4;
uniform mat4 tm_5;

in vec3 vertex;
in vec3 normal;
in vec2 texCoord;

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 surfaceCoord;
out vec4 mapPoint0;
out vec4 mapPoint1;
out vec4 mapPoint2;
out vec4 mapPoint3;
out vec4 mapPoint4;
out vec4 mapPoint5;

void main() {
    vec4 world = model * vec4(vertex, 1.0);
    worldPosition = world.xyz;
    // Normals are summed per vertex and the model may scale: renormalise per fragment.
    worldNormal = mat3(transpose(inverse(model))) * normal;
    surfaceCoord = texCoord;
    gl_Position = perspective * view * world;

    // Map positions are linear in the world position, so they interpolate exactly.
    mapPoint0 = tm_0 * world;
    mapPoint1 = tm_1 * world;
    mapPoint2 = tm_2 * world;
    mapPoint3 = tm_3 * world;
    mapPoint4 = tm_4 * world;
    mapPoint5 = tm_5 * world;
}
