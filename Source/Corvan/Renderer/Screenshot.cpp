#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/Screenshot.h"
#include "Corvan/Renderer/ScreenshotFile.h"
#include "Lib/Platform/Clock.h"
#include "Lib/Platform/FileSystem.h"

#include <stb_image_write.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace Vozad
{
namespace
{
// The encoder counts in int, including one filter byte per row; anything larger cannot be
// encoded, so it is not worth reading back either.
bool FitsEncoder(uint64_t p_Width, uint64_t p_Height, uint64_t p_Components)
{
    return p_Width > 0 && p_Height > 0 && p_Width <= INT_MAX && p_Height <= INT_MAX &&
           (p_Width * p_Components + 1) * p_Height <= static_cast<uint64_t>(INT_MAX);
}

void AppendToVector(void* p_Context, void* p_Data, int p_Size)
{
    auto* bytes = static_cast<std::vector<uint8_t>*>(p_Context);
    const auto* data = static_cast<const uint8_t*>(p_Data);
    bytes->insert(bytes->end(), data, data + p_Size);
}

// Binds frame buffer 0 for reading with tight row packing, and puts back what was bound before.
class DefaultReadTarget
{
public:
    DefaultReadTarget()
    {
        GL_CHECK(glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &m_ReadFramebuffer));
        GL_CHECK(glGetIntegerv(GL_PACK_ALIGNMENT, &m_PackAlignment));
        GL_CHECK(glBindFramebuffer(GL_READ_FRAMEBUFFER, 0));
        // Rows of RGB pixels are not a multiple of 4 bytes for most widths; with the default
        // alignment GL would pad every row and write past the end of the buffer.
        GL_CHECK(glPixelStorei(GL_PACK_ALIGNMENT, 1));
    }
    ~DefaultReadTarget()
    {
        GL_CHECK(glPixelStorei(GL_PACK_ALIGNMENT, m_PackAlignment));
        GL_CHECK(glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(m_ReadFramebuffer)));
    }
    DefaultReadTarget(const DefaultReadTarget&) = delete;
    DefaultReadTarget& operator=(const DefaultReadTarget&) = delete;

private:
    GLint m_ReadFramebuffer = 0;
    GLint m_PackAlignment = 4;
};
} // namespace

Lib::String ScreenshotFolder(const Lib::String& p_FolderPrefix)
{
    if (p_FolderPrefix.IsEmpty())
        return k_ScreenshotFolderName;
    Lib::String folder = p_FolderPrefix;
    folder.Append("/");
    folder.Append(k_ScreenshotFolderName);
    return folder;
}

Lib::String ScreenshotPath(const Lib::String& p_FolderPrefix, const Lib::String& p_NamePrefix,
                           const Lib::String& p_TimeText)
{
    Lib::String path = ScreenshotFolder(p_FolderPrefix);
    path.Append("/");
    if (!p_NamePrefix.IsEmpty())
    {
        path.Append(p_NamePrefix);
        path.Append("_");
    }
    path.Append(p_TimeText);
    path.Append(".png");
    return path;
}

Lib::String ScreenshotTimeText()
{
    return Lib::FormatLocalTime(k_ScreenshotTimeFormat);
}

std::vector<uint8_t> FlipRows(const uint8_t* p_Rows, uint32_t p_RowBytes, uint32_t p_RowCount)
{
    std::vector<uint8_t> flipped(static_cast<size_t>(p_RowBytes) * p_RowCount);
    for (uint32_t row = 0; row < p_RowCount; ++row)
    {
        const uint8_t* source = p_Rows + static_cast<size_t>(p_RowCount - 1 - row) * p_RowBytes;
        std::memcpy(flipped.data() + static_cast<size_t>(row) * p_RowBytes, source, p_RowBytes);
    }
    return flipped;
}

std::vector<uint8_t> EncodePng(const uint8_t* p_Pixels, uint32_t p_Width, uint32_t p_Height,
                               uint32_t p_Components)
{
    std::vector<uint8_t> png;
    if (!p_Pixels || p_Components < 1 || p_Components > 4 || !FitsEncoder(p_Width, p_Height, p_Components))
        return png;
    const uint64_t rowBytes = static_cast<uint64_t>(p_Width) * p_Components;
    if (!stbi_write_png_to_func(&AppendToVector, &png, static_cast<int>(p_Width), static_cast<int>(p_Height),
                                static_cast<int>(p_Components), p_Pixels, static_cast<int>(rowBytes)))
        png.clear();
    return png;
}

bool WritePngFile(const Lib::String& p_Path, const uint8_t* p_Pixels, uint32_t p_Width, uint32_t p_Height,
                  uint32_t p_Components)
{
    const std::vector<uint8_t> png = EncodePng(p_Pixels, p_Width, p_Height, p_Components);
    if (png.empty())
        return false;
    FILE* file = std::fopen(p_Path.ToNarrow().Data(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    // A full disk may only show when the buffered bytes are flushed.
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

Lib::Ref<Lib::Blob> EncodePngToBlob(const uint8_t* p_Pixels, uint32_t p_Width, uint32_t p_Height,
                                    uint32_t p_Components)
{
    const std::vector<uint8_t> png = EncodePng(p_Pixels, p_Width, p_Height, p_Components);
    if (png.empty())
        return {};
    return Lib::MakeRef<Lib::Blob>(png.data(), png.size());
}

void SaveScreenshot(const Lib::LogTag& p_Tag, const Lib::String& p_FolderPrefix,
                    const Lib::String& p_NamePrefix, uint32_t p_Width, uint32_t p_Height)
{
    if (!Lib::CreateFolder(ScreenshotFolder(p_FolderPrefix)))
    {
        Lib::LogError(p_Tag, "Unable to create the screenshot folder, aborting the screenshot.");
        return;
    }
    const std::string path =
        ScreenshotPath(p_FolderPrefix, p_NamePrefix, ScreenshotTimeText()).ToNarrow().Bytes();
    auto fail = [&](const std::string& p_Path, const std::string& p_Reason)
    {
        Lib::LogWarning(p_Tag, "Could not save the screenshot to location \"%s\": %s", p_Path.c_str(),
                        p_Reason.c_str());
    };

    const size_t rowBytes = static_cast<size_t>(p_Width) * 3;
    std::unique_ptr<uint8_t[]> pixels;
    if (!FitsEncoder(p_Width, p_Height, 3))
    {
        fail(path, "the window has no area or is too large to encode");
        return;
    }
    pixels.reset(new (std::nothrow) uint8_t[rowBytes * p_Height]);
    if (!pixels)
    {
        fail(path, "not enough memory for the pixels");
        return;
    }
    {
        DefaultReadTarget target;
        GL_CHECK(glReadPixels(0, 0, static_cast<GLsizei>(p_Width), static_cast<GLsizei>(p_Height), GL_RGB,
                              GL_UNSIGNED_BYTE, pixels.get()));
    }
    const std::vector<uint8_t> topDown = FlipRows(pixels.get(), static_cast<uint32_t>(rowBytes), p_Height);
    pixels.reset();
    const std::vector<uint8_t> png = EncodePng(topDown.data(), p_Width, p_Height, 3);
    if (png.empty())
    {
        fail(path, "the image could not be encoded");
        return;
    }
    // Several screenshots within one second each keep their own file.
    const NewFileResult file = WriteNewFile(path, png);
    if (file.written)
        Lib::LogInfo(p_Tag, "Saved screenshot to location \"%s\"", file.path.c_str());
    else
        fail(file.path, file.error);
}

void ClearForCapture(uint32_t p_Colour)
{
    GL_CHECK(glClearColor(static_cast<float>(p_Colour & 0xFFu) / 255.0f,
                          static_cast<float>((p_Colour >> 8) & 0xFFu) / 255.0f,
                          static_cast<float>((p_Colour >> 16) & 0xFFu) / 255.0f,
                          static_cast<float>((p_Colour >> 24) & 0xFFu) / 255.0f));
    GL_CHECK(glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
}

Lib::Ref<Lib::Blob> ReadRegionPng(const Lib::LogTag& p_Tag, const Lib::WindowRect& p_Rect,
                                  uint32_t p_WindowHeight)
{
    const int64_t width = static_cast<int64_t>(p_Rect.right) - p_Rect.left;
    const int64_t height = static_cast<int64_t>(p_Rect.bottom) - p_Rect.top;
    if (width <= 0 || height <= 0)
    {
        Lib::LogError(p_Tag, "Cannot capture the region %d, %d, %d, %d: it has no area.", p_Rect.left,
                      p_Rect.right, p_Rect.top, p_Rect.bottom);
        return {};
    }
    if (!FitsEncoder(static_cast<uint64_t>(width), static_cast<uint64_t>(height), 4))
    {
        Lib::LogError(p_Tag, "Cannot capture the region %d, %d, %d, %d: it is too large to encode.",
                      p_Rect.left, p_Rect.right, p_Rect.top, p_Rect.bottom);
        return {};
    }
    const size_t size = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    std::unique_ptr<uint8_t[]> pixels(new (std::nothrow) uint8_t[size]());
    if (!pixels)
        return {};
    {
        DefaultReadTarget target;
        GL_CHECK(glReadPixels(p_Rect.left,
                              static_cast<GLint>(static_cast<int64_t>(p_WindowHeight) - p_Rect.bottom),
                              static_cast<GLsizei>(width), static_cast<GLsizei>(height), GL_RGBA,
                              GL_UNSIGNED_BYTE, pixels.get()));
    }
    // Rows stay in GL's order: whoever decodes this for OpenGL flips it back.
    return EncodePngToBlob(pixels.get(), static_cast<uint32_t>(width), static_cast<uint32_t>(height), 4);
}
} // namespace Vozad
