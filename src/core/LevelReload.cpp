#include "core/LevelReload.h"

#include "level/LevelCheck.h"
#include "platform/Diagnostics.h"
#include "render/TextOverlay.h"

#include <utility>

namespace {

constexpr const char* kLine = "reload";
constexpr glm::vec4 kErrorColor{1.0f, 0.45f, 0.35f, 1.0f};
// The HUD line is cut to what fits across the window; standard output has it whole.
constexpr std::size_t kLongestShown = 140;

std::string fitted(const std::string& line) {
    if (line.size() <= kLongestShown) {
        return line;
    }
    return line.substr(0, kLongestShown - 3) + "...";
}

} // namespace

LevelReload::LevelReload(std::string levelPath) : watch(std::move(levelPath)) {}

void LevelReload::addLine(TextOverlay& hud) {
    overlay = &hud;
    ::addLine(&text, hud, kLine, 700.0f, true, false, -500.0f, 250.0f, kHudTextColor, 0.0,
              kShownFor);
}

bool LevelReload::fileSaved(double wallTime) {
    return watch.poll(wallTime);
}

bool LevelReload::check() {
    watch.takeIn();
    LevelCheck check(levelPath());
    if (!check.run()) {
        platform::DiagnosticLine() << check.openFailure();
        show(check.openFailure(), true);
        return false;
    }
    const std::size_t errors = check.count(Problem::Severity::Error);
    if (errors == 0) {
        return true;
    }
    const Problem* firstError = nullptr;
    for (const Problem& problem : check.problems()) {
        platform::DiagnosticLine() << check.describe(problem);
        if (!firstError && problem.severity == Problem::Severity::Error) {
            firstError = &problem;
        }
    }
    platform::DiagnosticLine() << check.summary() << "; the running level stays";
    show(check.describe(*firstError), true);
    return false;
}

void LevelReload::reportReloaded(bool restarted) {
    const std::string line =
        levelPath() + (restarted ? " read again: the flame starts over" : " read again");
    platform::DiagnosticLine() << line;
    show(line, false);
}

void LevelReload::reportTurnedDown(const std::string& reason) {
    platform::DiagnosticLine() << reason;
    show(reason, true);
}

void LevelReload::show(const std::string& line, bool isError) {
    text = fitted(line);
    if (!overlay) {
        return;
    }
    if (HudLine* hudLine = overlay->findLine(kLine)) {
        hudLine->color = isError ? kErrorColor : kHudTextColor;
        hudLine->visible = false; // shown afresh, for its full time
    }
    showLine(*overlay, kLine);
}
