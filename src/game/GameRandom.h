#pragma once

#include <cstdlib>

// A random integer from 0 to 32767, whatever the C library's RAND_MAX: the flame's
// life formula divides by 32767 and expects values in that range.
inline int random15() { return std::rand() & 0x7FFF; }
