#pragma once

// What the fans of one level share. The first frames after loading are long, and a
// start delay only means something counted from the first short one.
struct FanSchedule {
    bool loadingTimePending = true;
    float loadingTime = 0.0f;
};
