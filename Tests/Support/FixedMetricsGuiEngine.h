#pragma once
// An IGuiEngine for unit tests of widgets: every character is 7 pixels wide (glyph 6 wide), every
// line 16 pixels tall, whatever the font; popups, focus and texture loads are written down.
#include "Corvan/Gui/IGuiEngine.h"
#include "Corvan/Renderer/ImageResources.h"

#include <string>
#include <vector>

namespace Vozad::Testing
{
class FixedMetricsGuiEngine : public IGuiEngine
{
public:
    static constexpr float k_Advance = 7.0f;
    static constexpr float k_LineHeight = 16.0f;

    Lib::RectSize windowSize{1280, 720};
    std::vector<Popup*> openPopups;
    std::vector<LayoutBase*> focusRequests;
    std::vector<LayoutBase*> focusReleases;
    std::vector<std::string> loadedTextures;
    bool failTextureLoads = false;

    Lib::RectSize GetWindowSize() const override { return windowSize; }
    Lib::Ref<IWindow> GetWindow() const override { return {}; }
    void SetFocus(LayoutBase* p_Element) override { focusRequests.push_back(p_Element); }
    void ReleaseFocus(LayoutBase* p_Element) override { focusReleases.push_back(p_Element); }
    void OpenPopup(Popup* p_Popup) override { openPopups.push_back(p_Popup); }
    void ClosePopup(Popup* p_Popup) override { std::erase(openPopups, p_Popup); }
    TextMetrics MeasureText(const Lib::String& p_Text, const FontSpec&) override
    {
        TextMetrics metrics;
        for (uint32_t i = 0; i < p_Text.Length(); ++i)
            metrics.glyphs.Add({k_Advance - 1.0f, k_LineHeight - 4.0f, k_Advance});
        metrics.width = k_Advance * static_cast<float>(p_Text.Length());
        metrics.height = k_LineHeight;
        return metrics;
    }
    TextureInfo LoadTextureFromMemory(const ImageResource& p_Image) override { return Load(p_Image); }
    TextureInfo LoadUiTextureFromMemory(const ImageResource& p_Image) override { return Load(p_Image); }

private:
    TextureInfo Load(const ImageResource& p_Image)
    {
        loadedTextures.emplace_back(p_Image.name);
        if (failTextureLoads)
            return {};
        TextureInfo info;
        info.textureKey = 1;
        info.name = p_Image.name;
        info.width = 16;
        info.height = 16;
        return info;
    }
};
} // namespace Vozad::Testing
