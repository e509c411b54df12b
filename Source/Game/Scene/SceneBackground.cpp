#include "Game/Scene/SceneBackground.h"

#include "Corvan/EntryPoint/IEngine.h"
#include "Corvan/Renderer/ShaderHandler.h"
#include "Game/Scene/SceneWindowSize.h"

namespace Snake
{
void SceneBackground::Create(GridSize p_Grid)
{
    m_Entity = m_Engine->CreateEntity();
    Telvar::Transform transform;
    transform.width = 1.0f;
    transform.height = 1.0f;
    transform.pivot = k_PivotCentre;
    m_Engine->AddTransform(m_Entity, transform);

    Telvar::ColouredQuadComponent quad;
    quad.shader =
        m_Engine
            ->GetEngineShaderTable()[Vozad::EngineShaderRow(Vozad::BuiltInShader::BatchedColorSpriteShader)];
    quad.red = 51;
    quad.green = 77;
    quad.blue = 77;
    quad.alpha = 255;
    m_Engine->AddColouredQuad(m_Entity, quad);
    Layout(p_Grid);
}

void SceneBackground::Layout(GridSize p_Grid)
{
    m_Grid = p_Grid;
    m_Layout = LayoutForWindow(*m_Engine, p_Grid, m_KeptClear);
    Telvar::Transform transform;
    if (!m_Engine->GetTransform(m_Entity, transform))
        return;
    PixelRect board;
    board.left = m_Layout.offsetX;
    board.top = m_Layout.offsetY;
    board.right = board.left + p_Grid.columns * m_Layout.cellSize;
    board.bottom = board.top + p_Grid.rows * m_Layout.cellSize;
    PlaceOnPixels(m_Layout, board, transform);
    transform.z = 0.0f;
    transform.rotationX = transform.rotationY = transform.rotationZ = 0.0f;
    transform.pivot = k_PivotCentre;
    transform.scale = 1.0f;
    m_Engine->SetTransform(m_Entity, transform, true);
    m_Engine->RefreshColouredQuad(m_Entity);
}
} // namespace Snake
