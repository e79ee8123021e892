#pragma once

#include "platform/FileWatch.h"

#include <string>

class TextOverlay;

// Live reload for level designers: watches the level file being played and checks a
// saved level, as levelcheck does, before it may replace the running one. A level
// with errors is turned down: every problem goes to standard output as a
// `file:line:` line, and the first error shows on the HUD for a few seconds.
class LevelReload {
public:
    // Seconds the outcome of a reload stays on the HUD.
    static constexpr double kShownFor = 6.0;

    // Takes the file in as it is now: only later saves count.
    explicit LevelReload(std::string levelPath);

    // Registers the HUD line the outcome of a reload shows on.
    void addLine(TextOverlay& overlay);

    // Whether the file was saved since it was last checked; looks about twice a second
    // (`wallTime` in seconds, a clock that goes on while the game is paused).
    bool fileSaved(double wallTime);

    // Checks the file as it is now, taking it in. True when the game can play it;
    // false, with every problem reported, when it has errors or cannot be opened.
    bool check();
    // The level was read again: said on standard output and on the HUD. `restarted`
    // when the flame starts over at the level's start.
    void reportReloaded(bool restarted);
    // The check passed but the level could not be built after all.
    void reportTurnedDown(const std::string& reason);

    const std::string& hudText() const { return text; }
    const std::string& levelPath() const { return watch.path(); }

private:
    void show(const std::string& line, bool isError);

    platform::FileWatch watch;
    TextOverlay* overlay = nullptr;
    std::string text;
};
