#pragma once

#include "platform/Diagnostics.h"

#include <cstdio>
#include <cstdlib>

// The readers report bad input; while fuzzing that is nearly every input, and printing
// (or keeping) it would cost more than the reading.
class DiscardSink : public platform::DiagnosticSink {
public:
    void write(std::string_view) override {}
};

inline void silenceMessages() {
    static DiscardSink discard;
    platform::useDiagnostics(&discard);
}

// A broken promise of a reader is a finding like a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
