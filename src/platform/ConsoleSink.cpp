#include "platform/ConsoleSink.h"

#include <iostream>

namespace platform {

void ConsoleSink::write(std::string_view message) {
    // Flushed, so a message printed just before a crash or a kill is not lost.
    std::cout << message << std::endl;
}

} // namespace platform
