#pragma once
// A game stand-in for tests that drive the real engine: every window and renderer event is
// ignored unless a test overrides the ones it watches.
#include "Corvan/Events/WindowEvents.h"
#include "Corvan/Layout/IWindowEventBase.h"

namespace TestSupport
{
class WindowEventWatcher : public Vozad::IWindowEventBase
{
public:
    void OnWindowCreate(Vozad::EventWindowCreate&) override {}
    void OnWindowFocus(Vozad::EventWindowFocus&) override {}
    void OnWindowPosition(Vozad::EventWindowPosition&) override {}
    void OnWindowResize(Vozad::EventWindowResize&) override {}
    void OnWindowMinimize(Vozad::EventWindowMinimize&) override {}
    void OnWindowMaximize(Vozad::EventWindowMaximize&) override {}
    void OnWindowFullscreen(Vozad::EventWindowFullscreen&) override {}
    void OnQuitRequest(Vozad::EventQuitRequest&) override {}
    void OnWindowClose(Vozad::EventWindowClose&) override {}
    void OnRendererUpdate(Vozad::EventRendererUpdate&) override {}
    void OnRendererPresent(Vozad::EventRendererPresent&) override {}
};
} // namespace TestSupport
