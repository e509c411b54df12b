#include "Game/MovementKeys.h"

#include "Corvan/Events/KeyCodes.h"
#include "Game/ConfigIds.h"
#include "Game/ICoreInterface.h"
#include "Lib/String.h"

namespace Snake
{
int32_t MovementKeyCode(ICoreInterface& p_Core, int32_t p_ConfigId)
{
    // Read afresh on every call: a key rebound in the options menu counts at once.
    const Lib::String name = p_Core.GetConfigValue(p_ConfigId);
    return Vozad::KeyCodeFromName(name.ToNarrow().Data());
}

bool IsMovementKey(ICoreInterface& p_Core, int32_t p_KeyCode)
{
    if (p_KeyCode == Vozad::KeyCode::None)
        return false;
    for (int32_t id : {k_ConfigMoveLeft, k_ConfigMoveRight, k_ConfigMoveUp, k_ConfigMoveDown})
        if (MovementKeyCode(p_Core, id) == p_KeyCode)
            return true;
    return false;
}
} // namespace Snake
