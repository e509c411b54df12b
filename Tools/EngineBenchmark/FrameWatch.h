#pragma once
// Watches the engine's frames for a benchmark: notes when the first frame has been presented,
// counts the frames of the measured seconds after it and then quits the engine. Events can be
// handed on to the receiver the watcher stands in front of (the real game), so it measures the
// program as a player runs it.
#include "BenchReport.h"

#include "Corvan/EntryPoint/IEngine.h"
#include "Corvan/Events/WindowEvents.h"
#include "Corvan/Layout/IWindowEventBase.h"

namespace Bench
{
class FrameWatch : public Vozad::IWindowEventBase
{
public:
    FrameWatch(Telvar::IEngine& p_Engine, Report& p_Report, double p_Seconds,
               Vozad::IWindowEventBase* p_Next = nullptr)
        : m_Engine(p_Engine), m_Report(p_Report), m_Seconds(p_Seconds), m_Next(p_Next)
    {
    }

    void OnWindowCreate(Vozad::EventWindowCreate& p_Event) override
    {
        Pass(&IWindowEventBase::OnWindowCreate, p_Event);
    }
    void OnWindowFocus(Vozad::EventWindowFocus& p_Event) override
    {
        Pass(&IWindowEventBase::OnWindowFocus, p_Event);
    }
    void OnWindowPosition(Vozad::EventWindowPosition& p_Event) override
    {
        Pass(&IWindowEventBase::OnWindowPosition, p_Event);
    }
    void OnWindowResize(Vozad::EventWindowResize& p_Event) override
    {
        Pass(&IWindowEventBase::OnWindowResize, p_Event);
    }
    void OnWindowMinimize(Vozad::EventWindowMinimize& p_Event) override
    {
        Pass(&IWindowEventBase::OnWindowMinimize, p_Event);
    }
    void OnWindowMaximize(Vozad::EventWindowMaximize& p_Event) override
    {
        Pass(&IWindowEventBase::OnWindowMaximize, p_Event);
    }
    void OnWindowFullscreen(Vozad::EventWindowFullscreen& p_Event) override
    {
        Pass(&IWindowEventBase::OnWindowFullscreen, p_Event);
    }
    void OnQuitRequest(Vozad::EventQuitRequest& p_Event) override
    {
        Pass(&IWindowEventBase::OnQuitRequest, p_Event);
    }
    void OnWindowClose(Vozad::EventWindowClose& p_Event) override
    {
        Pass(&IWindowEventBase::OnWindowClose, p_Event);
    }
    void OnRendererPresent(Vozad::EventRendererPresent& p_Event) override
    {
        Pass(&IWindowEventBase::OnRendererPresent, p_Event);
    }

    // Frame 2 begins once frame 1 has been presented: that is where start-up ends.
    void OnRendererUpdate(Vozad::EventRendererUpdate& p_Event) override
    {
        const Clock::time_point now = Clock::now();
        // A program that draws only on change may not draw a second frame by itself, nor the one
        // that ends the measurement: both are asked for.
        if (p_Event.frameNumber == 1)
            m_Engine.RequestRedraw(0.0);
        if (m_FirstFrameNumber == 0 && p_Event.frameNumber >= 2)
        {
            m_FirstFrameNumber = p_Event.frameNumber;
            m_Report.firstFrame = now;
            m_CpuAtFirstFrame = CpuSeconds();
            m_Engine.RequestRedraw(m_Seconds);
        }
        if (m_FirstFrameNumber != 0)
        {
            const double seconds = std::chrono::duration<double>(now - m_Report.firstFrame).count();
            if (seconds >= m_Seconds)
            {
                m_Report.frames = p_Event.frameNumber - m_FirstFrameNumber;
                m_Report.seconds = seconds;
                m_Report.cpuSeconds = CpuSeconds() - m_CpuAtFirstFrame;
                m_Engine.Quit();
                return;
            }
        }
        Pass(&IWindowEventBase::OnRendererUpdate, p_Event);
    }

private:
    template <typename Event> void Pass(void (IWindowEventBase::*p_Handler)(Event&), Event& p_Event)
    {
        if (m_Next)
            (m_Next->*p_Handler)(p_Event);
    }

    Telvar::IEngine& m_Engine;
    Report& m_Report;
    double m_Seconds;
    Vozad::IWindowEventBase* m_Next;
    uint64_t m_FirstFrameNumber = 0;
    double m_CpuAtFirstFrame = 0.0;
};
} // namespace Bench
