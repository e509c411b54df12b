#include "Corvan/Renderer/ImageResources.h"

#include "Embedded/EngineResources.h"

namespace Vozad
{
namespace
{
ImageResource Make(const unsigned char* p_Bytes, std::size_t p_Size, const char* p_Name, uint32_t p_Width,
                   uint32_t p_Height)
{
    return {p_Bytes, p_Name, static_cast<uint32_t>(p_Size), p_Width, p_Height};
}

// Built on first use: the byte arrays live in another translation unit, so their addresses are
// only certain to be set once static initialisation is over.
const ImageResource* Table()
{
    using namespace Resources;
    static const ImageResource k_Table[k_ImageResourceCount] = {
        Make(Images_TextureNotFound_pngData, Images_TextureNotFound_pngSize, "TextureNotFound", 64, 64),
        Make(Images_food_pngData, Images_food_pngSize, "food", 512, 512),
        Make(Images_snake_head_pngData, Images_snake_head_pngSize, "snake_head", 512, 512),
        Make(Images_snake_body_pngData, Images_snake_body_pngSize, "snake_body", 512, 512),
        Make(Images_Checker_pngData, Images_Checker_pngSize, "Checker", 512, 512),
        Make(Images_CheckMark_pngData, Images_CheckMark_pngSize, "CheckMark", 16, 16),
        Make(Images_CrossMark_pngData, Images_CrossMark_pngSize, "CrossMark", 16, 16),
        Make(Images_DropDown_pngData, Images_DropDown_pngSize, "DropDown", 16, 16),
        Make(Images_IncrementButton_pngData, Images_IncrementButton_pngSize, "IncrementButton", 16, 11),
        Make(Images_DecrementButton_pngData, Images_DecrementButton_pngSize, "DecrementButton", 16, 11),
        Make(Images_SliderLeft_pngData, Images_SliderLeft_pngSize, "SliderLeft", 16, 16),
        Make(Images_SliderRight_pngData, Images_SliderRight_pngSize, "SliderRight", 16, 16),
    };
    return k_Table;
}
} // namespace

const ImageResource* GetImageResources()
{
    return Table();
}

const ImageResource* FindImageResource(std::string_view p_Name)
{
    const ImageResource* table = Table();
    for (uint32_t i = 0; i < k_ImageResourceCount; ++i)
    {
        if (p_Name == table[i].name)
            return &table[i];
    }
    return nullptr;
}
} // namespace Vozad
