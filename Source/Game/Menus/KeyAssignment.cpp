#include "Game/Menus/KeyAssignment.h"

#include "Corvan/Events/KeyCodes.h"

namespace Snake
{
void KeyAssignment::Reset(const std::array<std::string, k_MoveKeyCount>& p_Names)
{
    m_Shown = p_Names;
    m_Applied = p_Names;
    m_Chosen = k_MoveKeyCount;
    m_Waiting = false;
}

void KeyAssignment::Choose(uint32_t p_Row)
{
    if (p_Row < k_MoveKeyCount && !m_Waiting)
        m_Chosen = p_Row;
}

bool KeyAssignment::Begin()
{
    if (!HasChosen() || m_Waiting)
        return false;
    m_Waiting = true;
    return true;
}

KeyAssignment::Outcome KeyAssignment::OnKey(int32_t p_Code)
{
    if (!m_Waiting)
        return Outcome::NotWaiting;
    m_Waiting = false;
    if (p_Code == Vozad::KeyCode::Escape)
        return Outcome::Cancelled;
    const char* name = Vozad::KeyNameFromCode(p_Code);
    if (!name || !*name)
        return Outcome::Unnamed;
    m_Shown[m_Chosen] = name;
    return Outcome::Assigned;
}

int32_t KeyAssignment::GetShownCode(uint32_t p_Row) const
{
    return Vozad::KeyCodeFromName(m_Shown.at(p_Row).c_str());
}

int32_t KeyAssignment::GetAppliedCode(uint32_t p_Row) const
{
    return Vozad::KeyCodeFromName(m_Applied.at(p_Row).c_str());
}

std::vector<uint32_t> KeyAssignment::RestoreUnapplied()
{
    std::vector<uint32_t> rows;
    for (uint32_t row = 0; row < k_MoveKeyCount; ++row)
    {
        if (m_Shown[row] == m_Applied[row])
            continue;
        m_Shown[row] = m_Applied[row];
        rows.push_back(row);
    }
    return rows;
}

void KeyAssignment::MarkApplied(uint32_t p_Row)
{
    m_Applied.at(p_Row) = m_Shown.at(p_Row);
}

void KeyAssignment::SetKey(uint32_t p_Row, const std::string& p_Name)
{
    m_Shown.at(p_Row) = p_Name;
    m_Applied.at(p_Row) = p_Name;
}
} // namespace Snake
