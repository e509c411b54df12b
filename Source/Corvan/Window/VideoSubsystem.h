#pragma once
// SDL's video for the window: started on a real display (never silently on SDL's offscreen
// driver), the desktop's mode and the monitors read when a window is made, and given back when
// the window goes.
#include "Corvan/Window/EngineData.h"
#include "Lib/Log.h"

namespace Vozad
{
class VideoSubsystem
{
public:
    // p_Tag names the window in the log and must outlive this object.
    explicit VideoSubsystem(const Lib::LogTag& p_Tag) : m_Tag(p_Tag) {}

    // Takes a reference on SDL's video; false, with the reason logged, when no display can be
    // reached. True at once when this object already holds one.
    bool Start();
    // Gives the reference back; nothing happens without one.
    void Stop();
    bool IsStarted() const { return m_VideoInitialised; }
    // Reads the desktop's mode and the monitor list into p_Data; false, with the reason logged,
    // when the desktop has too few colours or shows no monitor.
    bool ReadDisplays(EngineData& p_Data) const;

private:
    // Starts SDL's video on a real display; false, with the reason logged, when there is none.
    bool InitialiseVideo();

    const Lib::LogTag& m_Tag;
    bool m_VideoInitialised = false; // this window holds a reference on SDL's video
};
} // namespace Vozad
