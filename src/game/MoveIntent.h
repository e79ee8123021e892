#pragma once

// What the player asks of the flame in one frame, before anything has moved. The
// controls fill it from keys, mouse and wheel; the character's motor decides what of
// it happens (no new direction in mid-jump, nothing at all once the game is over).
struct MoveIntent {
    int walk = 0;      // +1 forwards (where the camera looks), -1 backwards
    int strafe = 0;    // +1 to the right, -1 to the left
    float turn = 0.0f; // degrees about Y, to the left
    float look = 0.0f; // degrees about X, the camera tilting up
    int zoom = 0;      // the wheel: where the camera wants to be behind the flame (<= 0)
};
