#pragma once
// Where the scene finds the array texture of a texture key; TextureHandler implements it.
#include <cstdint>

namespace Vozad
{
class ISceneTextures
{
public:
    virtual ~ISceneTextures() = default;
    // Binds the array texture that holds the images of this key to unit 0; false when no scene
    // texture has the key (untextured quads use the key of all ones).
    virtual bool BindSceneTexture(uint64_t p_TextureKey) const = 0;
    virtual void UnbindSceneTexture() const = 0;
};
} // namespace Vozad
