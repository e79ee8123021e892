#include "core/Director.h"
#include "core/FrameLoop.h"

// The one Director, built before main runs.
Director director("config/config.txt");

int main() { return runGame(director); }
