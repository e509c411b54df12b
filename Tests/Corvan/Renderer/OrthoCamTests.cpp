// The orthographic camera's matrices and the keyboard controller around it.
#include "Corvan/Renderer/OrthoCam.h"
#include "Corvan/Renderer/OrthoCamController.h"

#include "Corvan/Events/IInputCapture.h"
#include "Corvan/Events/KeyCodes.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>

using Vozad::OrthoCam;
using Vozad::OrthoCamController;

namespace
{
constexpr float k_Tolerance = 1e-5f;
// The engine's key states besides 0 (up).
constexpr int32_t k_Pressed = 1;
constexpr int32_t k_Repeated = 2;

// Every element of a 4 x 4 matrix, element [c][r] = column c, row r, against the expected one.
testing::AssertionResult MatrixNear(const glm::mat4& p_Got, const glm::mat4& p_Expected)
{
    for (int c = 0; c < 4; ++c)
    {
        for (int r = 0; r < 4; ++r)
        {
            if (std::fabs(p_Got[c][r] - p_Expected[c][r]) > k_Tolerance)
                return testing::AssertionFailure() << "element [" << c << "][" << r << "] got " << p_Got[c][r]
                                                   << " expected " << p_Expected[c][r];
        }
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult VectorNear(const glm::vec3& p_Got, const glm::vec3& p_Expected)
{
    for (int i = 0; i < 3; ++i)
    {
        if (std::fabs(p_Got[i] - p_Expected[i]) > k_Tolerance)
            return testing::AssertionFailure()
                   << "got (" << p_Got.x << ", " << p_Got.y << ", " << p_Got.z << ") expected ("
                   << p_Expected.x << ", " << p_Expected.y << ", " << p_Expected.z << ")";
    }
    return testing::AssertionSuccess();
}

glm::vec3 Transform(const glm::mat4& p_Matrix, const glm::vec3& p_Point)
{
    return glm::vec3(p_Matrix * glm::vec4(p_Point, 1.0f));
}

bool AllFinite(const glm::mat4& p_Matrix)
{
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            if (!std::isfinite(p_Matrix[c][r]))
                return false;
    return true;
}
} // namespace

TEST(OrthoCamTest, ProjectionIsTheOrthographicBox)
{
    OrthoCam camera;
    camera.SetNear(0.5f);
    camera.SetFar(10.0f);
    camera.SetBox(-2.0f, 4.0f, 3.0f, -1.0f);

    glm::mat4 expected(0.0f);
    expected[0][0] = 2.0f / 6.0f;
    expected[1][1] = 2.0f / 4.0f;
    expected[2][2] = -2.0f / 9.5f;
    expected[3][0] = -2.0f / 6.0f;
    expected[3][1] = -2.0f / 4.0f;
    expected[3][2] = -10.5f / 9.5f;
    expected[3][3] = 1.0f;
    EXPECT_TRUE(MatrixNear(camera.GetProjection(), expected));
    EXPECT_EQ(camera.GetSize(), glm::vec2(6.0f, 4.0f));
}

TEST(OrthoCamTest, ViewLooksFromThePositionAlongTheFront)
{
    OrthoCam camera;
    camera.SetPosition({3.0f, 2.0f, 1.0f});
    camera.SetFront({2.0f, 0.0f, 0.0f}); // normalised by the look-at

    // f = (1, 0, 0), s = f x up = (0, 0, 1), u = s x f = (0, 1, 0); the rows are s, u and -f.
    glm::mat4 expected(0.0f);
    expected[2][0] = 1.0f;
    expected[1][1] = 1.0f;
    expected[0][2] = -1.0f;
    expected[3][0] = -1.0f; // -s.position
    expected[3][1] = -2.0f; // -u.position
    expected[3][2] = 3.0f;  // f.position
    expected[3][3] = 1.0f;
    EXPECT_TRUE(MatrixNear(camera.GetView(), expected));
}

TEST(OrthoCamTest, ProjectionViewMapsTheBoxCornersToTheClipCorners)
{
    OrthoCam camera;
    camera.SetBox(-4.0f, 4.0f, 3.0f, -3.0f);
    camera.SetPosition({10.0f, 20.0f, 1.0f});

    EXPECT_TRUE(MatrixNear(camera.GetViewProjection(), camera.GetProjection() * camera.GetView()));
    // The plane z = 0 lies 1 in front of the camera: depth -2 / 99.9 * -1 - 100.1 / 99.9.
    const float depth = (2.0f - 100.1f) / 99.9f;
    EXPECT_TRUE(VectorNear(Transform(camera.GetViewProjection(), {14.0f, 23.0f, 0.0f}), {1.0f, 1.0f, depth}));
    EXPECT_TRUE(
        VectorNear(Transform(camera.GetViewProjection(), {6.0f, 17.0f, 0.0f}), {-1.0f, -1.0f, depth}));
}

TEST(OrthoCamTest, RollTurnsTheSceneAboutTheChosenAxis)
{
    struct Case
    {
        float degrees;
        int32_t axis;
        glm::vec3 point;
        glm::vec3 turned;
    };
    // Any axis other than 0, 1 and 2 is the diagonal; a third of a turn about it cycles x, y, z.
    for (const Case& test : {Case{90.0f, 0, {0, 1, 0}, {0, 0, 1}}, Case{90.0f, 1, {0, 0, 1}, {1, 0, 0}},
                             Case{90.0f, 2, {1, 0, 0}, {0, 1, 0}}, Case{120.0f, -1, {1, 0, 0}, {0, 1, 0}},
                             Case{120.0f, 7, {0, 1, 0}, {0, 0, 1}}})
    {
        SCOPED_TRACE("axis " + std::to_string(test.axis));
        OrthoCam camera; // at (0, 0, 1) looking down -z: the view only moves z by -1
        camera.SetRoll(test.degrees, test.axis);
        EXPECT_TRUE(
            VectorNear(Transform(camera.GetView(), test.point), test.turned + glm::vec3(0.0f, 0.0f, -1.0f)));
    }
}

TEST(OrthoCamTest, RollZeroLeavesTheViewUnchanged)
{
    OrthoCam camera;
    camera.SetPosition({1.0f, -2.0f, 5.0f});
    const glm::mat4 before = camera.GetView();
    camera.SetRoll(0.0f, 2);
    EXPECT_EQ(camera.GetView(), before);
}

TEST(OrthoCamTest, MoveStepsXTheOtherWayRound)
{
    OrthoCam camera;
    camera.SetPosition({1.0f, 1.0f, 1.0f});
    camera.Move(0.5f, 2.0f, 3.0f);
    EXPECT_EQ(camera.GetPosition(), glm::vec3(0.5f, 3.0f, 4.0f));
    EXPECT_TRUE(VectorNear(Transform(camera.GetView(), {0.5f, 3.0f, 0.0f}), {0.0f, 0.0f, -4.0f}));
}

TEST(OrthoCamTest, MouseLookKeepsThePitchWithinEightyNineDegrees)
{
    OrthoCam camera;
    EXPECT_TRUE(camera.IsFirstMouse());

    camera.ProcessMouse(0, 100000, 1.0f);
    EXPECT_FALSE(camera.IsFirstMouse());
    EXPECT_FLOAT_EQ(camera.GetPitch(), 89.0f);
    const float pitch = 89.0f * 3.14159265f / 180.0f;
    EXPECT_TRUE(VectorNear(camera.GetFront(), {0.0f, std::sin(pitch), -std::cos(pitch)}));

    camera.ProcessMouse(0, -100000, 1.0f);
    EXPECT_FLOAT_EQ(camera.GetPitch(), -89.0f);

    // Only the travel since the last call counts, scaled by the sensitivity.
    camera.ProcessMouse(20, -100000, 0.5f);
    EXPECT_FLOAT_EQ(camera.GetYaw(), -80.0f);
    EXPECT_FLOAT_EQ(camera.GetPitch(), -89.0f);
}

TEST(OrthoCamTest, AnUnsizedCameraKeepsFiniteMatrices)
{
    OrthoCam camera;
    EXPECT_EQ(camera.GetViewProjection(), glm::mat4(1.0f));
    camera.SetPosition({2.0f, 0.0f, 1.0f});
    EXPECT_EQ(camera.GetProjection(), glm::mat4(1.0f));
    EXPECT_TRUE(AllFinite(camera.GetViewProjection()));
}

namespace
{
struct FakeInputCapture : Vozad::IInputCapture
{
    bool WantsKeyboard() const override { return keyboard; }
    bool WantsMouse() const override { return mouse; }
    bool keyboard = false;
    bool mouse = false;
};

class OrthoCamControllerTest : public testing::Test
{
protected:
    void SetUp() override { m_Controller.OnResize(1280.0f, 720.0f); }

    void Hold(std::initializer_list<int32_t> p_Keys, int32_t p_State = k_Pressed)
    {
        for (int32_t& state : m_Keys)
            state = 0;
        for (int32_t key : p_Keys)
            m_Keys[key] = p_State;
    }

    int32_t m_Keys[Vozad::k_KeyCodeCount] = {};
    FakeInputCapture m_Capture;
    OrthoCamController m_Controller{m_Keys, &m_Capture};
};
} // namespace

TEST_F(OrthoCamControllerTest, ResizeDerivesTheBoxFromZoomAndAspect)
{
    const OrthoCam& camera = m_Controller.GetCamera();
    EXPECT_FLOAT_EQ(camera.GetLeft(), -1.7777778f);
    EXPECT_FLOAT_EQ(camera.GetRight(), 1.7777778f);
    EXPECT_FLOAT_EQ(camera.GetTop(), 1.0f);
    EXPECT_FLOAT_EQ(camera.GetBottom(), -1.0f);
    EXPECT_FLOAT_EQ(camera.GetNear(), 0.1f);
    EXPECT_FLOAT_EQ(camera.GetFar(), 100.0f);
    EXPECT_EQ(camera.GetPosition(), glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_TRUE(VectorNear(Transform(camera.GetViewProjection(), {1.7777778f, -1.0f, 0.0f}),
                           {1.0f, -1.0f, (2.0f - 100.1f) / 99.9f}));

    // A minimised window has no area; the box keeps its shape.
    m_Controller.OnResize(0.0f, 0.0f);
    EXPECT_FLOAT_EQ(m_Controller.GetAspectRatio(), 1280.0f / 720.0f);
    EXPECT_TRUE(AllFinite(camera.GetViewProjection()));
}

TEST_F(OrthoCamControllerTest, InitialiseSetsAspectAndPosition)
{
    m_Controller.SetZoom(2.0f);
    m_Controller.Initialise(1.5f, {4.0f, 5.0f, 1.0f});
    const OrthoCam& camera = m_Controller.GetCamera();
    EXPECT_EQ(camera.GetSize(), glm::vec2(6.0f, 4.0f));
    EXPECT_EQ(camera.GetPosition(), glm::vec3(4.0f, 5.0f, 1.0f));
    EXPECT_TRUE(VectorNear(Transform(camera.GetViewProjection(), {1.0f, 3.0f, 0.0f}),
                           {-1.0f, -1.0f, (2.0f - 100.1f) / 99.9f}));
}

TEST_F(OrthoCamControllerTest, ZoomNeverGoesBelowAQuarter)
{
    struct Case
    {
        float asked;
        float kept;
    };
    for (const Case& test : {Case{0.1f, 0.25f}, Case{-3.0f, 0.25f}, Case{0.25f, 0.25f}, Case{3.0f, 3.0f},
                             Case{std::numeric_limits<float>::quiet_NaN(), 0.25f}})
    {
        SCOPED_TRACE(test.asked);
        m_Controller.SetZoom(test.asked);
        EXPECT_FLOAT_EQ(m_Controller.GetZoom(), test.kept);
        EXPECT_FLOAT_EQ(m_Controller.GetCamera().GetTop(), test.kept);
        EXPECT_FLOAT_EQ(m_Controller.GetCamera().GetRight(), test.kept * 1280.0f / 720.0f);
    }
}

TEST_F(OrthoCamControllerTest, HeldKeysMoveTheCameraAndTheFirstOfAPairWins)
{
    struct Case
    {
        std::initializer_list<int32_t> keys;
        glm::vec2 step;
    };
    // Frame time 0.4 at zoom 1 is a speed of 1.
    for (const Case& test :
         {Case{{'A'}, {-1, 0}}, Case{{'D'}, {1, 0}}, Case{{'W'}, {0, 1}}, Case{{'S'}, {0, -1}},
          Case{{'A', 'D'}, {-1, 0}}, Case{{'W', 'S'}, {0, 1}}, Case{{'D', 'S'}, {1, -1}},
          Case{{Vozad::KeyCode::LeftArrow, Vozad::KeyCode::RightArrow, 32, 67}, {0, 0}}})
    {
        SCOPED_TRACE(testing::PrintToString(std::vector<int32_t>(test.keys)));
        m_Controller.GetCamera().SetPosition({0.0f, 0.0f, 1.0f});
        Hold(test.keys);
        m_Controller.Update(0.4f);
        EXPECT_TRUE(VectorNear(m_Controller.GetCamera().GetPosition(), {test.step.x, test.step.y, 1.0f}));
        EXPECT_FLOAT_EQ(m_Controller.GetZoom(), 1.0f);
    }
}

TEST_F(OrthoCamControllerTest, RepeatedKeysCountAsHeldAndSpeedFollowsTheZoom)
{
    m_Controller.SetZoom(2.0f);
    Hold({'D'}, k_Repeated);
    m_Controller.Update(0.4f);
    EXPECT_TRUE(VectorNear(m_Controller.GetCamera().GetPosition(), {2.0f, 0.0f, 1.0f}));
}

TEST_F(OrthoCamControllerTest, ZoomKeysStepTheZoomFasterWithLeftControl)
{
    struct Case
    {
        std::initializer_list<int32_t> keys;
        float zoom;
    };
    const int32_t ctrl = Vozad::KeyCode::LeftControl;
    for (const Case& test : {Case{{44}, 0.996f}, Case{{284}, 0.996f}, Case{{44, ctrl}, 0.98f},
                             Case{{283}, 1.004f}, Case{{45}, 1.004f}, Case{{283, ctrl}, 1.02f},
                             Case{{284, 283}, 0.996f}, Case{{Vozad::KeyCode::RightControl, 44}, 0.996f}})
    {
        SCOPED_TRACE(testing::PrintToString(std::vector<int32_t>(test.keys)));
        m_Controller.SetZoom(1.0f);
        Hold(test.keys);
        m_Controller.Update(0.016f);
        EXPECT_NEAR(m_Controller.GetZoom(), test.zoom, 1e-6f);
        EXPECT_NEAR(m_Controller.GetCamera().GetTop(), test.zoom, 1e-6f);
    }
}

TEST_F(OrthoCamControllerTest, NothingMovesWhileTheGuiCapturesInput)
{
    for (const bool keyboard : {true, false})
    {
        m_Capture.keyboard = keyboard;
        m_Capture.mouse = !keyboard;
        Hold({'A', 'W', 44, Vozad::KeyCode::LeftControl});
        m_Controller.Update(0.4f);
        EXPECT_EQ(m_Controller.GetCamera().GetPosition(), glm::vec3(0.0f, 0.0f, 1.0f));
        EXPECT_FLOAT_EQ(m_Controller.GetZoom(), 1.0f);
    }

    m_Capture.mouse = false;
    m_Controller.Update(0.4f);
    EXPECT_TRUE(VectorNear(m_Controller.GetCamera().GetPosition(), {-1.0f, 1.0f, 1.0f}));
    EXPECT_FLOAT_EQ(m_Controller.GetZoom(), 0.98f);
}

TEST(OrthoCamControllerWithoutInputTest, NoKeyStatesMeansNoKeyHeld)
{
    OrthoCamController controller(nullptr, nullptr);
    controller.OnResize(800.0f, 600.0f);
    controller.Update(1.0f);
    EXPECT_EQ(controller.GetCamera().GetPosition(), glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(controller.GetZoom(), 1.0f);
}
