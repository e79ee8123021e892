#include "GlCallCounter.h"

#include <GL/glew.h>
#include <dlfcn.h>

#include <array>
#include <cstdio>
#include <cstdlib>

// First pass over the list: only the number of entry points.
#define GL_DIRECT(index, result, name, parameters, arguments)
#define GL_LOADED(index, pointer, name)
#include "GlEntryPoints.inc"
#undef GL_DIRECT
#undef GL_LOADED

namespace {

constexpr std::size_t kEntryPoints = GL_ENTRY_POINT_COUNT;

// Plain counters: the game makes every GL call on its one thread, and an atomic increment
// would cost more than many of the calls it counts.
std::array<std::uint64_t, kEntryPoints> counts{};

constexpr std::array<std::string_view, kEntryPoints> kNames{
#define GL_DIRECT(index, result, name, parameters, arguments) #name,
#define GL_LOADED(index, pointer, name) #name,
#include "GlEntryPoints.inc"
#undef GL_DIRECT
#undef GL_LOADED
};

const std::array<glcalls::Group, kEntryPoints>& groups() {
    static const std::array<glcalls::Group, kEntryPoints> table = [] {
        std::array<glcalls::Group, kEntryPoints> grouped{};
        for (std::size_t i = 0; i < kEntryPoints; ++i) {
            grouped[i] = glcalls::groupOf(kNames[i]);
        }
        return grouped;
    }();
    return table;
}

// libGL's own definition of a function this executable defines as well.
void* libraryDefinition(const char* name) {
    void* function = dlsym(RTLD_NEXT, name);
    if (function == nullptr) {
        // Nothing sensible can be passed on: better to stop than to count a lie.
        std::fprintf(stderr, "GL call counter: no library defines %s\n", name);
        std::abort();
    }
    return function;
}

// Stands in GLEW's pointer for one loaded function, counts and passes the call on.
template <std::size_t Index, auto* Pointer, typename Function> struct Relay;

template <std::size_t Index, auto* Pointer, typename Result, typename... Arguments>
struct Relay<Index, Pointer, Result(GLAPIENTRY*)(Arguments...)> {
    static inline Result(GLAPIENTRY* next)(Arguments...) = nullptr;

    static Result GLAPIENTRY call(Arguments... arguments) {
        ++counts[Index];
        return next(arguments...);
    }
    static void install() {
        if (*Pointer != nullptr && *Pointer != &call) {
            next = *Pointer;
            *Pointer = &call;
        }
    }
    static bool installed() { return *Pointer == &call; }
};

struct LoadedEntry {
    void (*install)();
    bool (*installed)();
};

constexpr LoadedEntry kLoaded[] = {
#define GL_DIRECT(index, result, name, parameters, arguments)
#define GL_LOADED(index, pointer, name)                                                            \
    {&Relay<index, &pointer, decltype(pointer)>::install,                                          \
     &Relay<index, &pointer, decltype(pointer)>::installed},
#include "GlEntryPoints.inc"
#undef GL_DIRECT
#undef GL_LOADED
};

} // namespace

// The GL 1.1 functions, defined here so that the game's calls, linked into this executable,
// land here first.
#define GL_DIRECT(index, result, name, parameters, arguments)                                      \
    extern "C" result GLAPIENTRY name parameters {                                                 \
        static const auto library = reinterpret_cast<decltype(&::name)>(libraryDefinition(#name)); \
        ++counts[index];                                                                           \
        return library arguments;                                                                  \
    }
#define GL_LOADED(index, pointer, name)
#include "GlEntryPoints.inc"
#undef GL_DIRECT
#undef GL_LOADED

namespace glcalls {

Group groupOf(std::string_view name) {
    if (name.starts_with("glGet") && name.find("Location") != std::string_view::npos) {
        return Group::LocationLookup;
    }
    if ((name.starts_with("glDraw") && !name.starts_with("glDrawBuffer")) ||
        name.starts_with("glMultiDraw")) {
        return Group::Draw;
    }
    if (name.starts_with("glUniform") || name.starts_with("glProgramUniform")) {
        return Group::Uniform;
    }
    for (std::string_view prefix :
         {"glTex", "glCopyTex", "glCompressedTex", "glBindTexture", "glActiveTexture",
          "glGenTextures", "glDeleteTextures", "glGenerateMipmap"}) {
        if (name.starts_with(prefix)) {
            return Group::Texture;
        }
    }
    return Group::Other;
}

Tally operator-(const Tally& after, const Tally& before) {
    return {after.total - before.total, after.locationLookups - before.locationLookups,
            after.draws - before.draws, after.uniforms - before.uniforms,
            after.textures - before.textures};
}

Tally tally() {
    Tally sum;
    const auto& grouped = groups();
    for (std::size_t i = 0; i < kEntryPoints; ++i) {
        sum.total += counts[i];
        switch (grouped[i]) {
        case Group::LocationLookup:
            sum.locationLookups += counts[i];
            break;
        case Group::Draw:
            sum.draws += counts[i];
            break;
        case Group::Uniform:
            sum.uniforms += counts[i];
            break;
        case Group::Texture:
            sum.textures += counts[i];
            break;
        case Group::Other:
            break;
        }
    }
    return sum;
}

FunctionCalls callsByFunction() {
    FunctionCalls calls;
    for (std::size_t i = 0; i < kEntryPoints; ++i) {
        if (counts[i] != 0) {
            calls.emplace_back(kNames[i], counts[i]);
        }
    }
    return calls;
}

void relayLoadedFunctions() {
    for (const LoadedEntry& entry : kLoaded) {
        entry.install();
    }
}

std::size_t relayedFunctionCount() {
    std::size_t relayed = 0;
    for (const LoadedEntry& entry : kLoaded) {
        relayed += entry.installed() ? 1 : 0;
    }
    return relayed;
}

} // namespace glcalls
