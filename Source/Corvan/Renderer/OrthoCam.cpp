#include "Corvan/Renderer/OrthoCam.h"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>

namespace Vozad
{
namespace
{
constexpr float k_RollDegreesToRadians = 3.1415927f / 180.0f;
constexpr double k_MouseDegreesToRadians = 3.141592653589793 / 180.0;
constexpr float k_PitchLimit = 89.0f;

glm::vec3 RollAxis(int32_t p_Axis)
{
    switch (p_Axis)
    {
    case 0:
        return {1.0f, 0.0f, 0.0f};
    case 1:
        return {0.0f, 1.0f, 0.0f};
    case 2:
        return {0.0f, 0.0f, 1.0f};
    default:
        return {1.0f, 1.0f, 1.0f};
    }
}
} // namespace

glm::vec2 OrthoCam::GetSize() const
{
    return {std::fabs(m_Right) + std::fabs(m_Left), std::fabs(m_Top) + std::fabs(m_Bottom)};
}

void OrthoCam::SetPosition(const glm::vec3& p_Position)
{
    m_Position = p_Position;
    Recompute();
}

void OrthoCam::ProcessMouse(int32_t p_X, int32_t p_Y, float p_Sensitivity)
{
    m_FirstMouse = false;
    const float x = static_cast<float>(p_X);
    const float y = static_cast<float>(p_Y);
    const float xOffset = (x - m_LastMouseX) * p_Sensitivity;
    const float yOffset = (y - m_LastMouseY) * p_Sensitivity;
    m_LastMouseX = x;
    m_LastMouseY = y;
    m_Yaw += xOffset;
    m_Pitch = std::clamp(m_Pitch + yOffset, -k_PitchLimit, k_PitchLimit);

    const double yaw = m_Yaw * k_MouseDegreesToRadians;
    const double pitch = m_Pitch * k_MouseDegreesToRadians;
    const glm::dvec3 front(std::cos(yaw) * std::cos(pitch), std::sin(pitch), std::sin(yaw) * std::cos(pitch));
    m_Front = glm::vec3(glm::normalize(front));
    Recompute();
}

void OrthoCam::SetFront(const glm::vec3& p_Front)
{
    m_Front = p_Front;
    Recompute();
}

void OrthoCam::Move(float p_Dx, float p_Dy, float p_Dz)
{
    m_Position.x -= p_Dx;
    m_Position.y += p_Dy;
    m_Position.z += p_Dz;
    Recompute();
}

void OrthoCam::SetNear(float p_Near)
{
    m_Near = p_Near;
    Recompute();
}

void OrthoCam::SetFar(float p_Far)
{
    m_Far = p_Far;
    Recompute();
}

void OrthoCam::SetBox(float p_Left, float p_Right, float p_Top, float p_Bottom)
{
    m_Left = p_Left;
    m_Right = p_Right;
    m_Top = p_Top;
    m_Bottom = p_Bottom;
    Recompute();
}

void OrthoCam::SetRoll(float p_Degrees, int32_t p_Axis)
{
    m_Roll = p_Degrees;
    m_RollAxis = p_Axis;
    Recompute();
}

void OrthoCam::Recompute()
{
    // A box without extent (a camera not sized yet, or a zero-height window) would fill the
    // projection with infinities and NaNs, which never compare equal and so would make every
    // SetCamera report a change; the last usable projection stays instead.
    if (m_Right != m_Left && m_Top != m_Bottom && m_Far != m_Near)
        m_Projection = glm::orthoRH_NO(m_Left, m_Right, m_Bottom, m_Top, m_Near, m_Far);

    m_View = glm::lookAtRH(m_Position, m_Position + m_Front, glm::vec3(0.0f, 1.0f, 0.0f));
    if (m_Roll != 0.0f)
        m_View = glm::rotate(m_View, m_Roll * k_RollDegreesToRadians, RollAxis(m_RollAxis));

    m_ProjectionView = m_Projection * m_View;
}
} // namespace Vozad
