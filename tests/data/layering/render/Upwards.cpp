// A renderer file that reaches up into the game.
#include "render/Light.h"
#include "game/Character.h"
