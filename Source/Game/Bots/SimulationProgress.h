#pragma once
// What a long --simulate run shows while it plays: nothing for the first second, then a bar
// redrawn in place on a terminal, or a plain line every few seconds when standard error goes to a
// file or a pipe (a log is read later, so it gets fewer, whole lines).
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

namespace Snake
{
class SimulationProgress
{
public:
    // Seconds since some fixed moment; the steady clock unless a test gives its own.
    using Clock = std::function<double()>;

    SimulationProgress(std::ostream& p_Err, bool p_Terminal, uint64_t p_TotalGames, Clock p_Clock = {});

    // Called often (every step of a round): shows the rounds finished when it is time to.
    // p_Grid is the grid being played ("13x8").
    void Show(uint64_t p_GamesDone, const std::string& p_Grid);
    // Before anything else is written to standard output or error: a bar on the screen is taken
    // away, so that the line written starts at the left and the bar comes back below it.
    void Clear();

    static constexpr double k_QuietSeconds = 1.0; // shorter runs show nothing
    static constexpr double k_BarInterval = 0.1;  // the bar is redrawn at most this often
    static constexpr double k_LineInterval = 5.0; // plain lines come at most this often

private:
    std::string Describe(uint64_t p_GamesDone, const std::string& p_Grid, double p_Elapsed) const;

    std::ostream& m_Err;
    bool m_Terminal;
    uint64_t m_TotalGames;
    Clock m_Clock;
    double m_Start = 0.0;
    double m_LastShown = -1.0; // when something was last shown, below 0 while nothing has been
    bool m_BarShown = false;
};
} // namespace Snake
