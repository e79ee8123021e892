#pragma once

#include <string_view>

namespace platform {

// Where the game's messages go: loaders, start-up and the physics world all report
// through one sink, so a tool or a test can listen in without touching standard output.
class DiagnosticSink {
public:
    virtual ~DiagnosticSink() = default;
    // One finished message, without its final end of line. A message of several
    // lines (a shader's compile log) comes as one, its inner line breaks kept, so
    // that it stays together wherever it goes.
    virtual void write(std::string_view message) = 0;
};

} // namespace platform
