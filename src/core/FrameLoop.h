#pragma once

class Director;

enum class FrameMode {
    Draw,
    // Everything but drawing (input events are still taken): long scripted runs of
    // game logic that do not look at pixels.
    SkipDrawing,
};

// One pass of the frame loop: wait for the physics step of the previous frame,
// update, render, start the next step with this frame's dt. Returns whether the
// game goes on (no Escape and the window still open); also stored in the AppState.
bool runFrame(Director& director, FrameMode mode = FrameMode::Draw);

// init, frames until Escape or the window closes, cleanup. Returns the exit status:
// 1 when init fails, before any frame.
int runGame(Director& director);
