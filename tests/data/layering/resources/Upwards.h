// A resource that reaches into the renderer.
#include "render/TextOverlay.h"
