#include "render/RenderState.h"

#include <GL/glew.h>

bool loadGlFunctions() {
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        return false;
    }
    // glewInit may leave a harmless error flag behind; start with a clean slate.
    while (glGetError() != GL_NO_ERROR) {
    }
    return true;
}

void setDefaultRenderState(std::int32_t width, std::int32_t height) {
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    setBlending(true);
    glViewport(0, 0, width, height);
}

void setPolygonMode(PolygonMode mode) {
    const GLenum modes[] = {GL_FILL, GL_LINE, GL_POINT};
    glPolygonMode(GL_FRONT_AND_BACK, modes[static_cast<int>(mode)]);
}

void setBlending(bool on) {
    if (on) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }
}
