// Draws every image the game compiles in and writes them as PNG files into one folder
// (by default Resources/Images under the current folder). Run it from the repository root after
// changing a drawing; the build embeds whatever files are there. With --icons it writes the
// application icon at every size instead; the build does that itself for the installed files.
#include "Drawings.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace
{

struct ImageEntry
{
    const char* name;
    ImageGen::Canvas (*draw)();
    int width;
    int height;
    int channels;
};

// Names, sizes and channel counts are what the engine and the game expect to find.
const ImageEntry kImages[] = {
    {"TextureNotFound", ImageGen::DrawTextureNotFound, 64, 64, 4},
    {"food", ImageGen::DrawFood, 512, 512, 4},
    {"snake_head", ImageGen::DrawSnakeHead, 512, 512, 4},
    {"snake_body", ImageGen::DrawSnakeBody, 512, 512, 4},
    {"Checker", ImageGen::DrawChecker, 512, 512, 3},
    {"CheckMark", ImageGen::DrawCheckMark, 16, 16, 4},
    {"CrossMark", ImageGen::DrawCrossMark, 16, 16, 4},
    {"DropDown", ImageGen::DrawDropDown, 16, 16, 4},
    {"IncrementButton", ImageGen::DrawIncrementButton, 16, 11, 4},
    {"DecrementButton", ImageGen::DrawDecrementButton, 16, 11, 4},
    {"SliderLeft", ImageGen::DrawSliderLeft, 16, 16, 4},
    {"SliderRight", ImageGen::DrawSliderRight, 16, 16, 4},
};

// The application icon is the window icon's picture, the snake's head, at the sizes desktops look
// for; each is shrunk from the full drawing so that small ones keep the same shapes.
const int kIconSizes[] = {16, 32, 48, 64, 128, 256};
const char* const kIconName = "vorl";

// Writes <folder>/<size>x<size>/apps/vorl.png, the layout of an icon theme folder.
int WriteIcons(const std::string& p_Folder)
{
    const ImageGen::Canvas head = ImageGen::DrawSnakeHead();
    int failures = 0;
    for (const int size : kIconSizes)
    {
        const std::string folder =
            p_Folder + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        const std::string path = folder + "/" + kIconName + ".png";
        if (error || !head.Reduced(size, size).WritePng(path, 4))
        {
            std::fprintf(stderr, "%s: cannot write the file\n", path.c_str());
            ++failures;
            continue;
        }
        std::printf("%s (%d x %d, RGBA)\n", path.c_str(), size, size);
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int p_ArgumentCount, char** p_Arguments)
{
    if (p_ArgumentCount == 3 && std::string(p_Arguments[1]) == "--icons")
        return WriteIcons(p_Arguments[2]);
    if (p_ArgumentCount > 2 || (p_ArgumentCount == 2 && p_Arguments[1][0] == '-'))
    {
        std::fprintf(stderr, "usage: %s [output folder]\n       %s --icons <icon theme folder>\n",
                     p_Arguments[0], p_Arguments[0]);
        return 2;
    }
    const std::string folder = p_ArgumentCount == 2 ? p_Arguments[1] : "Resources/Images";
    int failures = 0;
    for (const ImageEntry& entry : kImages)
    {
        const ImageGen::Canvas canvas = entry.draw();
        const std::string path = folder + "/" + entry.name + ".png";
        if (canvas.Width() != entry.width || canvas.Height() != entry.height)
        {
            std::fprintf(stderr, "%s: drawn at %d x %d, expected %d x %d\n", entry.name, canvas.Width(),
                         canvas.Height(), entry.width, entry.height);
            ++failures;
            continue;
        }
        if (!canvas.WritePng(path, entry.channels))
        {
            std::fprintf(stderr, "%s: cannot write the file\n", path.c_str());
            ++failures;
            continue;
        }
        std::printf("%s (%d x %d, %s)\n", path.c_str(), entry.width, entry.height,
                    entry.channels == 4 ? "RGBA" : "RGB");
    }
    return failures == 0 ? 0 : 1;
}
