#include "platform/Diagnostics.h"

#include "platform/ConsoleSink.h"

#include <utility>

namespace platform {

namespace {

ConsoleSink& console() {
    static ConsoleSink instance;
    return instance;
}

DiagnosticSink* currentSink = nullptr;

} // namespace

DiagnosticSink& diagnostics() {
    return currentSink ? *currentSink : console();
}

DiagnosticSink* useDiagnostics(DiagnosticSink* sink) {
    return std::exchange(currentSink, sink);
}

} // namespace platform
