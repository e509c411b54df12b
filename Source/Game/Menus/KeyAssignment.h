#pragma once
// The movement keys of the input page and the assignment of a new one: a key button is chosen,
// Edit starts the wait, and the next key press ends it. Keys are only shown here; the menu's
// Apply stores them, and Back shows the applied ones again.
#include "Game/Menus/OptionsModel.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Snake
{
class KeyAssignment
{
public:
    enum class Outcome
    {
        NotWaiting, // the key is not the assignment's
        Cancelled,  // ESCAPE: the wait ended, nothing changed
        Assigned,   // the chosen row shows the key's name
        Unnamed,    // a key without a name: the wait ended, nothing changed
    };

    // Every row shows, and has applied, the key name the configuration holds for it.
    void Reset(const std::array<std::string, k_MoveKeyCount>& p_Names);
    // A key button was pressed; rows outside the table are ignored. Not while waiting.
    void Choose(uint32_t p_Row);
    bool HasChosen() const { return m_Chosen < k_MoveKeyCount; }
    uint32_t GetChosen() const { return m_Chosen; }
    // Edit was clicked: starts waiting when a row is chosen and no wait runs; true when it started.
    bool Begin();
    bool IsWaiting() const { return m_Waiting; }
    // A key press ends a running wait (see Outcome); without a wait nothing happens.
    Outcome OnKey(int32_t p_Code);
    // Ends a running wait without a key.
    void Cancel() { m_Waiting = false; }

    const std::string& GetShown(uint32_t p_Row) const { return m_Shown.at(p_Row); }
    const std::string& GetApplied(uint32_t p_Row) const { return m_Applied.at(p_Row); }
    // Key codes through the key-name table; 0 for a name the table does not hold.
    int32_t GetShownCode(uint32_t p_Row) const;
    int32_t GetAppliedCode(uint32_t p_Row) const;
    // Rows whose shown key differs from the applied one show the applied key again; the rows
    // that changed are returned.
    std::vector<uint32_t> RestoreUnapplied();
    // The row's shown key is now the applied one.
    void MarkApplied(uint32_t p_Row);
    // The key behind the row changed outside the menu: the row shows and has applied it.
    void SetKey(uint32_t p_Row, const std::string& p_Name);

private:
    std::array<std::string, k_MoveKeyCount> m_Shown;
    std::array<std::string, k_MoveKeyCount> m_Applied;
    uint32_t m_Chosen = k_MoveKeyCount; // none
    bool m_Waiting = false;
};
} // namespace Snake
