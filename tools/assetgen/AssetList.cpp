#include "AssetList.h"

#include "BlockMeshes.h"
#include "GlowTextures.h"
#include "MetalTextures.h"
#include "PropMeshes.h"
#include "RoundMeshes.h"
#include "StoneTextures.h"
#include "WoodTextures.h"

std::vector<MeshAsset> AssetList::meshes() {
    return {
        {"crate.obj", "Crate: cube from -1 to 1", BlockMeshes::crate},
        {"floor_tile.obj", "Floor tile: 2 x 0.5 x 2 slab", BlockMeshes::floorTile},
        {"floor_large.obj", "Large floor: 48 x 1 x 48 slab at life size", BlockMeshes::floorLarge},
        {"ramp.obj", "Ramp: wedge from -1 to 1, high side at -z", BlockMeshes::ramp},
        {"stairs.obj", "Stairs: five steps from -1 to 1, rising towards -z", BlockMeshes::stairs},
        {"pillar.obj", "Pillar: 1.4 x 4 x 1.4 with plinth and capital", BlockMeshes::pillar},
        {"barrel.obj", "Barrel: 2 tall, radius 0.8", RoundMeshes::barrel},
        {"barrel_lowpoly.obj", "Barrel collision stand-in", RoundMeshes::barrelLowPoly},
        {"fan.obj", "Fan: ducted rotor about the local Y axis", PropMeshes::fan},
        {"upgrade_crystal.obj", "Upgrade pickup: cut crystal", PropMeshes::upgradeCrystal},
        {"sinking_platform.obj", "Sinking platform: 4 x 0.6 x 4 chamfered slab",
         BlockMeshes::sinkingPlatform},
        {"water_hazard.obj", "Water hazard: 4 x 0.5 x 4 block of water", BlockMeshes::waterBlock},
        {"goal_arch.obj", "Goal: arch on a pedestal, standing on its origin", PropMeshes::goalArch},
        {"water_jet.obj", "Water jet nozzle, mouth at the origin", RoundMeshes::waterJetNozzle},
        {"water_plane.obj", "Water plane: 2 x 0.1 x 2 slab", BlockMeshes::waterPlane},
        {"character.obj", "Character capsule: radius 0.8, 2.1 tall", RoundMeshes::characterCapsule},
    };
}

std::vector<TextureAsset> AssetList::textures() {
    return {
        {"stone_tiles.png", StoneTextures::floorTiles, false},
        {"stone_bricks.png", StoneTextures::wallBricks, false},
        {"wet_slate.png", StoneTextures::wetSlate, false},
        {"crate_planks.png", WoodTextures::crateSide, false},
        {"barrel_staves.png", WoodTextures::barrelStaves, false},
        {"fan_metal.png", MetalTextures::paintedSteel, false},
        {"brass.png", MetalTextures::brass, false},
        {"crystal_glow.png", GlowTextures::crystal, false},
        {"water_ripples.png", GlowTextures::waterRipples, false},
        {"flame_sprite.png", GlowTextures::flameSprite, true},
        {"water_droplet.png", GlowTextures::waterDroplet, true},
    };
}

std::vector<MaterialAsset> AssetList::materials() {
    // Ambient a dim copy of the diffuse colour; specular low on stone and wood, higher
    // on metal, highest on the crystal.
    return {
        {"crate.mtl",
         {"Crate: wood, colour from crate_planks.png",
          {0.3f, 0.28f, 0.25f},
          {0.95f, 0.92f, 0.88f},
          {0.08f, 0.07f, 0.06f}}},
        {"floor_tile.mtl",
         {"Floor tile: stone, colour from stone_tiles.png",
          {0.3f, 0.3f, 0.29f},
          {0.95f, 0.95f, 0.93f},
          {0.1f, 0.1f, 0.1f}}},
        {"floor_large.mtl",
         {"Large floor: stone, colour from stone_tiles.png",
          {0.3f, 0.3f, 0.29f},
          {0.95f, 0.95f, 0.93f},
          {0.1f, 0.1f, 0.1f}}},
        {"ramp.mtl",
         {"Ramp: stone, colour from stone_tiles.png",
          {0.3f, 0.3f, 0.29f},
          {0.93f, 0.93f, 0.91f},
          {0.1f, 0.1f, 0.1f}}},
        {"stairs.mtl",
         {"Stairs: stone, colour from stone_tiles.png",
          {0.3f, 0.3f, 0.29f},
          {0.93f, 0.93f, 0.91f},
          {0.1f, 0.1f, 0.1f}}},
        {"pillar.mtl",
         {"Pillar: stone blocks, colour from stone_bricks.png",
          {0.28f, 0.29f, 0.3f},
          {0.92f, 0.93f, 0.95f},
          {0.12f, 0.12f, 0.13f}}},
        {"barrel.mtl",
         {"Barrel: wood and iron, colour from barrel_staves.png",
          {0.3f, 0.27f, 0.24f},
          {0.95f, 0.9f, 0.85f},
          {0.15f, 0.14f, 0.12f}}},
        {"fan.mtl",
         {"Fan: painted steel, colour from fan_metal.png",
          {0.25f, 0.27f, 0.28f},
          {0.9f, 0.93f, 0.95f},
          {0.5f, 0.52f, 0.55f}}},
        {"upgrade_crystal.mtl",
         {"Upgrade: glowing crystal, colour from crystal_glow.png",
          {0.75f, 0.9f, 0.95f},
          {1.0f, 1.0f, 1.0f},
          {0.9f, 0.95f, 1.0f}}},
        {"sinking_platform.mtl",
         {"Sinking platform: wet slate, colour from wet_slate.png",
          {0.26f, 0.28f, 0.3f},
          {0.9f, 0.92f, 0.95f},
          {0.35f, 0.38f, 0.4f}}},
        {"water_hazard.mtl",
         {"Water hazard: water, colour from water_ripples.png",
          {0.35f, 0.4f, 0.45f},
          {0.9f, 0.95f, 1.0f},
          {0.6f, 0.65f, 0.7f}}},
        {"goal_arch.mtl",
         {"Goal: brass, colour from brass.png",
          {0.35f, 0.3f, 0.22f},
          {1.0f, 0.95f, 0.88f},
          {0.7f, 0.6f, 0.4f}}},
        {"water_jet.mtl",
         {"Water jet: light blue spray, colour from water_droplet.png",
          {0.4f, 0.45f, 0.5f},
          {0.9f, 0.95f, 1.0f},
          {0.5f, 0.55f, 0.6f}}},
        {"water_plane.mtl",
         {"Water plane: water, colour from water_ripples.png",
          {0.35f, 0.4f, 0.45f},
          {0.9f, 0.95f, 1.0f},
          {0.6f, 0.65f, 0.7f}}},
        {"character.mtl",
         {"Character: flame, colour from flame_sprite.png",
          {0.5f, 0.4f, 0.25f},
          {1.0f, 0.9f, 0.7f},
          {0.2f, 0.18f, 0.12f}}},
    };
}
