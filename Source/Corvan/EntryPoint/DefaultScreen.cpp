#include "Corvan/EntryPoint/DefaultScreen.h"

#include "Corvan/EntryPoint/EngineVersion.h"
#include "Corvan/EntryPoint/LibraryVersions.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Gui/Containers/LayoutGrid.h"
#include "Corvan/Gui/Widgets/Label.h"
#include "Lib/String.h"

#include <cstdint>
#include <memory>

namespace Telvar
{
namespace
{
constexpr const char* k_NoContent = "No content has been added.";

std::unique_ptr<Vozad::Label> MakeLabel(Vozad::IGuiEngine* p_Engine, uint32_t p_Size, bool p_MultiLine,
                                        const Lib::String& p_Text)
{
    auto label = std::make_unique<Vozad::Label>(p_Engine, p_Size, Vozad::k_LabelAlignCentre);
    label->m_MultiLine = p_MultiLine;
    label->SetText(p_Text);
    return label;
}

Lib::String VersionText()
{
    const LibraryVersions& versions = GetLibraryVersions();
    return Lib::String::Format("Engine version:\n - %s\n - Date: %s", k_EngineVersion, versions.buildDate);
}

Lib::String LibrariesText()
{
    const LibraryVersions& versions = GetLibraryVersions();
    return Lib::String::Format("Libraries used by the engine:\n"
                               "Using GLM:\n - Version: %s\n"
                               "Using Stbi Image:\n - Version: %s\n"
                               "Using FreeType:\n - Version: %u.%u.%u\n"
                               "Using ImGUI:\n - Version: %s",
                               versions.glm, versions.stbImage, versions.freeTypeMajor,
                               versions.freeTypeMinor, versions.freeTypePatch, versions.imGui);
}
} // namespace

const char* DefaultScreenTitle()
{
    return k_EngineName;
}

const char* DefaultScreenNoContentText()
{
    return k_NoContent;
}

void BuildDefaultScreen(Vozad::LayoutBar& p_RootBar, Vozad::IGuiEngine* p_Engine)
{
    using Vozad::GridSizeMode;
    auto grid = std::make_unique<Vozad::LayoutGrid>();
    grid->AddColumn(1, GridSizeMode::Weighted);
    grid->AddColumn(1, GridSizeMode::Auto);
    grid->AddColumn(1, GridSizeMode::Weighted);
    const struct
    {
        int32_t value;
        GridSizeMode mode;
    } rows[] = {{1, GridSizeMode::Weighted}, {1, GridSizeMode::Auto},   {5, GridSizeMode::Fixed},
                {1, GridSizeMode::Auto},     {10, GridSizeMode::Fixed}, {1, GridSizeMode::Auto},
                {10, GridSizeMode::Fixed},   {1, GridSizeMode::Auto},   {1, GridSizeMode::Weighted}};
    for (const auto& row : rows)
        grid->AddRow(row.value, row.mode);

    grid->SetElement(MakeLabel(p_Engine, 45, false, k_EngineName), 1, 1);
    grid->SetElement(MakeLabel(p_Engine, 20, true, VersionText()), 1, 3);
    grid->SetElement(MakeLabel(p_Engine, 20, false, k_NoContent), 1, 5);
    grid->SetElement(MakeLabel(p_Engine, 20, true, LibrariesText()), 1, 7);

    p_RootBar.AddSlot(1, GridSizeMode::Weighted);
    p_RootBar.AddSlot(1, GridSizeMode::Auto);
    p_RootBar.AddElement(std::move(grid), 1, GridSizeMode::Weighted);
}
} // namespace Telvar
