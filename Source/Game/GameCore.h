#pragma once
// The game object: owns the game's state, menus and console, and talks to the engine only
// through IEngine.
#include "Game/IOutputReceiver.h"
#include "Game/Locale.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/ReferenceCounter.h"
#include "Lib/String.h"

namespace Telvar
{
class IEngine;
}

namespace Snake
{
class ApplicationConfig;

class GameCore : public IOutputReceiver
{
public:
    GameCore(Telvar::IEngine* p_Engine, Lib::Ref<ApplicationConfig> p_Config);
    ~GameCore() override;

    bool Initialise();
    IOutputReceiver* GetOutputReceiver() { return this; }
    void ReceiveLine(const Lib::String& p_Line) override;

    const Locale& GetLocale() const { return m_Locale; }
    const Lib::DynamicArray<Lib::String>& ConsoleLines() const { return m_ConsoleLines; }

private:
    Lib::LogTag m_Tag{"GameCore"};
    Telvar::IEngine* m_Engine; // not owned
    Lib::Ref<ApplicationConfig> m_Config;
    Locale m_Locale;
    // Until the console widget exists the forwarded log lines are kept here, as many as the
    // console will hold.
    Lib::DynamicArray<Lib::String> m_ConsoleLines;
};
} // namespace Snake
