#pragma once

#include <cstdint>

// The GL side of start-up, once the window and its context exist.

// Loads the GL entry points of the current context (GLEW). False without a context
// or when the loader fails.
bool loadGlFunctions();

// The state every pass starts from: back faces culled, depth test, blending of
// see-through colours, the whole window as viewport.
void setDefaultRenderState(std::int32_t width, std::int32_t height);

// The player's switches: how polygons are drawn, and blending (with the usual
// see-through function) on or off.
enum class PolygonMode { Filled, Lines, Points };
void setPolygonMode(PolygonMode mode);
void setBlending(bool on);
