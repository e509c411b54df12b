#include "Game/Scene/SnakeBody.h"

#include "Corvan/EntryPoint/IEngine.h"
#include "Corvan/Renderer/ImageResources.h"
#include "Game/Scene/SceneImages.h"
#include "Game/Scene/SceneWindowSize.h"

namespace Snake
{
namespace
{
float RotationFor(int32_t p_Direction)
{
    return static_cast<float>(p_Direction) * 90.0f;
}
} // namespace

Vozad::TextureInfo SnakeBody::LoadImage(const char* p_Name)
{
    const Vozad::ImageResource* image = Vozad::FindImageResource(p_Name);
    if (!image)
    {
        Lib::LogError(m_Tag, "The image \"%s\" is not compiled in.", p_Name);
        return {};
    }
    return m_Engine->LoadTextureFromMemory(*image);
}

void SnakeBody::Reset(GridSize p_Grid)
{
    if (!m_TexturesLoaded)
    {
        m_HeadTexture = LoadImage(k_SnakeHeadImage);
        m_BodyTexture = LoadImage(k_SnakeBodyImage);
        m_TexturesLoaded = true;
    }
    m_Grid = p_Grid;
    m_Layout = LayoutForWindow(*m_Engine, p_Grid, m_KeptClear);
    m_Direction = k_DirectionRight;
    m_HeadCell = Cell{1, 1};
    for (const Telvar::EntityHandle& entity : m_Entities)
        m_Engine->DestroyEntity(entity);
    m_Entities.Clear();
    m_Records.Clear();
    AddSegment(m_HeadCell, m_HeadTexture);
}

void SnakeBody::AddSegment(Cell p_Cell, const Vozad::TextureInfo& p_Texture)
{
    SegmentRecord record;
    record.cell = p_Cell;
    record.rect = CellRect(m_Layout, p_Cell);
    record.direction = k_DirectionRight;

    Telvar::EntityHandle entity = m_Engine->CreateEntity();
    Telvar::Transform transform;
    PlaceOnPixels(m_Layout, record.rect, transform);
    transform.z = k_SpriteDepth;
    transform.rotationZ = RotationFor(record.direction);
    transform.pivot = k_PivotCentre;
    m_Engine->AddTransform(entity, transform);
    Telvar::SpriteComponent sprite;
    sprite.texture = p_Texture;
    m_Engine->AddSprite(entity, sprite);

    m_Entities.Add(entity);
    m_Records.Add(record);
}

void SnakeBody::SetDirection(int32_t p_Direction)
{
    m_Direction = p_Direction;
    if (m_Entities.IsEmpty())
        return;
    Telvar::Transform transform;
    if (!m_Engine->GetTransform(m_Entities[0], transform))
        return;
    m_Records[0].direction = p_Direction;
    transform.rotationZ = RotationFor(p_Direction);
    transform.pivot = k_PivotCentre;
    m_Engine->SetTransform(m_Entities[0], transform, true);
    m_Engine->RefreshSprite(m_Entities[0]);
}

void SnakeBody::Place(uint32_t p_Index, const Segment& p_Segment)
{
    SegmentRecord& record = m_Records[p_Index];
    record.cell = p_Segment.cell;
    record.rect = CellRect(m_Layout, p_Segment.cell);
    record.direction = p_Segment.direction;
    Telvar::Transform transform;
    if (!m_Engine->GetTransform(m_Entities[p_Index], transform))
        return;
    PlaceOnPixels(m_Layout, record.rect, transform);
    transform.z = k_SpriteDepth;
    transform.rotationZ = RotationFor(record.direction);
    transform.pivot = k_PivotCentre;
    transform.scale = 1.0f;
    m_Engine->SetTransform(m_Entities[p_Index], transform, true);
    m_Engine->RefreshSprite(m_Entities[p_Index]);
}

void SnakeBody::Update(const Lib::DynamicArray<Segment>& p_Segments)
{
    if (p_Segments.IsEmpty())
        return;
    while (m_Entities.Count() < p_Segments.Count())
        AddSegment(p_Segments[m_Entities.Count()].cell, m_Entities.IsEmpty() ? m_HeadTexture : m_BodyTexture);
    // The board never shrinks a snake but by a reset; should it ever, the extra sprites go.
    while (m_Entities.Count() > p_Segments.Count())
    {
        m_Engine->DestroyEntity(m_Entities[m_Entities.Count() - 1]);
        m_Entities.Remove(m_Entities.Count() - 1);
        m_Records.Remove(m_Records.Count() - 1);
    }
    m_HeadCell = p_Segments[0].cell;
    m_Direction = p_Segments[0].direction;
    for (uint32_t i = p_Segments.Count(); i-- > 0;)
        Place(i, p_Segments[i]);
}

void SnakeBody::Layout(GridSize p_Grid, const Lib::DynamicArray<Segment>& p_Segments)
{
    m_Grid = p_Grid;
    m_Layout = LayoutForWindow(*m_Engine, p_Grid, m_KeptClear);
    Update(p_Segments);
}
} // namespace Snake
