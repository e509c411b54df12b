#include "Corvan/Renderer/OrthoCamController.h"

#include "Corvan/Events/IInputCapture.h"
#include "Corvan/Events/KeyCodes.h"

namespace Vozad
{
namespace
{
constexpr float k_MoveSpeed = 2.5f;
constexpr float k_ZoomStep = 0.02f;
constexpr float k_FastZoomStep = 0.1f;
constexpr float k_ZoomStepScale = 0.2f;

// Main keyboard plus, keypad add; keypad subtract (nothing produces code 45, the main minus).
constexpr int32_t k_ZoomInKey = 44;
constexpr int32_t k_KeypadZoomInKey = 284;
constexpr int32_t k_ZoomOutKey = 45;
constexpr int32_t k_KeypadZoomOutKey = 283;
} // namespace

OrthoCamController::OrthoCamController(const int32_t* p_KeyStates, const IInputCapture* p_InputCapture)
    : m_KeyStates(p_KeyStates), m_InputCapture(p_InputCapture)
{
}

void OrthoCamController::Initialise(float p_AspectRatio, const glm::vec3& p_Position)
{
    m_AspectRatio = p_AspectRatio;
    ApplyBox();
    m_Camera.SetPosition(p_Position);
}

void OrthoCamController::Update(float p_FrameTime)
{
    // Keys typed into a text field or over a GUI element belong to the GUI, not the camera.
    if (m_InputCapture && (m_InputCapture->WantsKeyboard() || m_InputCapture->WantsMouse()))
        return;

    const float speed = p_FrameTime * k_MoveSpeed * m_Zoom;
    // Opposite keys held together: the first of each pair wins.
    float dx = 0.0f;
    if (IsHeld(m_MoveLeftKey))
        dx = speed;
    else if (IsHeld(m_MoveRightKey))
        dx = -speed;
    float dy = 0.0f;
    if (IsHeld(m_MoveUpKey))
        dy = speed;
    else if (IsHeld(m_MoveDownKey))
        dy = -speed;

    const bool zoomIn = IsHeld(k_ZoomInKey) || IsHeld(k_KeypadZoomInKey);
    const bool zoomOut = !zoomIn && (IsHeld(k_ZoomOutKey) || IsHeld(k_KeypadZoomOutKey));

    m_Camera.Move(dx, dy, 0.0f);

    if (zoomIn || zoomOut)
    {
        const float step = (IsHeld(KeyCode::LeftControl) ? k_FastZoomStep : k_ZoomStep) * k_ZoomStepScale;
        SetZoom(zoomIn ? m_Zoom - step : m_Zoom + step);
    }
    m_Camera.Recompute();
}

void OrthoCamController::SetZoom(float p_Zoom)
{
    // Written so that NaN also ends at the floor.
    m_Zoom = p_Zoom >= k_MinimumZoom ? p_Zoom : k_MinimumZoom;
    ApplyBox();
}

void OrthoCamController::OnResize(float p_Width, float p_Height)
{
    if (p_Width > 0.0f && p_Height > 0.0f)
        m_AspectRatio = p_Width / p_Height;
    ApplyBox();
}

bool OrthoCamController::IsHeld(int32_t p_KeyCode) const
{
    if (!m_KeyStates || p_KeyCode <= 0 || p_KeyCode >= k_KeyCodeCount)
        return false;
    const int32_t state = m_KeyStates[p_KeyCode];
    return state == 1 || state == 2;
}

void OrthoCamController::ApplyBox()
{
    m_Camera.SetBox(-m_Zoom * m_AspectRatio, m_Zoom * m_AspectRatio, m_Zoom, -m_Zoom);
}
} // namespace Vozad
