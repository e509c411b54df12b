#include "Corvan/Gui/Containers/ScrollviewContent.h"

namespace Vozad
{
ScrollviewContent::ScrollviewContent()
{
    SetFlag(k_LayoutSizeToDesired, true);
}
} // namespace Vozad
