#include "Game/Scene/PointToCatch.h"

#include "Corvan/EntryPoint/IEngine.h"
#include "Corvan/Renderer/ImageResources.h"
#include "Game/Scene/SceneImages.h"
#include "Game/Scene/SceneWindowSize.h"

namespace Snake
{
void PointToCatch::Create(GridSize p_Grid, Cell p_Cell)
{
    m_Grid = p_Grid;
    m_Cell = p_Cell;
    m_Layout = LayoutForWindow(*m_Engine, p_Grid, m_KeptClear);
    m_Rect = CellRect(m_Layout, p_Cell);

    m_Entity = m_Engine->CreateEntity();
    Telvar::SpriteComponent sprite;
    if (const Vozad::ImageResource* image = Vozad::FindImageResource(k_FoodImage))
        sprite.texture = m_Engine->LoadTextureFromMemory(*image);
    else
        Lib::LogError(m_Tag, "The image \"%s\" is not compiled in.", k_FoodImage);

    Telvar::Transform transform;
    PlaceOnPixels(m_Layout, m_Rect, transform);
    transform.z = k_SpriteDepth;
    transform.pivot = k_PivotCentre;
    m_Engine->AddTransform(m_Entity, transform);
    m_Engine->AddSprite(m_Entity, sprite);
}

void PointToCatch::Layout(GridSize p_Grid, Cell p_Cell)
{
    m_Grid = p_Grid;
    m_Cell = p_Cell;
    m_Layout = LayoutForWindow(*m_Engine, p_Grid, m_KeptClear);
    m_Rect = CellRect(m_Layout, p_Cell);
    Telvar::Transform transform;
    if (!m_Engine->GetTransform(m_Entity, transform))
        return;
    PlaceOnPixels(m_Layout, m_Rect, transform);
    transform.z = k_SpriteDepth;
    // A quad scaled to nothing covers no pixel; the entity and its texture stay for the next round.
    transform.scale = m_Visible ? 1.0f : 0.0f;
    m_Engine->SetTransform(m_Entity, transform, true);
    m_Engine->RefreshSprite(m_Entity);
}

void PointToCatch::SetVisible(bool p_Visible)
{
    m_Visible = p_Visible;
    Layout(m_Grid, m_Cell);
}
} // namespace Snake
