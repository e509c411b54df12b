// The about menu without a real window: it refuses to build.
#include "Game/Menus/AboutMenu.h"

#include "Game/ICoreInterface.h"
#include "Game/Menus/IAboutMenuListener.h"

#include "Support/CapturingForwarder.h"
#include "Support/FixedMetricsGuiEngine.h"

#include <gtest/gtest.h>

namespace
{
using namespace Snake;

class NoCore : public ICoreInterface
{
public:
    Lib::String GetLocaleString(const Lib::String&) override { return {}; }
    Lib::String GetConfigValue(int32_t) override { return {}; }
    void SetConfigValue(int32_t, const Lib::String&) override {}
    void Quit() override {}
    void Restart(const Lib::String&) override {}
    void SetResolution(uint32_t, uint32_t) override {}
    void SetVSync(bool) override {}
    void SetFrameCap(int32_t) override {}
    void SetMultisample(int32_t) override {}
    void SetShowFps(bool) override {}
    void SetShowPoints(bool) override {}
    void SetGridMode(uint32_t) override {}
    void SetGameSpeed(uint32_t) override {}
    void SetAttract(bool) override {}
    uint32_t GetGridMode() const override { return 0; }
    uint32_t GetGameSpeed() const override { return 1; }
};

class NoListener : public IAboutMenuListener
{
public:
    void OnAboutClosed(Snake::PanelState) override { ++closes; }
    int closes = 0;
};

TEST(AboutMenu, WithoutAnEngineWindowInitialiseFailsAndSaysWhy)
{
    TestSupport::CapturingForwarder log;
    Vozad::Testing::FixedMetricsGuiEngine engine; // has no window
    NoCore core;
    NoListener listener;
    AboutMenu menu(&engine, &listener, &core);
    EXPECT_FALSE(menu.Initialise());
    ASSERT_EQ(log.Records().size(), 1u);
    EXPECT_EQ(log.Records()[0].level, "Error");
    EXPECT_EQ(log.Records()[0].tag, "AboutMenu");
    EXPECT_EQ(log.Records()[0].message, "The engine has no window; the about menu cannot be built");
    EXPECT_EQ(menu.GetCreditsPage(), nullptr);
    EXPECT_EQ(listener.closes, 0);
}
} // namespace
