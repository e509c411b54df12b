#pragma once
// The game object as the menus see it, for menu tests: texts from a real Locale, and every call
// that changes the game written down in order.
#include "Game/ICoreInterface.h"
#include "Game/IGameStateNotifier.h"
#include "Game/Locale.h"

#include <map>
#include <string>
#include <vector>

namespace Snake::Testing
{
class RecordingGame : public ICoreInterface, public IGameStateNotifier
{
public:
    explicit RecordingGame(const char* p_Language = "English") { locale.LoadLanguages(p_Language); }

    Lib::String GetLocaleString(const Lib::String& p_Key) override { return locale.GetLocaleString(p_Key); }
    // What the test put into config; empty for everything else.
    Lib::String GetConfigValue(int32_t p_Id) override
    {
        const auto entry = config.find(p_Id);
        return entry == config.end() ? Lib::String() : Lib::String(entry->second.c_str());
    }
    void SetConfigValue(int32_t p_Id, const Lib::String& p_Text) override
    {
        calls.push_back("SetConfigValue " + std::to_string(p_Id) + " " + p_Text.ToNarrow().Bytes());
    }
    void Quit() override { calls.push_back("Quit"); }
    void Restart(const Lib::String&) override { calls.push_back("Restart"); }
    void SetResolution(uint32_t, uint32_t) override { calls.push_back("SetResolution"); }
    void SetVSync(bool) override { calls.push_back("SetVSync"); }
    void SetFrameCap(int32_t p_Setting) override
    {
        calls.push_back("SetFrameCap " + std::to_string(p_Setting));
    }
    void SetMultisample(int32_t p_Setting) override
    {
        calls.push_back("SetMultisample " + std::to_string(p_Setting));
    }
    void SetShowFps(bool) override { calls.push_back("SetShowFps"); }
    void SetShowPoints(bool) override { calls.push_back("SetShowPoints"); }
    void SetGridMode(uint32_t) override { calls.push_back("SetGridMode"); }
    void SetGameSpeed(uint32_t) override { calls.push_back("SetGameSpeed"); }
    void SetAttract(bool) override { calls.push_back("SetAttract"); }
    uint32_t GetGridMode() const override { return 0; }
    uint32_t GetGameSpeed() const override { return 1; }

    void Resume() override { calls.push_back("Resume"); }
    void RestartGame() override { calls.push_back("RestartGame"); }
    void Pause() override { calls.push_back("Pause"); }

    Locale locale;
    std::map<int32_t, std::string> config;
    std::vector<std::string> calls;
};
} // namespace Snake::Testing
