// A program that runs the engine without installing content shows the engine's default screen:
// the engine's name, its version, "No content has been added." and the libraries, as white text
// centred on the light-blue clear colour.
#include "Support/RgbImage.h"
#include "Support/RunProgram.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

using TestSupport::CommandOutput;
using TestSupport::TempFolder;

namespace
{
bool IsText(const TestSupport::Rgb& p_Colour)
{
    return p_Colour.r > 220 && p_Colour.g > 220 && p_Colour.b > 220;
}

// Rows of the image that hold text pixels, merged into bands separated by at least p_Gap empty rows.
std::vector<std::pair<int, int>> TextBands(const TestSupport::RgbImage& p_Image, int p_Gap)
{
    std::vector<std::pair<int, int>> bands;
    int lastTextRow = -p_Gap - 1;
    for (int y = 0; y < p_Image.height; ++y)
    {
        bool text = false;
        for (int x = 0; x < p_Image.width && !text; ++x)
            text = IsText(p_Image.At(x, y));
        if (!text)
            continue;
        if (y - lastTextRow > p_Gap)
            bands.push_back({y, y});
        bands.back().second = y;
        lastTextRow = y;
    }
    return bands;
}
} // namespace

TEST(DefaultScreenEndToEnd, AnEngineWithoutContentShowsItsDefaultScreen)
{
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    TempFolder folder;
    const pid_t pid = TestSupport::StartProgram(VORL_ENGINE_ONLY_PROGRAM, {}, folder.Path().string());
    ASSERT_GT(pid, 0);

    std::string window;
    for (int attempt = 0; attempt < 300 && window.empty(); ++attempt)
    {
        window = CommandOutput("xdotool search --onlyvisible --pid " + std::to_string(pid) + " 2>/dev/null");
        if (window.empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_FALSE(window.empty()) << TestSupport::ReadWholeFile(folder.File("enginelog.txt"));
    window = window.substr(0, window.find('\n'));

    // Fonts load at the first frames: take pictures until the text is there (bounded).
    const std::string shot = folder.File("default.png");
    TestSupport::RgbImage image;
    std::vector<std::pair<int, int>> bands;
    for (int attempt = 0; attempt < 40; ++attempt)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        CommandOutput("import -window " + window + " " + shot + " 2>/dev/null");
        image = TestSupport::LoadRgbImage(shot);
        if (image.Valid())
            bands = TextBands(image, 6);
        if (bands.size() >= 4)
            break;
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);

    ASSERT_TRUE(image.Valid());
    ASSERT_EQ(image.width, 1280);
    ASSERT_EQ(image.height, 720);
    // The clear colour fills the corners.
    EXPECT_TRUE(TestSupport::IsNear(image.At(5, 5), image.At(image.width - 5, image.height - 5), 0));
    EXPECT_FALSE(IsText(image.At(5, 5)));

    // The title, then the version lines, "No content has been added." and the libraries: text in
    // the middle of the window, no text near its edges.
    ASSERT_GE(bands.size(), 4u);
    EXPECT_GT(bands.front().first, image.height / 8);
    EXPECT_LT(bands.back().second, image.height * 7 / 8);
    int left = image.width, right = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (IsText(image.At(x, y)))
            {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GT(left, image.width / 4);
    EXPECT_LT(right, image.width * 3 / 4);
}
