#pragma once
// A table of columns and rows, each sized by its own mode, whose cells hold at most one element.
// The bars, margins and painted panels of the menus are built on it.
#include "Corvan/Gui/Containers/GridCell.h"
#include "Corvan/Gui/Containers/GridSizeMode.h"
#include "Corvan/Gui/Containers/GridTrack.h"
#include "Corvan/Layout/LayoutBase.h"
#include "Lib/DynamicArray.h"

#include <cstdint>
#include <memory>

namespace Vozad
{
class LayoutGrid : public LayoutBase
{
public:
    LayoutGrid() = default;
    // Destroys the owned cell elements.
    ~LayoutGrid() override;

    // Both return the new track's index. A new column brings one empty cell for every existing
    // row (one for row 0 while there are no rows), a new row likewise.
    int32_t AddColumn(int32_t p_Value, GridSizeMode p_Mode);
    int32_t AddRow(int32_t p_Value, GridSizeMode p_Mode);
    // -1 picks the last column or row. Invalid indices are ignored. A previous element the cell
    // owned is destroyed unless another cell still owns it; one it did not own is only forgotten.
    // The grid lays itself out again at once.
    void SetElement(LayoutBase* p_Element, bool p_Owned, int32_t p_Column, int32_t p_Row);
    // Hands the element over: the cell owns it.
    void SetElement(std::unique_ptr<LayoutBase> p_Element, int32_t p_Column, int32_t p_Row)
    {
        SetElement(p_Element.release(), true, p_Column, p_Row);
    }

    uint32_t GetColumnCount() const { return m_Columns.Count(); }
    uint32_t GetRowCount() const { return m_Rows.Count(); }
    uint32_t GetCellCount() const { return m_Cells.Count(); }
    const GridTrack& GetColumn(uint32_t p_Index) const { return m_Columns.At(p_Index); }
    const GridTrack& GetRow(uint32_t p_Index) const { return m_Rows.At(p_Index); }
    const GridCell& GetCellAt(uint32_t p_Index) const { return m_Cells.At(p_Index); }
    // The first cell with that (column, row) pair, or null.
    const GridCell* FindCell(int32_t p_Column, int32_t p_Row) const;
    // The element of that cell, or null for an empty or missing cell.
    LayoutBase* GetElement(int32_t p_Column, int32_t p_Row) const;

    // Children are asked from the last cell to the first. The grid neither tests its own state
    // nor tells its own forwarder: its parent has already done the former.
    bool OnTextInput(EventTextInput& p_Event) override;
    bool OnKeyPress(EventKeyInput& p_Event) override;
    bool OnKeyRepeat(EventKeyInput& p_Event) override;
    bool OnKeyRelease(EventKeyInput& p_Event) override;
    bool OnMouseScroll(EventMouseScroll& p_Event) override;
    LayoutBase* OnMousePress(EventMousePress& p_Event) override;
    LayoutBase* OnMouseRelease(EventMousePress& p_Event) override;
    LayoutBase* OnMouseClick(EventMousePress& p_Event) override;
    LayoutBase* FindElementAt(EventCursor& p_Event) override;
    LayoutBase* OnHoverChanged(EventCursor& p_Event) override;
    bool OnCursorDrag(EventCursor& p_Event) override;
    bool OnCursorEnter(EventMouseEnter& p_Event) override;
    bool OnCursorLeave(EventMouseLeave& p_Event) override;

    void UpdateLayout() override;
    void Draw(IDrawingContext& p_Context) override;
    void SetOrigin(Lib::Point p_Origin) override;
    void SetClipRect(const LayoutRect& p_ClipRect) override;
    // (0, 0) unless Visible: a Hidden grid wishes no space either.
    Lib::RectSize GetDesiredSize() const override;
    LayoutBase* FindById(int32_t p_Id) override;
    void ForEachChild(const std::function<void(LayoutBase&)>& p_Visit) override
    {
        for (uint32_t i = 0; i < m_Cells.Count(); ++i)
            if (m_Cells.At(i).element)
                p_Visit(*m_Cells.At(i).element);
    }

protected:
    // Draws the Visible cell elements, first cell first.
    void DrawCells(IDrawingContext& p_Context);

private:
    void LayoutCells();
    GridCell* FindCellForLayout(int32_t p_Column, int32_t p_Row);
    // The largest desired width (or height) among the elements of one column (or row); elements
    // without a wish do not count, and no wish at all gives 0.
    int64_t LargestDesiredExtent(bool p_Width, int32_t p_Track) const;

    Lib::DynamicArray<GridCell> m_Cells; // one per (column, row) pair, in creation order
    Lib::DynamicArray<GridTrack> m_Columns;
    Lib::DynamicArray<GridTrack> m_Rows;
};
} // namespace Vozad
