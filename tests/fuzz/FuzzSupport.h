#pragma once

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <streambuf>

// The readers report bad input on standard output; while fuzzing that is nearly every
// input, and printing it would cost more than the reading.
class DiscardBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

inline void silenceStandardOutput() {
    static DiscardBuffer discard;
    std::cout.rdbuf(&discard);
}

// A broken promise of a reader is a finding like a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
