#include "platform/ScopedDiagnostics.h"

#include "platform/Diagnostics.h"

namespace platform {

ScopedDiagnostics::ScopedDiagnostics(DiagnosticSink& sink) : previous(useDiagnostics(&sink)) {}

ScopedDiagnostics::~ScopedDiagnostics() {
    useDiagnostics(previous);
}

} // namespace platform
