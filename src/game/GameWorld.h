#pragma once

#include "game/Character.h"
#include "game/Entity.h"
#include "game/FanSchedule.h"
#include "render/Light.h"

#include <cstdint>
#include <memory>
#include <vector>

class Camera;
class PhysicsWorld;
class Texture;
class TextOverlay;

// What the objects of a level are handed before they set themselves up.
struct WorldServices {
    Camera* camera = nullptr;
    TextOverlay* overlay = nullptr;
    Texture* textureManager = nullptr;
    std::uint32_t particleProgram = 0; // the flame's sprites
};

// One level's worth of game: the lights, objects and player the loader built from a
// level file, and everything they put into the physics scene. Destroying the world
// takes all of it out again (actors, shapes, cooked meshes, the controller, the HUD
// lines of its objects, their GPU meshes and buffers), so the next level starts from
// an empty scene. Textures and programs stay in their caches for the next one.
class GameWorld {
public:
    explicit GameWorld(PhysicsWorld& physics) : physics(physics) {}
    ~GameWorld();
    GameWorld(const GameWorld&) = delete;
    GameWorld& operator=(const GameWorld&) = delete;

    // Wires every object to the services and lets it set itself up: the character
    // first, then the entities in their order. Tells the character how far it may fall.
    void setup(const WorldServices& services);

    // The lowest point of every object of the level as placed (its mesh's box in the
    // world); 0 for a level without objects.
    float lowestPoint() const;

    PhysicsWorld& physics;
    std::vector<std::unique_ptr<Light>> levelLights;
    std::vector<std::unique_ptr<Entity>> entities; // in the order the loader built them
    std::unique_ptr<Character> character;          // null when the level has none
    FanSchedule fans;
};
