// Draws every image the game compiles in and writes them as PNG files into one folder
// (by default Resources/Images under the current folder). Run it from the repository root after
// changing a drawing; the build embeds whatever files are there.
#include "Drawings.h"

#include <cstdio>
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

} // namespace

int main(int p_ArgumentCount, char** p_Arguments)
{
    if (p_ArgumentCount > 2)
    {
        std::fprintf(stderr, "usage: %s [output folder]\n", p_Arguments[0]);
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
