#pragma once

#include "platform/DiagnosticSink.h"

namespace platform {

// Standard output, each message ending its line and flushed at once, as players and
// the scripts that read the game's output have always seen it.
class ConsoleSink : public DiagnosticSink {
public:
    void write(std::string_view message) override;
};

} // namespace platform
