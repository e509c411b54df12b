#pragma once
// The snake's sprites: one entity per segment, head first, each on its segment's cell and
// turned to its direction. Steps only move existing entities; only growth creates one.
#include "Corvan/EntryPoint/EntityHandle.h"
#include "Corvan/Renderer/TextureInfo.h"
#include "Game/BoardTypes.h"
#include "Game/GridModes.h"
#include "Game/Scene/BoardLayout.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/RectSize.h"

namespace Telvar
{
class IEngine;
}

namespace Snake
{
struct SegmentRecord
{
    Cell cell;
    PixelRect rect;
    int32_t direction = k_DirectionRight;
};

class SnakeBody
{
public:
    // p_KeptClear: the window corner the board leaves free, owned by the caller; may be null.
    explicit SnakeBody(Telvar::IEngine* p_Engine, const Lib::RectSize* p_KeptClear = nullptr)
        : m_Engine(p_Engine), m_KeptClear(p_KeptClear)
    {
    }

    // Destroys every segment's entity and starts again with the head on column 1, row 1,
    // moving right.
    void Reset(GridSize p_Grid);
    // Turns the head.
    void SetDirection(int32_t p_Direction);
    // Follows the board: every segment's sprite to its cell and direction; a segment that has
    // no sprite yet (the one just grown) gets a body sprite.
    void Update(const Lib::DynamicArray<Segment>& p_Segments);
    // The same after the window or the grid changed size.
    void Layout(GridSize p_Grid, const Lib::DynamicArray<Segment>& p_Segments);

    const Lib::DynamicArray<Telvar::EntityHandle>& GetEntities() const { return m_Entities; }
    const Lib::DynamicArray<SegmentRecord>& GetRecords() const { return m_Records; }
    const BoardLayout& GetLayout() const { return m_Layout; }
    int32_t GetDirection() const { return m_Direction; }

private:
    void AddSegment(Cell p_Cell, const Vozad::TextureInfo& p_Texture);
    void Place(uint32_t p_Index, const Segment& p_Segment);
    Vozad::TextureInfo LoadImage(const char* p_Name);

    Lib::LogTag m_Tag{"SnakeBody"};
    Telvar::IEngine* m_Engine;        // not owned
    const Lib::RectSize* m_KeptClear; // not owned
    BoardLayout m_Layout;
    GridSize m_Grid;
    Vozad::TextureInfo m_HeadTexture;
    Vozad::TextureInfo m_BodyTexture;
    bool m_TexturesLoaded = false;
    Cell m_HeadCell;
    int32_t m_Direction = k_DirectionRight;
    Lib::DynamicArray<Telvar::EntityHandle> m_Entities;
    Lib::DynamicArray<SegmentRecord> m_Records;
};
} // namespace Snake
