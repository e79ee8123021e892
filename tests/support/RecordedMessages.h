#pragma once

#include "platform/RecordingSink.h"
#include "platform/ScopedDiagnostics.h"

#include <string>
#include <vector>

// The game's messages, heard instead of printed for as long as this lives.
class RecordedMessages {
public:
    RecordedMessages() = default;
    RecordedMessages(const RecordedMessages&) = delete;
    RecordedMessages& operator=(const RecordedMessages&) = delete;

    const std::vector<std::string>& messages() const { return sink.messages(); }
    // What standard output would have shown since the last take, each message ending
    // its line; starts over, so one test can look at each step on its own.
    std::string take() {
        std::string text = sink.text();
        sink.clear();
        return text;
    }

private:
    platform::RecordingSink sink;
    platform::ScopedDiagnostics scope{sink};
};
