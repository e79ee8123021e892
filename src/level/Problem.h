#pragma once

#include <cstddef>
#include <string>

// One thing wrong with a level. Errors are what the game cannot build as written;
// warnings are what it builds differently from how it reads, or builds with a fallback.
struct Problem {
    enum class Severity { Error, Warning };

    std::size_t line = 0; // in the level file; 0 for the level as a whole
    Severity severity = Severity::Error;
    std::string message;
};
