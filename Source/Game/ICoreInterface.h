#pragma once
// The game object's operations that the menus reach: texts, settings and the window, the
// grid and the speed. Every setter also stores the value in the configuration.
#include "Lib/String.h"

#include <cstdint>

namespace Snake
{
class RecordTable;

class ICoreInterface
{
public:
    virtual ~ICoreInterface() = default;

    // The text of the key in the current language (fallback language when missing).
    virtual Lib::String GetLocaleString(const Lib::String& p_Key) = 0;
    // The value side of a configuration entry (ids of ConfigIds.h).
    virtual Lib::String GetConfigValue(int32_t p_Id) = 0;
    virtual void SetConfigValue(int32_t p_Id, const Lib::String& p_Text) = 0;
    virtual void Quit() = 0;
    // Starts the program anew with the argument text.
    virtual void Restart(const Lib::String& p_Arguments) = 0;
    // Resizes the client area; the size is stored only when the window takes it.
    virtual void SetResolution(uint32_t p_Width, uint32_t p_Height) = 0;
    virtual void SetVSync(bool p_On) = 0;
    // The frame-rate cap while vertical sync is off or refused (values of FrameCap.h).
    virtual void SetFrameCap(int32_t p_Setting) = 0;
    // Samples per pixel, from the next frame on (values of MultisampleSetting.h).
    virtual void SetMultisample(int32_t p_Setting) = 0;
    virtual void SetShowFps(bool p_Show) = 0;
    virtual void SetShowPoints(bool p_Show) = 0;
    // Index into the grid mode table (0 to 11); the board is reset, state and points stay.
    virtual void SetGridMode(uint32_t p_Index) = 0;
    // Moves per second, taken as given.
    virtual void SetGameSpeed(uint32_t p_Speed) = 0;
    // Attract mode (k_ConfigAttract): the board behind the start menu plays itself.
    virtual void SetAttract(bool p_On) = 0;
    // The grid mode and the speed the game plays with. The game alone reads them from the
    // configuration, so a menu cannot show a value the game read differently.
    virtual uint32_t GetGridMode() const = 0;
    virtual uint32_t GetGameSpeed() const = 0;
    // The player's records; null where a game keeps none.
    virtual const RecordTable* GetRecords() const { return nullptr; }
};
} // namespace Snake
