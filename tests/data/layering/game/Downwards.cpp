// The game may use everything below it.
#include "render/Light.h"
#include "physics/PhysicsWorld.h"
#include <vector>
