#include "Corvan/Gui/Containers/LayoutGrid.h"

#include "Corvan/Events/InputEvents.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"

#include <algorithm>
#include <limits>

namespace Vozad
{
namespace
{
int32_t ClampToInt32(int64_t p_Value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(p_Value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// A desired component of k_NoDesiredSize is no wish and never counts as a size.
bool HasWish(uint32_t p_Desired)
{
    return p_Desired < static_cast<uint32_t>(k_NoDesiredSize);
}

// A child may take an event only while it is enabled and Visible; the grid never tests itself.
bool Eligible(const LayoutBase* p_Element)
{
    return p_Element && p_Element->IsEnabled() && p_Element->IsVisible();
}

// Sizes of one axis, computed from the tracks and the desired extents of the axis' elements.
class AxisSizer
{
public:
    AxisSizer(const Lib::DynamicArray<GridTrack>& p_Tracks, int64_t p_Available)
        : m_Sizes(p_Tracks), m_Available(p_Available)
    {
    }

    // Fixed tracks take their value; Weighted ones add to the weight sum.
    void CountFixedAndWeights()
    {
        for (uint32_t i = 0; i < m_Sizes.Count(); ++i)
        {
            const GridTrack& track = m_Sizes.At(i);
            switch (track.mode)
            {
            case GridSizeMode::Fixed:
                m_Available -= track.value;
                break;
            case GridSizeMode::Weighted:
                // A weight must be positive; anything else counts as 0 and gets no space.
                m_WeightSum += std::max(track.value, 0);
                break;
            case GridSizeMode::Share:
                ++m_ShareCount;
                break;
            case GridSizeMode::Fill:
                ++m_FillCount;
                break;
            case GridSizeMode::Auto:
                break;
            }
        }
        // Fixed tracks that do not fit keep their size and stick out of the rectangle; every
        // other track then simply gets nothing instead of a negative size.
        m_Available = std::max<int64_t>(m_Available, 0);
    }

    template <class LargestDesired> void SizeAuto(LargestDesired p_LargestDesired)
    {
        for (uint32_t i = 0; i < m_Sizes.Count(); ++i)
        {
            GridTrack& track = m_Sizes.At(i);
            if (track.mode != GridSizeMode::Auto)
                continue;
            const int64_t size = static_cast<int64_t>(track.value) *
                                 std::min<int64_t>(m_Available, p_LargestDesired(static_cast<int32_t>(i)));
            track.value = ClampToInt32(size);
            m_Available = std::max<int64_t>(m_Available - track.value, 0);
        }
    }

    void SizeWeighted()
    {
        // With no positive weight at all there is nothing to share out: every Weighted track gets
        // 0 and the space stays for Fill and Share tracks.
        if (m_WeightSum == 0)
        {
            for (GridTrack& track : m_Sizes)
            {
                if (track.mode == GridSizeMode::Weighted)
                    track.value = 0;
            }
            return;
        }
        const int64_t trackCount = m_Sizes.Count();
        const int64_t unit = m_Available / m_WeightSum;
        const int64_t rem = m_Available % m_WeightSum;
        const int64_t extra = rem / trackCount;
        const int64_t leftover = rem % trackCount;
        for (GridTrack& track : m_Sizes)
        {
            if (track.mode != GridSizeMode::Weighted)
                continue;
            const int64_t size = std::max(track.value, 0) * unit + (rem != 0 ? extra : 0);
            track.value = ClampToInt32(size);
            m_Available = std::max<int64_t>(m_Available - track.value, 0);
        }
        if (leftover != 0)
        {
            GridTrack& first = m_Sizes.At(0);
            first.value = ClampToInt32(first.value + leftover / 2);
            GridTrack& last = m_Sizes.At(m_Sizes.Count() - 1);
            last.value = ClampToInt32(last.value + (leftover - leftover / 2));
        }
    }

    // Fill tracks take everything that is left, then Share tracks take what Fill left (nothing
    // when there was a Fill track). Several tracks of one of these modes split the space evenly,
    // the last of them taking the remainder, so the tracks still add up to the space.
    void SizeFillAndShare()
    {
        SplitAmong(GridSizeMode::Fill, m_FillCount);
        SplitAmong(GridSizeMode::Share, m_ShareCount);
    }

    int32_t Size(uint32_t p_Index) const { return m_Sizes.At(p_Index).value; }

private:
    void SplitAmong(GridSizeMode p_Mode, int64_t p_Count)
    {
        if (p_Count == 0)
            return;
        const int64_t each = m_Available / p_Count;
        const int64_t remainder = m_Available - each * p_Count;
        int64_t seen = 0;
        for (GridTrack& track : m_Sizes)
        {
            if (track.mode != p_Mode)
                continue;
            ++seen;
            track.value = ClampToInt32(each + (seen == p_Count ? remainder : 0));
        }
        m_Available = 0;
    }

    Lib::DynamicArray<GridTrack> m_Sizes; // copies of the tracks; the values become the sizes
    int64_t m_Available;
    int64_t m_WeightSum = 0;
    int64_t m_ShareCount = 0;
    int64_t m_FillCount = 0;
};
} // namespace

LayoutGrid::~LayoutGrid()
{
    // Taken out first, so an element's destructor never meets the grid half dismantled.
    Lib::DynamicArray<GridCell> cells = std::move(m_Cells);
    for (uint32_t i = 0; i < cells.Count(); ++i)
    {
        const GridCell& cell = cells.At(i);
        if (!cell.owned || !cell.element)
            continue;
        // An element put into two cells as owned is still destroyed only once.
        bool destroyedBefore = false;
        for (uint32_t j = 0; j < i && !destroyedBefore; ++j)
            destroyedBefore = cells.At(j).owned && cells.At(j).element == cell.element;
        if (!destroyedBefore)
            delete cell.element;
    }
}

int32_t LayoutGrid::AddColumn(int32_t p_Value, GridSizeMode p_Mode)
{
    const int32_t column = static_cast<int32_t>(m_Columns.Count());
    m_Columns.Add(GridTrack{p_Value, p_Mode});
    const int32_t rowCount = static_cast<int32_t>(m_Rows.Count());
    for (int32_t row = 0; row < std::max(rowCount, 1); ++row)
        m_Cells.Add(GridCell{LayoutRect{}, column, row, nullptr, false});
    return column;
}

int32_t LayoutGrid::AddRow(int32_t p_Value, GridSizeMode p_Mode)
{
    const int32_t row = static_cast<int32_t>(m_Rows.Count());
    m_Rows.Add(GridTrack{p_Value, p_Mode});
    const int32_t columnCount = static_cast<int32_t>(m_Columns.Count());
    for (int32_t column = 0; column < std::max(columnCount, 1); ++column)
        m_Cells.Add(GridCell{LayoutRect{}, column, row, nullptr, false});
    return row;
}

void LayoutGrid::SetElement(LayoutBase* p_Element, bool p_Owned, int32_t p_Column, int32_t p_Row)
{
    const int32_t columnCount = static_cast<int32_t>(m_Columns.Count());
    const int32_t rowCount = static_cast<int32_t>(m_Rows.Count());
    const int32_t column = columnCount == 0 ? 0 : (p_Column == -1 ? columnCount - 1 : p_Column);
    const int32_t row = rowCount == 0 ? 0 : (p_Row == -1 ? rowCount - 1 : p_Row);
    const bool columnValid =
        columnCount == 0 ? (p_Column == 0 || p_Column == -1) : (column >= 0 && column < columnCount);
    const bool rowValid = rowCount == 0 ? (p_Row == 0 || p_Row == -1) : (row >= 0 && row < rowCount);

    if ((columnCount > 0 || rowCount > 0) && columnValid && rowValid)
    {
        for (uint32_t i = 0; i < m_Cells.Count(); ++i)
        {
            GridCell& cell = m_Cells.At(i);
            if (cell.column != column || cell.row != row)
                continue;
            LayoutBase* previous = cell.owned ? cell.element : nullptr;
            cell.element = p_Element;
            cell.owned = p_Owned;
            // The grid was told to own the element it is now dropping: nobody else will destroy
            // it, unless another cell of this grid still owns it too.
            if (previous && previous != p_Element)
            {
                bool stillOwned = false;
                for (const GridCell& other : m_Cells)
                    stillOwned = stillOwned || (other.owned && other.element == previous);
                if (!stillOwned)
                    delete previous;
            }
            break;
        }
    }
    if (!m_Cells.IsEmpty())
        UpdateLayout();
}

const GridCell* LayoutGrid::FindCell(int32_t p_Column, int32_t p_Row) const
{
    for (const GridCell& cell : m_Cells)
    {
        if (cell.column == p_Column && cell.row == p_Row)
            return &cell;
    }
    return nullptr;
}

LayoutBase* LayoutGrid::GetElement(int32_t p_Column, int32_t p_Row) const
{
    const GridCell* cell = FindCell(p_Column, p_Row);
    return cell ? cell->element : nullptr;
}

void LayoutGrid::UpdateLayout()
{
    if (!m_Cells.IsEmpty())
        LayoutCells();
}

void LayoutGrid::LayoutCells()
{
    const LayoutRect rect = GetRect();
    int64_t availableWidth = rect.Width();
    int64_t availableHeight = rect.Height();
    if (HasFlag(k_LayoutAtLeastDesiredWidth) || HasFlag(k_LayoutAtLeastDesiredHeight))
    {
        const Lib::RectSize desired = GetDesiredSize();
        if (HasFlag(k_LayoutAtLeastDesiredWidth) && HasWish(desired.width))
            availableWidth = std::max<int64_t>(availableWidth, desired.width);
        if (HasFlag(k_LayoutAtLeastDesiredHeight) && HasWish(desired.height))
            availableHeight = std::max<int64_t>(availableHeight, desired.height);
    }

    AxisSizer columns(m_Columns, availableWidth);
    AxisSizer rows(m_Rows, availableHeight);
    columns.CountFixedAndWeights();
    rows.CountFixedAndWeights();

    const auto largestDesired = [this](bool p_Width)
    { return [this, p_Width](int32_t p_Track) { return LargestDesiredExtent(p_Width, p_Track); }; };
    columns.SizeAuto(largestDesired(true));
    rows.SizeAuto(largestDesired(false));
    columns.SizeWeighted();
    rows.SizeWeighted();
    columns.SizeFillAndShare();
    rows.SizeFillAndShare();

    // An axis without tracks (a bar before its first slot) counts as one track over the whole
    // rectangle, so an element set into its cell 0 is still placed.
    int32_t y = rect.top;
    for (uint32_t row = 0; row < m_Rows.Count() || (row == 0 && m_Rows.IsEmpty()); ++row)
    {
        const int32_t rowSize = m_Rows.IsEmpty() ? rect.Height() : rows.Size(row);
        int32_t x = rect.left;
        for (uint32_t column = 0; column < m_Columns.Count() || (column == 0 && m_Columns.IsEmpty());
             ++column)
        {
            const int32_t columnSize = m_Columns.IsEmpty() ? rect.Width() : columns.Size(column);
            GridCell* cell = FindCellForLayout(static_cast<int32_t>(column), static_cast<int32_t>(row));
            if (cell)
            {
                cell->rect = LayoutRect{x, x + columnSize, y, y + rowSize};
                if (LayoutBase* element = cell->element)
                {
                    int32_t width = columnSize;
                    int32_t height = rowSize;
                    if (element->HasFlag(k_LayoutSizeToDesired))
                    {
                        const Lib::RectSize desired = element->GetDesiredSize();
                        if (HasWish(desired.width))
                            width = std::min<int64_t>(width, desired.width);
                        if (HasWish(desired.height))
                            height = std::min<int64_t>(height, desired.height);
                    }
                    element->SetRect(LayoutRect{x, x + width, y, y + height});
                    element->UpdateLayout();
                }
            }
            x += columnSize;
        }
        y += rowSize;
    }
}

int64_t LayoutGrid::LargestDesiredExtent(bool p_Width, int32_t p_Track) const
{
    int64_t largest = 0;
    for (const GridCell& cell : m_Cells)
    {
        if (!cell.element || (p_Width ? cell.column : cell.row) != p_Track)
            continue;
        const Lib::RectSize desired = cell.element->GetDesiredSize();
        const uint32_t extent = p_Width ? desired.width : desired.height;
        if (HasWish(extent))
            largest = std::max<int64_t>(largest, extent);
    }
    return largest;
}

GridCell* LayoutGrid::FindCellForLayout(int32_t p_Column, int32_t p_Row)
{
    for (GridCell& cell : m_Cells)
    {
        if (cell.column == p_Column && cell.row == p_Row)
            return &cell;
    }
    return nullptr;
}

namespace
{
// Visits the cell elements from the last cell to the first until one answers. A handler may
// change the grid (a menu that swaps a cell's element), so the count is read again on every step.
template <class Result, class Visit> Result LastCellFirst(Lib::DynamicArray<GridCell>& p_Cells, Visit p_Visit)
{
    uint32_t next = p_Cells.Count();
    while (next > 0)
    {
        next = std::min(next, p_Cells.Count());
        if (next == 0)
            break;
        --next;
        LayoutBase* element = p_Cells.At(next).element;
        if (!Eligible(element))
            continue;
        if (Result result = p_Visit(*element))
            return result;
    }
    return Result{};
}

template <class Event> bool InsideRect(const LayoutBase& p_Element, const Event& p_Event)
{
    return p_Element.GetRect().Contains(p_Event.position);
}
} // namespace

bool LayoutGrid::OnTextInput(EventTextInput& p_Event)
{
    return LastCellFirst<bool>(m_Cells,
                               [&](LayoutBase& p_Child)
                               {
                                   if (!p_Child.IsFocused())
                                       return false;
                                   if (p_Child.OnTextInput(p_Event))
                                       return true;
                                   ILayoutEventForwarder* forwarder = p_Child.GetForwarder();
                                   return p_Child.PassesInput() && forwarder &&
                                          forwarder->OnTextInput(p_Event, p_Child);
                               });
}

bool LayoutGrid::OnKeyPress(EventKeyInput& p_Event)
{
    return LastCellFirst<bool>(m_Cells,
                               [&](LayoutBase& p_Child)
                               {
                                   if (!p_Child.IsActive())
                                       return false;
                                   // A container child does not tell its own forwarder; the
                                   // element's default behaviour does, when it is focused.
                                   return p_Child.OnKeyPress(p_Event) ||
                                          p_Child.LayoutBase::OnKeyPress(p_Event);
                               });
}

bool LayoutGrid::OnKeyRepeat(EventKeyInput& p_Event)
{
    return LastCellFirst<bool>(m_Cells,
                               [&](LayoutBase& p_Child)
                               {
                                   if (!p_Child.IsFocused())
                                       return false;
                                   if (p_Child.OnKeyRepeat(p_Event))
                                       return true;
                                   ILayoutEventForwarder* forwarder = p_Child.GetForwarder();
                                   return p_Child.PassesInput() && forwarder &&
                                          forwarder->OnKeyRepeat(p_Event, p_Child);
                               });
}

bool LayoutGrid::OnKeyRelease(EventKeyInput&)
{
    return false;
}

bool LayoutGrid::OnMouseScroll(EventMouseScroll& p_Event)
{
    return LastCellFirst<bool>(m_Cells,
                               [&](LayoutBase& p_Child)
                               {
                                   if (!InsideRect(p_Child, p_Event))
                                       return false;
                                   if (p_Child.OnMouseScroll(p_Event))
                                       return true;
                                   ILayoutEventForwarder* forwarder = p_Child.GetForwarder();
                                   return p_Child.PassesInput() && forwarder &&
                                          forwarder->OnMouseScroll(p_Event, p_Child);
                               });
}

LayoutBase* LayoutGrid::OnMousePress(EventMousePress& p_Event)
{
    return LastCellFirst<LayoutBase*>(m_Cells,
                                      [&](LayoutBase& p_Child) -> LayoutBase* {
                                          return InsideRect(p_Child, p_Event) ? p_Child.OnMousePress(p_Event)
                                                                              : nullptr;
                                      });
}

LayoutBase* LayoutGrid::OnMouseRelease(EventMousePress& p_Event)
{
    return LastCellFirst<LayoutBase*>(
        m_Cells,
        [&](LayoutBase& p_Child) -> LayoutBase*
        { return InsideRect(p_Child, p_Event) ? p_Child.OnMouseRelease(p_Event) : nullptr; });
}

LayoutBase* LayoutGrid::OnMouseClick(EventMousePress& p_Event)
{
    return LastCellFirst<LayoutBase*>(m_Cells,
                                      [&](LayoutBase& p_Child) -> LayoutBase* {
                                          return InsideRect(p_Child, p_Event) ? p_Child.OnMouseClick(p_Event)
                                                                              : nullptr;
                                      });
}

LayoutBase* LayoutGrid::FindElementAt(EventCursor& p_Event)
{
    return LastCellFirst<LayoutBase*>(m_Cells,
                                      [&](LayoutBase& p_Child) -> LayoutBase* {
                                          return InsideRect(p_Child, p_Event) ? p_Child.FindElementAt(p_Event)
                                                                              : nullptr;
                                      });
}

LayoutBase* LayoutGrid::OnHoverChanged(EventCursor& p_Event)
{
    const bool entered = p_Event.entered != 0;
    return LastCellFirst<LayoutBase*>(m_Cells,
                                      [&](LayoutBase& p_Child) -> LayoutBase*
                                      {
                                          if (!InsideRect(p_Child, p_Event))
                                              return nullptr;
                                          if (LayoutBase* hit = p_Child.OnHoverChanged(p_Event))
                                          {
                                              hit->SetHovered(entered);
                                              return hit;
                                          }
                                          if (!p_Child.PassesInput())
                                              return nullptr;
                                          p_Child.SetHovered(entered);
                                          if (ILayoutEventForwarder* forwarder = p_Child.GetForwarder())
                                              forwarder->OnHoverChanged(p_Event, p_Child);
                                          return &p_Child;
                                      });
}

bool LayoutGrid::OnCursorDrag(EventCursor& p_Event)
{
    return LastCellFirst<bool>(m_Cells,
                               [&](LayoutBase& p_Child)
                               {
                                   if (!InsideRect(p_Child, p_Event))
                                       return false;
                                   if (p_Child.OnCursorDrag(p_Event))
                                       return true;
                                   ILayoutEventForwarder* forwarder = p_Child.GetForwarder();
                                   return p_Child.PassesInput() && forwarder &&
                                          forwarder->OnCursorDrag(p_Event, p_Child);
                               });
}

bool LayoutGrid::OnCursorEnter(EventMouseEnter& p_Event)
{
    return LastCellFirst<bool>(m_Cells,
                               [&](LayoutBase& p_Child)
                               {
                                   if (!InsideRect(p_Child, p_Event))
                                       return false;
                                   if (p_Child.OnCursorEnter(p_Event))
                                       return true;
                                   ILayoutEventForwarder* forwarder = p_Child.GetForwarder();
                                   return p_Child.PassesInput() && forwarder &&
                                          forwarder->OnCursorEnter(p_Event, p_Child);
                               });
}

bool LayoutGrid::OnCursorLeave(EventMouseLeave& p_Event)
{
    return LastCellFirst<bool>(m_Cells,
                               [&](LayoutBase& p_Child)
                               {
                                   if (!InsideRect(p_Child, p_Event))
                                       return false;
                                   if (p_Child.OnCursorLeave(p_Event))
                                       return true;
                                   ILayoutEventForwarder* forwarder = p_Child.GetForwarder();
                                   return p_Child.PassesInput() && forwarder &&
                                          forwarder->OnCursorLeave(p_Event, p_Child);
                               });
}

void LayoutGrid::Draw(IDrawingContext& p_Context)
{
    if (IsVisible())
        DrawCells(p_Context);
}

void LayoutGrid::DrawCells(IDrawingContext& p_Context)
{
    for (uint32_t i = 0; i < m_Cells.Count(); ++i)
    {
        LayoutBase* element = m_Cells.At(i).element;
        if (element && element->IsVisible())
            element->Draw(p_Context);
    }
}

void LayoutGrid::SetOrigin(Lib::Point p_Origin)
{
    LayoutBase::SetOrigin(p_Origin);
    for (const GridCell& cell : m_Cells)
    {
        if (cell.element)
            cell.element->SetOrigin(p_Origin);
    }
}

void LayoutGrid::SetClipRect(const LayoutRect& p_ClipRect)
{
    LayoutBase::SetClipRect(p_ClipRect);
    for (const GridCell& cell : m_Cells)
    {
        if (cell.element)
            cell.element->SetClipRect(p_ClipRect);
    }
}

Lib::RectSize LayoutGrid::GetDesiredSize() const
{
    if (!IsVisible())
        return {0, 0};
    const auto axisSum = [this](const Lib::DynamicArray<GridTrack>& p_Tracks, bool p_Width)
    {
        int64_t sum = 0;
        for (uint32_t i = 0; i < p_Tracks.Count(); ++i)
        {
            const GridTrack& track = p_Tracks.At(i);
            if (track.mode == GridSizeMode::Fixed)
            {
                sum += track.value;
                continue;
            }
            sum += LargestDesiredExtent(p_Width, static_cast<int32_t>(i));
        }
        // Never wraps around, and never grows into the "no wish" value.
        return static_cast<uint32_t>(std::clamp<int64_t>(sum, 0, k_NoDesiredSize - 1));
    };
    return {axisSum(m_Columns, true), axisSum(m_Rows, false)};
}

LayoutBase* LayoutGrid::FindById(int32_t p_Id)
{
    for (uint32_t i = m_Cells.Count(); i > 0; --i)
    {
        LayoutBase* element = m_Cells.At(i - 1).element;
        if (!element)
            continue;
        if (LayoutBase* found = element->FindById(p_Id))
            return found;
        if (element->GetId() == p_Id)
            return element;
    }
    return LayoutBase::FindById(p_Id);
}
} // namespace Vozad
