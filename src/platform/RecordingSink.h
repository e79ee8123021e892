#pragma once

#include "platform/DiagnosticSink.h"

#include <string>
#include <vector>

namespace platform {

// Keeps every message, in the order they came, for whoever wants to read them back
// (the level checker, the tests).
class RecordingSink : public DiagnosticSink {
public:
    void write(std::string_view message) override;

    const std::vector<std::string>& messages() const { return recorded; }
    // The messages as standard output would have shown them: each ending its line.
    std::string text() const;
    void clear() { recorded.clear(); }

private:
    std::vector<std::string> recorded;
};

} // namespace platform
