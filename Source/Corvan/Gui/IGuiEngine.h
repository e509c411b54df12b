#pragma once
// The part of the engine that GUI widgets reach: text measuring, their icons, the window, focus
// and popups. The engine interface extends it, so widgets keep "the engine" without the GUI
// toolkit depending on the engine object above it.
#include "Corvan/Gui/FontSpec.h"
#include "Corvan/Gui/TextMetrics.h"
#include "Corvan/Renderer/TextureInfo.h"
#include "Corvan/Window/IWindow.h"
#include "Lib/RectSize.h"
#include "Lib/ReferenceCounter.h"
#include "Lib/String.h"

namespace Vozad
{
class LayoutBase;
class Popup;
struct ImageResource;

class IGuiEngine
{
public:
    virtual ~IGuiEngine() = default;

    virtual Lib::RectSize GetWindowSize() const = 0;
    // The engine window, retained for the caller; null without one.
    virtual Lib::Ref<IWindow> GetWindow() const = 0;
    virtual void SetFocus(LayoutBase* p_Element) = 0;
    virtual void ReleaseFocus(LayoutBase* p_Element) = 0;
    // Shows the popup as a new top layer of the root stack, visible and focused.
    virtual void OpenPopup(Popup* p_Popup) = 0;
    // Removes the popup's layer; the popup stays owned by its opener.
    virtual void ClosePopup(Popup* p_Popup) = 0;
    virtual TextMetrics MeasureText(const Lib::String& p_Text, const FontSpec& p_Font) = 0;
    virtual TextureInfo LoadTextureFromMemory(const ImageResource& p_Image) = 0;
    virtual TextureInfo LoadUiTextureFromMemory(const ImageResource& p_Image) = 0;
};
} // namespace Vozad
