#version 330

// HUD text: one quad per glyph in overlay pixels, origin in the window centre.
uniform mat4 ortho;

in vec4 vertex;
in vec2 texCoord;

out vec2 glyphCoord;

void main() {
    glyphCoord = texCoord;
    gl_Position = ortho * vertex;
}
