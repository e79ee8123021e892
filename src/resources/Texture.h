#pragma once

#include "resources/CacheEntry.h"
#include "resources/Visual.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class StatusLines;


// The texture manager: image files become cached, mipmapped GL textures, and the
// player's texture filter mode is applied to each texture as it is drawn.
class Texture final : public Visual {
public:
    // Deletes every cached texture (nothing calls this during a run).
    void release() override;
    // Registers the "tex" HUD line that shows statusText; needs overlay.
    void init() override;

    // The texture of an image file, loaded on first use; 0 when it cannot be loaded.
    std::uint32_t loadTexture(const std::string& fileName);
    // Applies filterMode to `texture`, which the caller has bound to GL_TEXTURE_2D,
    // and updates statusText. GL is only called when the texture's filter changes:
    // most textures are drawn many times a frame and the mode changes by key press.
    void applyFilter(std::uint32_t texture);
    // False when the texture's image has a texel that is not fully opaque (0, no
    // texture, samples opaque black).
    bool isOpaque(std::uint32_t texture) const;
    // The plain-filter key: nearest and linear by turns.
    void togglePlainFilter();
    // The mipmap-filter key: the four mipmapped modes in turn.
    void nextMipmapFilter();

    int filterMode = 6; // 0 to 4 pick a row of the filter table; anything else is trilinear
    // Set when the trilinear mode has been applied; the next mipmap-key press then
    // starts the mipmapped modes over.
    bool mipmapWrapPending = false;
    StatusLines* overlay = nullptr;
    std::string statusText;
    std::vector<std::unique_ptr<CacheEntry>> textureCache;

private:
    void loadImageFile(const std::string& fileName);

    // The filter row last applied to each texture name.
    std::unordered_map<std::uint32_t, int> appliedRows;
    // Textures whose image has a texel with alpha below 255.
    std::unordered_set<std::uint32_t> translucentTextures;
};
