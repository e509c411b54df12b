#pragma once
// Drives an OrthoCam from held keys once per frame: A/D/W/S move, plus and minus zoom, left Ctrl
// zooms faster. The view box follows the zoom and the window's aspect ratio.
#include "Corvan/Renderer/ICamera.h"
#include "Corvan/Renderer/OrthoCam.h"
#include "Lib/Log.h"

#include <glm/glm.hpp>

#include <cstdint>

namespace Vozad
{
class IInputCapture;

class OrthoCamController : public ICameraController
{
public:
    static constexpr float k_MinimumZoom = 0.25f;

    // p_KeyStates: the engine's k_KeyCodeCount key states (0 up, 1 pressed, 2 held), read on
    // every Update; p_InputCapture: the GUI's capture state. Neither is owned; either may be null
    // (no key held, nothing captured).
    OrthoCamController(const int32_t* p_KeyStates, const IInputCapture* p_InputCapture);

    void Initialise(float p_AspectRatio, const glm::vec3& p_Position) override;
    OrthoCam& GetCamera() override { return m_Camera; }
    const OrthoCam& GetCamera() const { return m_Camera; }
    void Update(float p_FrameTime) override;
    float GetZoom() const override { return m_Zoom; }
    // Never below k_MinimumZoom.
    void SetZoom(float p_Zoom) override;
    // A size without area (a minimised window) keeps the aspect ratio it had.
    void OnResize(float p_Width, float p_Height) override;

    float GetAspectRatio() const { return m_AspectRatio; }
    const Lib::LogTag& GetTag() const { return m_Tag; }

private:
    bool IsHeld(int32_t p_KeyCode) const;
    void ApplyBox();

    Lib::LogTag m_Tag{"OrthoCamController"};
    const int32_t* m_KeyStates;
    const IInputCapture* m_InputCapture;
    float m_AspectRatio = 1.0f;
    float m_Zoom = 1.0f;
    OrthoCam m_Camera;
    int32_t m_MoveLeftKey = 65;  // A
    int32_t m_MoveRightKey = 68; // D
    int32_t m_MoveUpKey = 87;    // W
    int32_t m_MoveDownKey = 83;  // S
};
} // namespace Vozad
