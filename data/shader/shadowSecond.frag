#version 330
// Where the driver has it, one gather fetches the four texels a filtered lookup would
// blend, at the price of one lookup; without it, four fetches of the same texels give
// the same light (the GL_ARB_texture_gather macro tells which).
#extension GL_ARB_texture_gather : enable

// The flame's warm point light with distance falloff, ambient and specular terms,
// shadowed in every direction by six depth maps, one per axis direction.
//
// The maps are read from shadowMaps, the array the depth pass copies them into
// (layer i holds map i, the map on unit 1 + i): a per-fragment choice among six
// separate samplers would cost six lookups, since software GL runs every branch.
//
// The maps are taken from the character's body; the light shines from the flame
// above it. The maps keep the far sides of the casters, so a surface the body cannot
// see, such as the top of a crate between the two heights, meets its own depth there
// and stays lit: the two points disagree only about how long a shadow is.
uniform sampler2D ctexture;
uniform sampler2DArray shadowMaps;
uniform mat4 view;
uniform vec4 light_position;
uniform vec4 light_color;
uniform vec4 ambient_color;
uniform vec4 spec_color;
// The maps' texture matrices, face by face (as the vertex stage has them).
uniform mat4 tm_0;
uniform mat4 tm_1;
uniform mat4 tm_2;
uniform mat4 tm_3;
uniform mat4 tm_4;
uniform mat4 tm_5;

in vec3 worldPosition;
in vec3 worldNormal;
in vec2 surfaceCoord;
flat in vec4 ka;
flat in vec4 kd;
flat in vec4 ks;
in vec4 mapPoint0;
in vec4 mapPoint1;
in vec4 mapPoint2;
in vec4 mapPoint3;
in vec4 mapPoint4;
in vec4 mapPoint5;

out vec4 fragColor;

// The light sits on the character's origin; the flame it stands for burns above it.
const vec3 flameCentre = vec3(0.0, 1.5, 0.0);
const float flameStrength = 1.6;
// The dark is never pitch black: the ambient colour is lifted a little.
const float ambientLift = 2.5;

// The maps: 512 texels square, near and far plane of their projection.
const int mapSize = 512;
const float lightNear = 0.1;
const float lightFar = 1000.0;
// The angle one texel spans at the middle of a map (91 degrees over 512 texels), and
// how many of them a point is looked up off its surface.
const float texelAngle = 2.0 * 1.0176 / float(mapSize);
const float offsetTexels = 1.5;

// 1 - depth, as a map stores it, of a point at the given distance along the face
// direction. Close to 1 a float depth has few bits left; its distance from 1 keeps them.
float depthComplement(float distance) {
    return lightNear * (lightFar / distance - 1.0) / (lightFar - lightNear);
}

// Share of the light that passes the map of a face: percentage-closer filtering of
// the 2 x 2 texels whose shared corner is at, weighted by where the lookup falls
// between them. The edge of a shadow becomes a ramp one texel wide instead of a
// staircase.
float lightThrough(int face, vec2 at, vec2 weight, float reference) {
    // The four texels around the corner at: x (0, 1), y (1, 1), z (1, 0), w (0, 0).
#ifdef GL_ARB_texture_gather
    vec4 stored = textureGather(shadowMaps, vec3(at, float(face)));
#else
    ivec3 c = ivec3(ivec2(at * float(mapSize)), face);
    vec4 stored = vec4(texelFetch(shadowMaps, c + ivec3(-1, 0, 0), 0).r,
                       texelFetch(shadowMaps, c, 0).r,
                       texelFetch(shadowMaps, c + ivec3(0, -1, 0), 0).r,
                       texelFetch(shadowMaps, c + ivec3(-1, -1, 0), 0).r);
#endif
    vec4 lit = step(vec4(1.0) - stored, vec4(reference));
    return mix(mix(lit.w, lit.z, weight.x), mix(lit.x, lit.y, weight.x), weight.y);
}

// How much of the flame's light reaches the surface with normal n.
float shadowLight(vec3 n) {
    // The point lies in the face whose direction it is furthest along, and a map's w
    // is exactly that distance. Within its own face a point stays over four texels
    // away from the edge of the map (the maps overlap by a degree), so the filter
    // never reads across a seam.
    int face = 0;
    vec4 coord = mapPoint0;
    mat4 toMap = tm_0;
    if (mapPoint1.w > coord.w) { face = 1; coord = mapPoint1; toMap = tm_1; }
    if (mapPoint2.w > coord.w) { face = 2; coord = mapPoint2; toMap = tm_2; }
    if (mapPoint3.w > coord.w) { face = 3; coord = mapPoint3; toMap = tm_3; }
    if (mapPoint4.w > coord.w) { face = 4; coord = mapPoint4; toMap = tm_4; }
    if (mapPoint5.w > coord.w) { face = 5; coord = mapPoint5; toMap = tm_5; }
    if (coord.w <= lightNear) {
        return 1.0; // at the light itself
    }

    // The point is looked up a little off its surface, on the side the maps are taken
    // from, by about a texel and a half at its distance: the texels around it then all
    // pass on the same side of the surface's own far side (or, for a surface facing
    // away from the body, of itself). That keeps a lit surface clear of its own depth
    // at any slope, where the depth pass used to push every caster back by its slope:
    // the far side of the thin floor under a wall then reached out past the wall's
    // foot, and lit the floor along the foot of a wall in its own shadow.
    float side = dot(n, light_position.xyz - worldPosition) < 0.0 ? -1.0 : 1.0;
    vec3 offset = side * n * (0.005 + offsetTexels * texelAngle * coord.w);
    coord += toMap * vec4(offset, 0.0);

    vec2 texel = coord.xy / coord.w * float(mapSize) - 0.5;
    vec2 corner = floor(texel);
    vec2 at = clamp(corner + 1.0, 1.0, float(mapSize - 1)) / float(mapSize);
    vec2 weight = texel - corner;
    // What lies closer to the light than this casts the shadow, but for the rounding
    // of the stored depth, which grows with the square of the distance.
    float reference = depthComplement(coord.w - (0.002 + 2e-6 * coord.w * coord.w));

    return lightThrough(face, at, weight, reference);
}

void main() {
    vec3 n = normalize(worldNormal);
    vec3 toLight = light_position.xyz + flameCentre - worldPosition;
    float distance = length(toLight);
    vec3 l = toLight / max(distance, 1e-4);
    // The eye: the view's translation taken back through its rotation.
    vec3 eye = -transpose(mat3(view)) * view[3].xyz;
    vec3 v = normalize(eye - worldPosition);
    float falloff = 1.0 / (1.0 + 0.002 * distance + 0.0008 * distance * distance);

    float diffuse = max(dot(n, l), 0.0);
    vec3 h = normalize(l + v);
    // The 32nd power by squaring: five products instead of a logarithm and a power.
    float specular = max(dot(n, h), 0.0);
    specular *= specular;
    specular *= specular;
    specular *= specular;
    specular *= specular;
    specular *= specular;
    specular = diffuse > 0.0 ? specular : 0.0;
    float shadow = shadowLight(n);

    vec4 texel = texture(ctexture, surfaceCoord);
    vec3 lit = ambientLift * ambient_color.rgb * ka.rgb +
               flameStrength * light_color.rgb * kd.rgb * diffuse * falloff * shadow;
    // The highlight is the flame's light as well: it burns as brightly as the flame and
    // goes out with it (the light's colour is black then; its specular colour is not).
    float burning = max(max(light_color.r, light_color.g), light_color.b);
    vec3 color = texel.rgb * lit + spec_color.rgb * ks.rgb * specular * falloff * shadow * burning;
    fragColor = vec4(color, texel.a * kd.a);
}
