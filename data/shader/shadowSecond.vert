#version 330

// Lit, textured level geometry, and where it lies in each of the six shadow maps.
uniform mat4 perspective;
uniform mat4 view;
uniform mat4 tm_0;
uniform mat4 tm_1;
uniform mat4 tm_2;
uniform mat4 tm_3;
uniform mat4 tm_4;
uniform mat4 tm_5;

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
    // The inverse transpose of the model's rotation and scale, up to a positive factor,
    // which the renormalising drops: its cofactors, signed by its determinant.
    mat3 m = mat3(model);
    mat3 cofactors = mat3(cross(m[1], m[2]), cross(m[2], m[0]), cross(m[0], m[1]));
    worldNormal = sign(dot(m[0], cofactors[0])) * (cofactors * normal);
    surfaceCoord = texCoord;
    ka = ambient;
    kd = diffuse;
    ks = specular;
    gl_Position = perspective * view * world;

    // Map positions are linear in the world position, so they interpolate exactly.
    mapPoint0 = tm_0 * world;
    mapPoint1 = tm_1 * world;
    mapPoint2 = tm_2 * world;
    mapPoint3 = tm_3 * world;
    mapPoint4 = tm_4 * world;
    mapPoint5 = tm_5 * world;
}
