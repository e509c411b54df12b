#pragma once
// The camera interfaces: the renderer and picking only read a camera's projection-view matrix;
// a controller drives one camera from the keyboard once per frame.
#include <glm/glm.hpp>

#include <cstdint>

namespace Vozad
{
class ICamera
{
public:
    virtual ~ICamera() = default;
    virtual const glm::mat4& GetViewProjection() const = 0;
    virtual glm::vec3 GetPosition() const = 0;
    // (|right| + |left|, |top| + |bottom|) of the view box.
    virtual glm::vec2 GetSize() const = 0;
    virtual void SetPosition(const glm::vec3& p_Position) = 0;
    virtual void ProcessMouse(int32_t p_X, int32_t p_Y, float p_Sensitivity) = 0;
    virtual void SetFront(const glm::vec3& p_Front) = 0;
    // x moves the other way round than y and z: a positive step to the left is what the
    // controller's move-left key hands in.
    virtual void Move(float p_Dx, float p_Dy, float p_Dz) = 0;
    virtual void SetNear(float p_Near) = 0;
    virtual void SetFar(float p_Far) = 0;
};

class ICameraController
{
public:
    virtual ~ICameraController() = default;
    virtual void Initialise(float p_AspectRatio, const glm::vec3& p_Position) = 0;
    virtual ICamera& GetCamera() = 0;
    // Called once per frame with the frame time in seconds.
    virtual void Update(float p_FrameTime) = 0;
    virtual float GetZoom() const = 0;
    virtual void SetZoom(float p_Zoom) = 0;
    virtual void OnResize(float p_Width, float p_Height) = 0;
};
} // namespace Vozad
