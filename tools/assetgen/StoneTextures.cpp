#include "StoneTextures.h"

#include "Masonry.h"
#include "TileNoise.h"

Image StoneTextures::floorTiles() {
    MasonryStyle style;
    style.columns = 4;
    style.rows = 4;
    style.mortarPixels = 3.5f;
    style.bevelPixels = 9.0f;
    style.wobble = 0.006f;
    style.stone = {0.60f, 0.56f, 0.50f};
    style.toneVariation = 0.12f;
    style.mortar = {0.30f, 0.28f, 0.26f};
    style.grain = 0.3f;
    style.grainPeriod = 16;
    style.crackChance = 0.35f;
    style.seed = 101;
    return Masonry::paint(512, style).image;
}

Image StoneTextures::wallBricks() {
    MasonryStyle style;
    style.columns = 2;
    style.rows = 4;
    style.rowShift = 0.5f;
    style.mortarPixels = 2.5f;
    style.bevelPixels = 6.0f;
    style.wobble = 0.004f;
    style.stone = {0.52f, 0.54f, 0.57f};
    style.toneVariation = 0.16f;
    style.tintVariation = {0.02f, 0.0f, -0.03f};
    style.mortar = {0.33f, 0.32f, 0.30f};
    style.grain = 0.4f;
    style.grainPeriod = 16;
    style.crackChance = 0.25f;
    style.seed = 202;
    return Masonry::paint(256, style).image;
}

Image StoneTextures::wetSlate() {
    MasonryStyle style;
    style.columns = 2;
    style.rows = 2;
    style.mortarPixels = 3.0f;
    style.bevelPixels = 6.0f;
    style.wobble = 0.008f;
    style.stone = {0.21f, 0.24f, 0.27f};
    style.toneVariation = 0.15f;
    style.tintVariation = {-0.01f, 0.0f, 0.02f};
    style.mortar = {0.09f, 0.11f, 0.09f};
    style.grain = 0.45f;
    style.grainPeriod = 8;
    style.crackChance = 0.5f;
    style.seed = 303;
    MasonryPicture picture = Masonry::paint(256, style);

    const TileNoise noise(304);
    Image& image = picture.image;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const glm::vec2 uv = image.uv(x, y);
            glm::vec3 colour(image.at(x, y));
            const float onStone = picture.stoneMask[static_cast<size_t>(y) * image.width() + x];
            // Standing water darkens the stone and mirrors a little sky.
            const float puddle = glm::smoothstep(0.52f, 0.6f, noise.fractal(uv, 4, 4, 0.5f, 1));
            colour =
                glm::mix(colour, colour * 0.7f + glm::vec3(0.02f, 0.05f, 0.09f), puddle * onStone);
            const TileNoise::Cells drops = noise.cells(uv, 40, 0.9f, 2);
            const float glint = (1.0f - glm::smoothstep(0.05f, 0.12f, drops.nearest)) *
                                (noise.random(drops.cell.x, drops.cell.y, 5) < 0.3f ? 1.0f : 0.0f);
            colour += glm::vec3(0.35f, 0.42f, 0.48f) * glint * puddle * onStone;
            // Moss creeps out of the joints.
            const float moss = (1.0f - onStone) * 0.6f +
                               glm::smoothstep(0.62f, 0.75f, noise.fractal(uv, 8, 4, 0.55f, 3)) *
                                   (1.0f - puddle) * 0.7f;
            colour = glm::mix(
                colour, glm::vec3(0.13f, 0.22f, 0.10f) * (0.7f + 0.6f * noise.value(uv, 64, 4)),
                glm::clamp(moss, 0.0f, 1.0f));
            image.at(x, y) = glm::vec4(colour, 1.0f);
        }
    }
    return image;
}
