#include "Corvan/Window/WindowIcon.h"

#include <SDL2/SDL.h>

#include <cstdint>

// stb_image's implementation comes from Debian's libstb, linked once for the whole program.
#include <stb_image.h>

namespace Vozad
{
bool SetWindowIcon(const Lib::LogTag& p_Tag, SDL_Window* p_Window, const uint8_t* p_Bytes, uint32_t p_Size,
                   const char* p_Name)
{
    const char* name = p_Name ? p_Name : "";
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = nullptr;
    if (p_Bytes && p_Size > 0 && p_Size <= static_cast<uint32_t>(INT32_MAX))
        pixels = stbi_load_from_memory(p_Bytes, static_cast<int>(p_Size), &width, &height, &channels,
                                       STBI_rgb_alpha);
    if (!pixels)
    {
        LogError(p_Tag, "Could not load icon data, texture name: '%s'.", name);
        return false;
    }

    // stb_image hands out R, G, B, A bytes; the masks say where those land in a 32-bit pixel.
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
    const Uint32 red = 0xFF000000, green = 0x00FF0000, blue = 0x0000FF00, alpha = 0x000000FF;
#else
    const Uint32 red = 0x000000FF, green = 0x0000FF00, blue = 0x00FF0000, alpha = 0xFF000000;
#endif
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceFrom(pixels, width, height, 32, width * 4, red, green, blue, alpha);
    bool set = false;
    if (!surface)
    {
        LogError(p_Tag, "Unable to create window icon bitmap handle.");
    }
    else if (!p_Window)
    {
        LogError(p_Tag, "Could not set the window icon '%s', the window does not exist.", name);
    }
    else
    {
        SDL_SetWindowIcon(p_Window, surface); // SDL copies the pixels
        set = true;
    }
    SDL_FreeSurface(surface);
    stbi_image_free(pixels);
    return set;
}
} // namespace Vozad
