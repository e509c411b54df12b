#pragma once
// An orthographic camera: a view box, a position, a viewing direction and an optional roll.
// Every change recomputes the projection, the view and their product at once, so the matrix the
// renderer copies is never stale.
#include "Corvan/Renderer/ICamera.h"

#include <glm/glm.hpp>

#include <cstdint>

namespace Vozad
{
class OrthoCam : public ICamera
{
public:
    // The box stays empty until SetBox; the matrices stay identity until the first change.
    OrthoCam() = default;

    const glm::mat4& GetViewProjection() const override { return m_ProjectionView; }
    glm::vec3 GetPosition() const override { return m_Position; }
    glm::vec2 GetSize() const override;
    void SetPosition(const glm::vec3& p_Position) override;
    // Mouse look: yaw and pitch follow the cursor's travel since the last call; pitch stays
    // within [-89, 89] degrees so the view never flips over the up vector.
    void ProcessMouse(int32_t p_X, int32_t p_Y, float p_Sensitivity) override;
    void SetFront(const glm::vec3& p_Front) override;
    void Move(float p_Dx, float p_Dy, float p_Dz) override;
    void SetNear(float p_Near) override;
    void SetFar(float p_Far) override;

    void SetBox(float p_Left, float p_Right, float p_Top, float p_Bottom);
    // Roll in degrees about axis 0 (x), 1 (y), 2 (z), or (1, 1, 1) for any other value.
    void SetRoll(float p_Degrees, int32_t p_Axis);

    float GetLeft() const { return m_Left; }
    float GetRight() const { return m_Right; }
    float GetTop() const { return m_Top; }
    float GetBottom() const { return m_Bottom; }
    float GetNear() const { return m_Near; }
    float GetFar() const { return m_Far; }
    glm::vec3 GetFront() const { return m_Front; }
    float GetYaw() const { return m_Yaw; }
    float GetPitch() const { return m_Pitch; }
    bool IsFirstMouse() const { return m_FirstMouse; }
    const glm::mat4& GetProjection() const { return m_Projection; }
    const glm::mat4& GetView() const { return m_View; }

    void Recompute();

private:
    float m_Left = 0.0f, m_Right = 0.0f, m_Top = 0.0f, m_Bottom = 0.0f;
    float m_Near = 0.1f, m_Far = 100.0f;
    glm::vec3 m_Position{0.0f, 0.0f, 1.0f};
    glm::vec3 m_Front{0.0f, 0.0f, -1.0f};
    glm::vec3 m_Up{0.0f, 1.0f, 0.0f}; // kept for callers; the view always looks up along +y
    bool m_FirstMouse = true;
    float m_Yaw = -90.0f; // degrees
    float m_Pitch = 0.0f; // degrees
    float m_LastMouseX = 0.0f, m_LastMouseY = 0.0f;
    float m_Roll = 0.0f; // degrees
    int32_t m_RollAxis = -1;
    glm::mat4 m_Projection{1.0f};
    glm::mat4 m_View{1.0f};
    glm::mat4 m_ProjectionView{1.0f};
};
} // namespace Vozad
