#pragma once
// A 3 x 3 grid whose border tracks are fixed margins; the content goes into the centre cell with
// SetElement (content, owned, 1, 1).
#include "Corvan/Gui/Containers/LayoutGrid.h"

#include <cstdint>

namespace Vozad
{
class LayoutMargin : public LayoutGrid
{
public:
    explicit LayoutMargin(int32_t p_Margin);
};
} // namespace Vozad
