#pragma once

// Key, button and action numbers as the game uses them: the classic GLFW 2 codes.
// Printable keys are their upper-case ASCII value; special keys start at 257.
// GlfwInput maps GLFW 3's numbers onto these by meaning.
namespace platform::key {

constexpr int Unknown = -1;
constexpr int Space = 32;
constexpr int Special = 256;
constexpr int Esc = 257;
constexpr int F1 = 258; // F1 .. F25 are consecutive
constexpr int F2 = 259;
constexpr int F3 = 260;
constexpr int F4 = 261;
constexpr int F5 = 262;
constexpr int F6 = 263;
constexpr int F7 = 264;
constexpr int F8 = 265;
constexpr int F9 = 266;
constexpr int F10 = 267;
constexpr int F11 = 268;
constexpr int F12 = 269;
constexpr int F25 = 282;
constexpr int Up = 283;
constexpr int Down = 284;
constexpr int Left = 285;
constexpr int Right = 286;
constexpr int LShift = 287;
constexpr int RShift = 288;
constexpr int LCtrl = 289;
constexpr int RCtrl = 290;
constexpr int LAlt = 291;
constexpr int RAlt = 292;
constexpr int Tab = 293;
constexpr int Enter = 294;
constexpr int Backspace = 295;
constexpr int Insert = 296;
constexpr int Del = 297;
constexpr int PageUp = 298;
constexpr int PageDown = 299;
constexpr int Home = 300;
constexpr int End = 301;
constexpr int Kp0 = 302; // keypad 0 .. 9 are consecutive
constexpr int KpDivide = 312;
constexpr int KpMultiply = 313;
constexpr int KpSubtract = 314;
constexpr int KpAdd = 315;
constexpr int KpDecimal = 316;
constexpr int KpEqual = 317;
constexpr int KpEnter = 318;
constexpr int KpNumLock = 319;
constexpr int CapsLock = 320;
constexpr int ScrollLock = 321;
constexpr int Pause = 322;
constexpr int LSuper = 323;
constexpr int RSuper = 324;
constexpr int Menu = 325;

} // namespace platform::key

namespace platform::mouse {
constexpr int Left = 0;
constexpr int Right = 1;
constexpr int Middle = 2;
} // namespace platform::mouse

namespace platform::action {
constexpr int Release = 0;
constexpr int Press = 1;
} // namespace platform::action
