#pragma once
// When the main loop draws. A software rasterizer spends most of a core drawing a menu sixty times a
// second although nothing on it changes, so a frame is drawn only when there is a reason: input
// (or any window event) arrived, something asked for a frame now or at a later moment (the game
// while its round runs, an animation, a benchmark's end), or the frame-rate reading changed and
// the new figure has to be shown. Between those the loop waits for window events.
#include <cstdint>
#include <vector>

namespace Telvar
{
class RedrawSchedule
{
public:
    // A frame is wanted at p_At (seconds on the loop's clock) or as soon after as the loop gets to
    // it; a time already past means the next frame. Every request is kept until a frame begins at
    // or after its time.
    void Request(double p_At);
    // A frame begins at p_Now: every request due by then is served by it; later ones stay.
    void BeginFrame(double p_Now);
    // Whether a request is due at p_Now.
    bool IsDue(double p_Now) const;
    // How long the loop may wait for window events from p_Now: until the earliest request or
    // p_Deadline (the next moment the loop has to look at something by itself), whichever comes
    // first; 0 when a request is due. In whole milliseconds, rounded up so that the wait never
    // ends just before the moment it waits for.
    uint32_t WaitMilliseconds(double p_Now, double p_Deadline) const;
    // The earliest pending request; a negative value when there is none.
    double NextRequest() const;

private:
    std::vector<double> m_Requests; // unordered; a handful at most
};
} // namespace Telvar
