#include "platform/DiagnosticLine.h"

#include "platform/Diagnostics.h"

namespace platform {

DiagnosticLine::~DiagnosticLine() {
    // A message that cannot be delivered (no memory left to record it) is not worth
    // ending the game for.
    try {
        diagnostics().write(text.view());
    } catch (...) {
    }
}

} // namespace platform
