// The two filter keys, as the player presses them (no GL needed).
#include "resources/Texture.h"

#include <gtest/gtest.h>

TEST(TextureFilterKeys, PlainKeyAlternatesNearestAndLinear) {
    Texture textures;
    textures.filterMode = 4;
    textures.togglePlainFilter();
    EXPECT_EQ(textures.filterMode, 0);
    textures.togglePlainFilter();
    EXPECT_EQ(textures.filterMode, 1);
    textures.togglePlainFilter();
    EXPECT_EQ(textures.filterMode, 0);
}

TEST(TextureFilterKeys, MipmapKeyCyclesTheMipmappedModes) {
    Texture textures;
    // Before any draw has applied the start mode the press only counts up.
    textures.nextMipmapFilter();
    EXPECT_EQ(textures.filterMode, 7);

    textures.filterMode = 0;
    textures.nextMipmapFilter();
    EXPECT_EQ(textures.filterMode, 2);
    textures.nextMipmapFilter();
    textures.nextMipmapFilter();
    textures.nextMipmapFilter();
    EXPECT_EQ(textures.filterMode, 5);

    // A draw applied the trilinear row: the next press starts over at 2.
    textures.mipmapWrapPending = true;
    textures.nextMipmapFilter();
    EXPECT_EQ(textures.filterMode, 2);
    EXPECT_FALSE(textures.mipmapWrapPending);
}
