#pragma once

struct GLFWwindow;

// Real input events for a real window, sent to the X server through XTest, the way a
// keyboard and mouse would send them. Each call returns once the server has taken
// the event (and, where it delivers one, queued it to the window's client).
// Kept apart because the X headers' macros clash with the test framework's.
namespace x11 {

// Focuses the window and puts the pointer inside it; false when the server has no XTest.
bool prepare(GLFWwindow* window);

// keysym: an X keysym name ("Escape", "space", "w", "F2").
void key(const char* keysym, bool press);
void button(int xButton, bool press); // 1 left, 2 middle, 3 right, 4/5 wheel up/down
// Moves the pointer to a position in the window's own coordinates.
void pointerTo(GLFWwindow* window, int x, int y);

} // namespace x11
