#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

// Counts every GL call the game makes, by function. The GL 1.1 functions are libGL
// symbols, which this executable defines itself (they count and pass the call on to libGL);
// everything newer goes through GLEW's function pointers, which relayLoadedFunctions turns
// into counting relays. The counters only ever go up: take two tallies and subtract.
namespace glcalls {

enum class Group {
    LocationLookup, // glGet...Location: uniform and attribute names looked up by the driver
    Draw,           // glDraw* and glMultiDraw*, not glDrawBuffer(s)
    Uniform,        // glUniform* and glProgramUniform*
    Texture,        // binding, parameters and uploads of textures
    Other,
};

Group groupOf(std::string_view name);

struct Tally {
    std::uint64_t total = 0;
    std::uint64_t locationLookups = 0;
    std::uint64_t draws = 0;
    std::uint64_t uniforms = 0;
    std::uint64_t textures = 0;
};

Tally operator-(const Tally& after, const Tally& before);

// Every call counted since the process started.
Tally tally();

using FunctionCalls = std::vector<std::pair<std::string_view, std::uint64_t>>;

// Calls per function since the process started, for the functions called at all.
FunctionCalls callsByFunction();

// Puts a counting relay in front of every function GLEW has loaded. glewInit fills the
// pointers afresh, so this is needed after every glewInit, i.e. after each window opens.
void relayLoadedFunctions();

// How many of GLEW's pointers currently lead through a relay: zero before the first
// relayLoadedFunctions, and again after glewInit has run anew.
std::size_t relayedFunctionCount();

} // namespace glcalls
