#include "Corvan/Window/KeyboardState.h"

#include "Corvan/Events/IEventBase.h"
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Window/EngineData.h"

namespace Vozad
{
bool KeyboardState::IsValid(int32_t p_KeyCode) const
{
    return m_KeyStates && p_KeyCode > 0 && p_KeyCode < k_KeyCodeCount;
}

KeyTransition KeyboardState::Make(EventType p_EventType, int32_t p_KeyCode, int32_t p_Action) const
{
    // The mask is taken after the state change, so a modifier's own press already carries its bit.
    return KeyTransition{p_EventType, p_KeyCode, p_Action, static_cast<int32_t>(ModifierMask(m_KeyStates))};
}

KeyTransition KeyboardState::Press(int32_t p_KeyCode)
{
    if (!IsValid(p_KeyCode))
        return {};
    int32_t& state = m_KeyStates[p_KeyCode];
    if (state == k_KeyUp)
    {
        state = k_KeyPressed;
        if (m_PressLatches)
            m_PressLatches[p_KeyCode] = true;
        m_RepeatCount = 0;
        return Make(k_EventKeyPress, p_KeyCode, k_KeyActionPress);
    }
    state = k_KeyHeld;
    ++m_RepeatCount;
    return Make(k_EventKeyRepeat, p_KeyCode, k_KeyActionRepeat);
}

KeyTransition KeyboardState::Release(int32_t p_KeyCode)
{
    if (!IsValid(p_KeyCode))
        return {};
    m_KeyStates[p_KeyCode] = k_KeyUp;
    m_RepeatCount = 0;
    return Make(k_EventKeyRelease, p_KeyCode, k_KeyActionRelease);
}
} // namespace Vozad
