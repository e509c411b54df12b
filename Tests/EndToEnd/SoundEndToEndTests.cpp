// The game's sound as SDL's disk audio driver receives it: the driver writes every sample the
// game plays into a file, in real time, silence included.
#include "EndToEnd/GameRound.h"
#include "EndToEnd/GameScreen.h"
#include "Support/GameSession.h"
#include "Support/RunProgram.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace
{
using namespace GameRound;
using namespace std::chrono_literals;
using TestSupport::GameSession;
using TestSupport::TempFolder;

// The variables hold for the games this test starts, and are gone again after it.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* p_Name, const std::string& p_Value) : m_Name(p_Name)
    {
        setenv(p_Name, p_Value.c_str(), 1);
    }
    ~ScopedEnvironment() { unsetenv(m_Name); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* m_Name;
};

std::vector<int16_t> ReadSamples(const std::string& p_Path)
{
    const std::string bytes = TestSupport::ReadWholeFile(p_Path);
    std::vector<int16_t> samples(bytes.size() / sizeof(int16_t));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(int16_t));
    return samples;
}

int32_t Peak(const std::vector<int16_t>& p_Samples)
{
    int32_t peak = 0;
    for (int16_t sample : p_Samples)
        peak = std::max(peak, std::abs(static_cast<int32_t>(sample)));
    return peak;
}

struct PlayedRound
{
    std::vector<int16_t> samples;
    std::string log;
};

// Starts a game on the small board, muted or not, catches the item once and ends
// the game; what the driver wrote and the log.
PlayedRound CatchOnceWithSound(bool p_Muted)
{
    TempFolder folder;
    const std::string audioFile = folder.File("audio.raw");
    ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
    ScopedEnvironment file("SDL_DISKAUDIOFILE", audioFile);
    std::string config = ConfigWith("0", "1");
    if (p_Muted)
        ReplaceLine(config, "set s_mute \"0\"", "set s_mute \"1\"");
    TestSupport::WriteWholeFile(folder.File("gamedata.cfg"), config);
    GameSession game(folder, VORL_EXECUTABLE);
    PlayedRound played;
    if (!game.Open())
    {
        ADD_FAILURE() << game.Log();
        return played;
    }
    const RgbImage start = game.Capture();
    const std::vector<Rect> hudLines = TextLines(start, HudArea(start));
    if (hudLines.size() != 2u)
    {
        ADD_FAILURE() << "no points line";
        return played;
    }
    game.Key("s");
    if (!game.WaitForImage([](const RgbImage& p_Image) { return !IsStartPanelShown(p_Image); }, 5s).Valid())
    {
        ADD_FAILURE() << "the round did not start";
        return played;
    }
    SteerOntoTheItem(game, start, hudLines[1]);
    // The catch sound lasts a seventh of a second; the driver writes in real time.
    std::this_thread::sleep_for(600ms);
    ExpectOrderlyEnd(game, game.Terminate());
    played.samples = ReadSamples(audioFile);
    played.log = game.Log();
    return played;
}

class SoundEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    }
};
} // namespace

TEST_F(SoundEndToEnd, ACatchIsHeardLouderThanTheTurnsAndMuteIsSilence)
{
    // The turns on the way are quiet ticks; only the catch (or a later effect) comes near the
    // peak checked here: at the default volume of 60 its peak is about 6 500, a turn's about 2 100.
    const PlayedRound loud = CatchOnceWithSound(false);
    EXPECT_NE(loud.log.find("AudioDevice: Audio device opened with the disk driver"), std::string::npos);
    // Well over a second of samples: the device ran the whole time.
    ASSERT_GT(loud.samples.size(), 44100u);
    EXPECT_GT(Peak(loud.samples), 4000);

    const PlayedRound muted = CatchOnceWithSound(true);
    ASSERT_GT(muted.samples.size(), 44100u);
    EXPECT_EQ(Peak(muted.samples), 0);
}

TEST_F(SoundEndToEnd, WithoutAnAudioDeviceTheGamePlaysSilentlyAndSaysSoOnce)
{
    TempFolder folder;
    // A driver name SDL does not know stands for a machine without sound.
    ScopedEnvironment driver("SDL_AUDIODRIVER", "none-such");
    TestSupport::WriteWholeFile(folder.File("gamedata.cfg"), ConfigWith("0", "1"));
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();
    const RgbImage start = game.Capture();
    const std::vector<Rect> hudLines = TextLines(start, HudArea(start));
    ASSERT_EQ(hudLines.size(), 2u);
    game.Key("s");
    ASSERT_TRUE(
        game.WaitForImage([](const RgbImage& p_Image) { return !IsStartPanelShown(p_Image); }, 5s).Valid());
    ASSERT_TRUE(SteerOntoTheItem(game, start, hudLines[1]).Valid());
    ExpectOrderlyEnd(game, game.Terminate());
    const std::string log = game.Log();
    size_t count = 0;
    for (size_t at = log.find("No audio device"); at != std::string::npos;
         at = log.find("No audio device", at + 1))
        ++count;
    EXPECT_EQ(count, 1u) << log;
}
