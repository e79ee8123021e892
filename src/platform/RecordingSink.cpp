#include "platform/RecordingSink.h"

namespace platform {

void RecordingSink::write(std::string_view message) {
    recorded.emplace_back(message);
}

std::string RecordingSink::text() const {
    std::string result;
    for (const std::string& message : recorded) {
        result += message;
        result += '\n';
    }
    return result;
}

} // namespace platform
