#pragma once
// What the engine shows when the program installs no GUI content of its own: the engine's name,
// its version, the note that no content has been added, and the libraries it uses.
namespace Vozad
{
class IGuiEngine;
class LayoutBar;
} // namespace Vozad

namespace Telvar
{
// Fills the engine's (empty, vertical) root bar: a Weighted space, the grid of four labels in an
// Auto slot, and another Weighted space. The labels measure through p_Engine.
void BuildDefaultScreen(Vozad::LayoutBar& p_RootBar, Vozad::IGuiEngine* p_Engine);

// The texts of the four labels, top to bottom.
const char* DefaultScreenTitle();
const char* DefaultScreenNoContentText();
} // namespace Telvar
