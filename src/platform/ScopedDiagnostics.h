#pragma once

#include "platform/DiagnosticSink.h"

namespace platform {

// Sends the game's messages to another sink for as long as it lives, then gives them
// back to whichever sink had them before, so overrides nest. The caller keeps the sink.
class ScopedDiagnostics {
public:
    explicit ScopedDiagnostics(DiagnosticSink& sink);
    ~ScopedDiagnostics();
    ScopedDiagnostics(const ScopedDiagnostics&) = delete;
    ScopedDiagnostics& operator=(const ScopedDiagnostics&) = delete;

private:
    DiagnosticSink* previous;
};

} // namespace platform
