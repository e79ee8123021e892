#version 330

// The atlas is white with the glyph coverage in alpha: the line's colour shows
// through wherever the glyph has ink.
uniform sampler2D ctexture;
uniform vec4 frag_color;

in vec2 glyphCoord;

out vec4 fragColor;

void main() {
    fragColor = texture(ctexture, glyphCoord) * frag_color;
}
