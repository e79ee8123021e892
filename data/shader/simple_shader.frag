#version 330

// One warm point light (the flame) with distance falloff, plus ambient and specular.
// The light sits on the character's origin; the flame it stands for burns above it.
uniform sampler2D ctexture;
uniform vec4 light_position;
uniform vec4 light_color;
uniform vec4 ambient_color;
uniform vec4 spec_color;

in vec3 worldPosition;
in vec3 worldNormal;
in vec2 surfaceCoord;
flat in vec4 ka;
flat in vec4 kd;
flat in vec4 ks;
in vec3 eyePosition;

out vec4 fragColor;

const vec3 flameCentre = vec3(0.0, 1.5, 0.0);
const float flameStrength = 1.6;
// The dark is never pitch black: the ambient colour is lifted a little.
const float ambientLift = 2.5;

void main() {
    vec3 n = normalize(worldNormal);
    vec3 toLight = light_position.xyz + flameCentre - worldPosition;
    float distance = length(toLight);
    vec3 l = toLight / max(distance, 1e-4);
    vec3 v = normalize(eyePosition - worldPosition);
    float falloff = 1.0 / (1.0 + 0.002 * distance + 0.0008 * distance * distance);

    float diffuse = max(dot(n, l), 0.0);
    vec3 h = normalize(l + v);
    float specular = diffuse > 0.0 ? pow(max(dot(n, h), 0.0), 32.0) : 0.0;

    vec4 texel = texture(ctexture, surfaceCoord);
    vec3 lit = ambientLift * ambient_color.rgb * ka.rgb +
               flameStrength * light_color.rgb * kd.rgb * diffuse * falloff;
    // The highlight burns as brightly as the light and goes out with it.
    float burning = max(max(light_color.r, light_color.g), light_color.b);
    vec3 color = texel.rgb * lit + spec_color.rgb * ks.rgb * specular * falloff * burning;
    fragColor = vec4(color, texel.a * kd.a);
}
