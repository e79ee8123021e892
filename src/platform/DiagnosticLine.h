#pragma once

#include <sstream>

namespace platform {

// One message put together with <<, handed to the current sink when the line object
// goes away, at the end of the statement that made it:
//     platform::DiagnosticLine() << "Unable to open file " << path;
// Numbers come out as a default std::ostream writes them.
class DiagnosticLine {
public:
    DiagnosticLine() = default;
    ~DiagnosticLine();
    DiagnosticLine(const DiagnosticLine&) = delete;
    DiagnosticLine& operator=(const DiagnosticLine&) = delete;

    template <typename T> DiagnosticLine& operator<<(const T& value) {
        text << value;
        return *this;
    }

private:
    std::ostringstream text;
};

} // namespace platform
