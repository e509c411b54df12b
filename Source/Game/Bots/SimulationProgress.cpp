#include "Game/Bots/SimulationProgress.h"

#include <chrono>
#include <cstdio>
#include <ostream>

namespace Snake
{
namespace
{
constexpr int k_BarWidth = 30;

double SteadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
} // namespace

SimulationProgress::SimulationProgress(std::ostream& p_Err, bool p_Terminal, uint64_t p_TotalGames,
                                       Clock p_Clock)
    : m_Err(p_Err), m_Terminal(p_Terminal), m_TotalGames(p_TotalGames > 0 ? p_TotalGames : 1),
      m_Clock(p_Clock ? std::move(p_Clock) : Clock(&SteadySeconds)), m_Start(m_Clock())
{
}

std::string SimulationProgress::Describe(uint64_t p_GamesDone, const std::string& p_Grid,
                                         double p_Elapsed) const
{
    const double share = static_cast<double>(p_GamesDone) / static_cast<double>(m_TotalGames);
    char text[160];
    // The time left assumes the rounds to come take as long as those played; bigger grids come
    // last, so it is an estimate from below.
    const double left = p_GamesDone > 0 ? p_Elapsed / share - p_Elapsed : 0.0;
    std::snprintf(text, sizeof text, "%3d%% %llu/%llu games, grid %s, %.0f s, about %.0f s left",
                  static_cast<int>(share * 100.0), static_cast<unsigned long long>(p_GamesDone),
                  static_cast<unsigned long long>(m_TotalGames), p_Grid.c_str(), p_Elapsed, left);
    return text;
}

void SimulationProgress::Show(uint64_t p_GamesDone, const std::string& p_Grid)
{
    const double now = m_Clock();
    const double elapsed = now - m_Start;
    if (elapsed < k_QuietSeconds || p_GamesDone >= m_TotalGames)
        return;
    const double interval = m_Terminal ? k_BarInterval : k_LineInterval;
    if (m_LastShown >= 0.0 && now - m_LastShown < interval)
        return;
    m_LastShown = now;
    const std::string text = Describe(p_GamesDone, p_Grid, elapsed);
    if (!m_Terminal)
    {
        m_Err << "progress: " << text << "\n" << std::flush;
        return;
    }
    const int filled =
        static_cast<int>(static_cast<double>(p_GamesDone) * k_BarWidth / static_cast<double>(m_TotalGames));
    m_Err << "\r\033[K[" << std::string(static_cast<size_t>(filled), '#')
          << std::string(static_cast<size_t>(k_BarWidth - filled), '.') << "] " << text << std::flush;
    m_BarShown = true;
}

void SimulationProgress::Clear()
{
    if (!m_BarShown)
        return;
    m_Err << "\r\033[K" << std::flush;
    m_BarShown = false;
    // The bar comes back with the next round rather than waiting out its interval.
    m_LastShown = -1.0;
}
} // namespace Snake
