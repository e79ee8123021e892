#pragma once

#include "platform/DiagnosticLine.h"
#include "platform/DiagnosticSink.h"

// The process-wide sink of the game's messages: standard output unless a tool or a
// test plugs in its own (ScopedDiagnostics does it for a scope).
namespace platform {

DiagnosticSink& diagnostics();

// nullptr puts standard output back. Returns the sink used until now, nullptr for
// standard output, so that the caller can put it back. The caller keeps ownership.
DiagnosticSink* useDiagnostics(DiagnosticSink* sink);

} // namespace platform
