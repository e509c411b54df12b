#include "Corvan/EntryPoint/EntityRegistry.h"
#include "Corvan/Renderer/ISceneInstances.h"
#include "Corvan/Renderer/SpriteInstance.h"

#include "Support/CapturingForwarder.h"
#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <glm/ext/matrix_transform.hpp>
#include <glm/vec4.hpp>

#include <ostream>

#include <string>
#include <vector>

using Telvar::ColouredQuadComponent;
using Telvar::EntityHandle;
using Telvar::EntityRegistry;
using Telvar::SpriteComponent;
using Telvar::TiledSpriteComponent;
using Telvar::Transform;
using Vozad::SpriteInstance;

namespace
{
// A small scene of its own: two databases of containers keyed by (shader group, texture key),
// with the filing rules the engine's scene has, plus a log of every call it received.
class RecordingScene : public Vozad::ISceneInstances
{
public:
    struct Entry
    {
        uint64_t id;
        SpriteInstance instance;
    };
    struct Container
    {
        std::string group;
        uint64_t key;
        int32_t kind;
        std::vector<Entry> entries;
    };
    struct Call
    {
        std::string operation; // "submit", "update" or "remove"
        uint64_t id;
        std::string group;
        int32_t kind;
        uint64_t key;
        bool transparent;
    };

    void SubmitInstance(uint64_t p_EntityId, const Lib::String& p_ShaderGroup, int32_t p_Kind,
                        uint64_t p_TextureKey, const SpriteInstance& p_Instance) override
    {
        const std::string group = p_ShaderGroup.ToNarrow().Bytes();
        calls.push_back({"submit", p_EntityId, group, p_Kind, p_TextureKey, p_Instance.transparent});
        std::vector<Container>& database = databases[p_Instance.transparent ? 1 : 0];
        Container* container = Find(database, group, p_TextureKey);
        if (!container)
            container = &database.emplace_back(Container{group, p_TextureKey, p_Kind, {}});
        auto position = container->entries.end();
        for (auto it = container->entries.begin(); it != container->entries.end(); ++it)
            if (it->id == p_EntityId)
                position = it + 1;
        container->entries.insert(position, Entry{p_EntityId, p_Instance});
    }

    void UpdateInstance(uint64_t p_EntityId, bool p_Transparent, const Lib::String& p_ShaderGroup,
                        uint64_t p_TextureKey, const SpriteInstance& p_Instance) override
    {
        const std::string group = p_ShaderGroup.ToNarrow().Bytes();
        calls.push_back({"update", p_EntityId, group, 0, p_TextureKey, p_Transparent});
        if (Container* container = Find(databases[p_Transparent ? 1 : 0], group, p_TextureKey))
            for (Entry& entry : container->entries)
                if (entry.id == p_EntityId)
                {
                    entry.instance = p_Instance;
                    break;
                }
    }

    bool RemoveEntity(uint64_t p_EntityId) override
    {
        calls.push_back({"remove", p_EntityId, "", 0, 0, false});
        for (std::vector<Container>& database : databases)
            for (auto container = database.begin(); container != database.end(); ++container)
            {
                const size_t before = container->entries.size();
                std::erase_if(container->entries, [&](const Entry& e) { return e.id == p_EntityId; });
                if (container->entries.size() == before)
                    continue;
                if (container->entries.empty())
                    database.erase(container);
                return true;
            }
        return false;
    }

    // Every instance of the entity, opaque database first.
    std::vector<SpriteInstance> InstancesOf(uint64_t p_Id, int* p_Database = nullptr) const
    {
        std::vector<SpriteInstance> found;
        for (int d = 0; d < 2; ++d)
            for (const Container& container : databases[d])
                for (const Entry& entry : container.entries)
                    if (entry.id == p_Id)
                    {
                        found.push_back(entry.instance);
                        if (p_Database)
                            *p_Database = d;
                    }
        return found;
    }

    std::vector<std::string> Operations() const
    {
        std::vector<std::string> operations;
        for (const Call& call : calls)
            operations.push_back(call.operation);
        return operations;
    }

    std::vector<Container> databases[2]; // opaque, transparent
    std::vector<Call> calls;

private:
    static Container* Find(std::vector<Container>& p_Database, const std::string& p_Group, uint64_t p_Key)
    {
        for (Container& container : p_Database)
            if (container.group == p_Group && container.key == p_Key)
                return &container;
        return nullptr;
    }
};

constexpr const char* k_SpriteShader = "BatchedTextureSpriteShader";
constexpr uint64_t k_NoKey = ~0ull;

Transform Box(float p_X, float p_Y, float p_Width, float p_Height)
{
    Transform transform;
    transform.x = p_X;
    transform.y = p_Y;
    transform.width = p_Width;
    transform.height = p_Height;
    return transform;
}

Vozad::TextureInfo Texture(uint64_t p_Key, uint32_t p_Layer, int32_t p_Width, int32_t p_Height,
                           bool p_Transparent = false)
{
    Vozad::TextureInfo texture;
    texture.textureKey = p_Key;
    texture.glTexture = 7;
    texture.layer = p_Layer;
    texture.name = "snake.png";
    texture.width = p_Width;
    texture.height = p_Height;
    texture.transparent = p_Transparent;
    return texture;
}

SpriteComponent Sprite(const Vozad::TextureInfo& p_Texture)
{
    SpriteComponent sprite;
    sprite.texture = p_Texture;
    return sprite;
}

ColouredQuadComponent Quad(const char* p_Shader, uint8_t p_Red, uint8_t p_Green, uint8_t p_Blue,
                           uint8_t p_Alpha)
{
    ColouredQuadComponent quad;
    quad.shader.shaderKey = 99;
    quad.shader.program = 3;
    quad.shader.name = p_Shader;
    quad.red = p_Red;
    quad.green = p_Green;
    quad.blue = p_Blue;
    quad.alpha = p_Alpha;
    return quad;
}

TiledSpriteComponent Tile(const Vozad::TextureInfo& p_Texture, uint16_t p_Column, uint16_t p_Row,
                          int32_t p_Width, int32_t p_Height)
{
    TiledSpriteComponent tiled;
    tiled.texture = p_Texture;
    tiled.column = p_Column;
    tiled.row = p_Row;
    tiled.tileWidth = p_Width;
    tiled.tileHeight = p_Height;
    return tiled;
}

// Where the model matrix puts a corner of the unit quad.
glm::vec4 Corner(const glm::mat4& p_Matrix, float p_U, float p_V)
{
    return p_Matrix * glm::vec4(p_U, p_V, 0.0f, 1.0f);
}

void ExpectPoint(const glm::vec4& p_Got, float p_X, float p_Y, float p_Z = 0.0f)
{
    EXPECT_NEAR(p_Got.x, p_X, 1e-4f) << "got (" << p_Got.x << ", " << p_Got.y << ", " << p_Got.z << ")";
    EXPECT_NEAR(p_Got.y, p_Y, 1e-4f) << "got (" << p_Got.x << ", " << p_Got.y << ", " << p_Got.z << ")";
    EXPECT_NEAR(p_Got.z, p_Z, 1e-4f) << "got (" << p_Got.x << ", " << p_Got.y << ", " << p_Got.z << ")";
}

class EntityRegistryTest : public testing::Test
{
protected:
    EntityHandle Placed(const Transform& p_Transform)
    {
        EntityHandle entity = m_Registry.CreateEntity();
        m_Registry.AddTransform(entity, p_Transform);
        return entity;
    }

    EntityHandle Collider(const Transform& p_Transform, int32_t p_Tag = 1)
    {
        EntityHandle entity = Placed(p_Transform);
        m_Registry.AddCollider(entity, p_Tag);
        return entity;
    }

    Transform Stored(const EntityHandle& p_Entity)
    {
        Transform transform;
        EXPECT_TRUE(m_Registry.GetTransform(p_Entity, transform));
        return transform;
    }

    TestSupport::TempFolder m_Folder;
    TestSupport::LogFileRedirect m_LogFile{m_Folder.File("gamelog.txt")};
    RecordingScene m_Scene;
    EntityRegistry m_Registry{&m_Scene,
                              []() -> const Lib::String&
                              {
                                  static const Lib::String name(k_SpriteShader);
                                  return name;
                              }};
};
} // namespace

// ---- ids and masks ---------------------------------------------------------------------------

TEST_F(EntityRegistryTest, IdsStartAtOneAndDestroyedIdsComeBackFirstInFirstOut)
{
    const EntityHandle first = m_Registry.CreateEntity();
    const EntityHandle second = m_Registry.CreateEntity();
    const EntityHandle third = m_Registry.CreateEntity();
    EXPECT_EQ(first, (EntityHandle{1, 0}));
    EXPECT_EQ(second.id, 2u);
    EXPECT_EQ(third.id, 3u);

    m_Registry.DestroyEntity(first);
    m_Registry.DestroyEntity(second);
    m_Registry.DestroyEntity(second); // twice must not hand the id out twice
    EXPECT_EQ(m_Registry.GetEntity(1), Telvar::k_InvalidEntityHandle);
    EXPECT_EQ(m_Registry.GetEntity(2), Telvar::k_InvalidEntityHandle);
    EXPECT_EQ(m_Registry.GetEntity(3), (EntityHandle{3, 0}));

    EXPECT_EQ(m_Registry.CreateEntity().id, 1u);
    EXPECT_EQ(m_Registry.CreateEntity().id, 2u);
    EXPECT_EQ(m_Registry.CreateEntity().id, 4u);
    EXPECT_EQ(m_Registry.EntityCount(), 4u);
}

TEST_F(EntityRegistryTest, AddAndRemoveKeepTheMapAndTheCallersHandleInStep)
{
    EntityHandle entity = m_Registry.CreateEntity();
    m_Registry.AddTransform(entity, Box(0, 0, 1, 1));
    m_Registry.AddCollider(entity, 4);
    m_Registry.AddColouredQuad(entity, Quad("BatchedColorSpriteShader", 1, 2, 3, 4));
    const uint32_t all =
        Telvar::k_ComponentTransform | Telvar::k_ComponentCollider | Telvar::k_ComponentColouredQuad;
    EXPECT_EQ(entity.mask, all);
    EXPECT_EQ(m_Registry.GetEntity(entity.id).mask, all);

    m_Registry.RemoveCollider(entity);
    EXPECT_EQ(entity.mask, all & ~Telvar::k_ComponentCollider);
    EXPECT_EQ(m_Registry.GetEntity(entity.id).mask, entity.mask);
    int32_t tag = 0;
    EXPECT_FALSE(m_Registry.GetCollider(entity, tag));
}

TEST_F(EntityRegistryTest, DrawableRemovalsReportWhetherARecordWentAway)
{
    EntityHandle entity = m_Registry.CreateEntity();
    m_Registry.AddSprite(entity, Sprite(Texture(5, 0, 8, 8)));
    m_Registry.AddColouredQuad(entity, Quad("BatchedColorSpriteShader", 1, 2, 3, 4));
    m_Registry.AddTiledSprite(entity, Tile(Texture(6, 0, 8, 8), 0, 0, 4, 4));

    EXPECT_TRUE(m_Registry.RemoveSprite(entity));
    EXPECT_TRUE(m_Registry.RemoveColouredQuad(entity));
    EXPECT_TRUE(m_Registry.RemoveTiledSprite(entity));
    EXPECT_EQ(entity.mask, 0u);
    EXPECT_FALSE(m_Registry.RemoveSprite(entity));
    EXPECT_FALSE(m_Registry.RemoveColouredQuad(entity));
    EXPECT_FALSE(m_Registry.RemoveTiledSprite(entity));
}

TEST_F(EntityRegistryTest, GetAndSetDecideByTheHandlesMaskNotByTheTables)
{
    EntityHandle entity = Placed(Box(1, 2, 3, 4));
    m_Registry.AddCollider(entity, 8);
    m_Registry.AddSprite(entity, Sprite(Texture(5, 0, 8, 8)));
    const EntityHandle bare{entity.id, 0}; // the same entity seen through a handle without bits

    Transform transform;
    EXPECT_FALSE(m_Registry.GetTransform(bare, transform));
    int32_t tag = 0;
    EXPECT_FALSE(m_Registry.GetCollider(bare, tag));
    SpriteComponent sprite;
    EXPECT_FALSE(m_Registry.GetSprite(bare, sprite));

    const size_t callsBefore = m_Scene.calls.size();
    m_Registry.SetCollider(bare, 9);
    SpriteComponent moved = Sprite(Texture(6, 0, 8, 8));
    m_Registry.SetSprite(bare, moved);
    m_Registry.RefreshSprite(bare);
    EXPECT_TRUE(m_Registry.SetTransform(bare, Box(50, 50, 1, 1), false)); // no bit: nothing to store
    EXPECT_EQ(m_Scene.calls.size(), callsBefore);

    ASSERT_TRUE(m_Registry.GetCollider(entity, tag));
    EXPECT_EQ(tag, 8);
    ASSERT_TRUE(m_Registry.GetSprite(entity, sprite));
    EXPECT_EQ(sprite.texture.textureKey, 5u);
    EXPECT_EQ(Stored(entity).x, 1.0f);
}

TEST_F(EntityRegistryTest, AddingAnExistingComponentKeepsTheRecordAndDrawsOneMoreInstance)
{
    EntityHandle entity = Placed(Box(0, 0, 2, 2));
    m_Registry.AddCollider(entity, 1);
    m_Registry.AddCollider(entity, 2);
    int32_t tag = 0;
    ASSERT_TRUE(m_Registry.GetCollider(entity, tag));
    EXPECT_EQ(tag, 1);

    SpriteComponent first = Sprite(Texture(5, 0, 8, 8));
    SpriteComponent second = first;
    second.drawBorder = true;
    m_Registry.AddSprite(entity, first);
    m_Registry.AddSprite(entity, second);
    SpriteComponent stored;
    ASSERT_TRUE(m_Registry.GetSprite(entity, stored));
    EXPECT_FALSE(stored.drawBorder);
    const std::vector<SpriteInstance> instances = m_Scene.InstancesOf(entity.id);
    ASSERT_EQ(instances.size(), 2u);
    EXPECT_FALSE(instances[0].drawBorder);
    EXPECT_TRUE(instances[1].drawBorder);
}

TEST_F(EntityRegistryTest, OperationsOnADestroyedEntityChangeNothing)
{
    TestSupport::CapturingForwarder log;
    EntityHandle entity = Placed(Box(0, 0, 1, 1));
    const EntityHandle kept = entity;
    m_Registry.DestroyEntity(entity);

    m_Registry.AddSprite(entity, Sprite(Texture(5, 0, 8, 8)));
    EXPECT_EQ(entity.mask, kept.mask);
    EXPECT_EQ(m_Registry.GetEntity(entity.id), Telvar::k_InvalidEntityHandle);
    EXPECT_FALSE(m_Registry.SetTransform(entity, Box(3, 3, 1, 1), true));
    Transform transform;
    EXPECT_FALSE(m_Registry.GetTransform(entity, transform));
    EXPECT_TRUE(m_Scene.InstancesOf(entity.id).empty());
    EXPECT_EQ(log.Messages(), std::vector<std::string>{"AddSprite: no entity with id 1."});

    // The id comes back as a fresh entity with no trace of the old one.
    EntityHandle reborn = m_Registry.CreateEntity();
    ASSERT_EQ(reborn.id, entity.id);
    EXPECT_EQ(reborn.mask, 0u);
    m_Registry.AddTransform(reborn, Box(9, 9, 1, 1));
    EXPECT_EQ(Stored(reborn).x, 9.0f);
}

TEST_F(EntityRegistryTest, ClearStartsAgainFromAnEmptyRegistry)
{
    EntityHandle entity = Placed(Box(0, 0, 1, 1));
    m_Registry.DestroyEntity(m_Registry.CreateEntity());
    m_Registry.Clear();

    EXPECT_EQ(m_Registry.EntityCount(), 0u);
    EXPECT_EQ(m_Registry.GetEntity(entity.id), Telvar::k_InvalidEntityHandle);
    EntityHandle fresh = m_Registry.CreateEntity();
    EXPECT_EQ(fresh.id, 1u);
    EXPECT_EQ(m_Registry.CreateEntity().id, 2u); // the free list went too
    Transform transform;
    EXPECT_FALSE(m_Registry.GetTransform(EntityHandle{fresh.id, Telvar::k_ComponentTransform}, transform));
}

// ---- transforms and colliders ----------------------------------------------------------------

struct OverlapCase
{
    const char* name;
    Transform other;
    bool allowed;
};
void PrintTo(const OverlapCase& p_Case, std::ostream* p_Out)
{
    *p_Out << p_Case.name;
}

class EntityRegistryOverlapTest : public EntityRegistryTest, public testing::WithParamInterface<OverlapCase>
{
};

// The moving entity goes to (10, 10) with size 4 x 2.
TEST_P(EntityRegistryOverlapTest, OnlyStrictOverlapsRefuseTheMove)
{
    const OverlapCase& c = GetParam();
    Collider(c.other, 77); // the tags differ: they take no part in the test
    EntityHandle mover = Collider(Box(100, 100, 4, 2), 1);

    EXPECT_EQ(m_Registry.SetTransform(mover, Box(10, 10, 4, 2), false), c.allowed);
    EXPECT_EQ(Stored(mover).x, c.allowed ? 10.0f : 100.0f);
    EXPECT_EQ(Stored(mover).y, c.allowed ? 10.0f : 100.0f);
}

INSTANTIATE_TEST_SUITE_P(Boxes, EntityRegistryOverlapTest,
                         testing::Values(OverlapCase{"TouchingLeft", Box(6, 10, 4, 2), true},
                                         OverlapCase{"TouchingRight", Box(14, 10, 4, 2), true},
                                         OverlapCase{"TouchingBelow", Box(10, 8, 4, 2), true},
                                         OverlapCase{"TouchingAbove", Box(10, 12, 4, 2), true},
                                         OverlapCase{"TouchingCorner", Box(14, 12, 1, 1), true},
                                         OverlapCase{"Apart", Box(30, 30, 1, 1), true},
                                         OverlapCase{"SameBox", Box(10, 10, 4, 2), false},
                                         OverlapCase{"IntoLeftEdge", Box(6.5f, 10, 4, 2), false},
                                         OverlapCase{"IntoTopEdge", Box(10, 11.9f, 4, 2), false},
                                         OverlapCase{"Inside", Box(11, 10.5f, 1, 1), false},
                                         OverlapCase{"Around", Box(0, 0, 50, 50), false}),
                         [](const testing::TestParamInfo<OverlapCase>& p_Info) { return p_Info.param.name; });

TEST_F(EntityRegistryTest, OverlapsOnlyCountWithOtherCollidingEntities)
{
    EntityHandle mover = Collider(Box(0, 0, 4, 4));
    Placed(Box(10, 10, 4, 4)); // drawn there, but no collider
    EntityHandle wasCollider = Collider(Box(20, 20, 4, 4));
    m_Registry.RemoveCollider(wasCollider);

    EXPECT_TRUE(m_Registry.SetTransform(mover, Box(1, 1, 4, 4), false)); // overlaps its own old box
    EXPECT_TRUE(m_Registry.SetTransform(mover, Box(11, 11, 4, 4), false));
    EXPECT_TRUE(m_Registry.SetTransform(mover, Box(21, 21, 4, 4), false));
    EXPECT_EQ(Stored(mover).x, 21.0f);
}

TEST_F(EntityRegistryTest, ColliderBitWithoutRecordRefusesTheMoveAndChangesNothing)
{
    EntityHandle mover = Collider(Box(0, 0, 1, 1));
    EntityHandle stale = mover;
    m_Registry.RemoveCollider(stale); // the record goes, mover still carries the bit

    EXPECT_FALSE(m_Registry.SetTransform(mover, Box(5, 5, 1, 1), false));
    EXPECT_EQ(Stored(mover).x, 0.0f);
}

TEST_F(EntityRegistryTest, IgnoringCollidersAlwaysStoresTheTransform)
{
    Collider(Box(10, 10, 4, 4));
    EntityHandle mover = Collider(Box(0, 0, 4, 4));
    EXPECT_TRUE(m_Registry.SetTransform(mover, Box(11, 11, 4, 4), true));
    EXPECT_EQ(Stored(mover).x, 11.0f);

    EntityHandle stale = mover;
    m_Registry.RemoveCollider(stale);
    EXPECT_TRUE(m_Registry.SetTransform(mover, Box(12, 12, 4, 4), true));
    EXPECT_EQ(Stored(mover).x, 12.0f);
}

TEST_F(EntityRegistryTest, MovingDoesNotMoveTheDrawnInstanceUntilRefreshed)
{
    EntityHandle entity = Placed(Box(0, 0, 2, 2));
    m_Registry.AddSprite(entity, Sprite(Texture(5, 0, 8, 8)));
    ASSERT_TRUE(m_Registry.SetTransform(entity, Box(30, 40, 2, 2), false));
    ExpectPoint(Corner(m_Scene.InstancesOf(entity.id).at(0).modelMatrix, 0, 0), 0, 0);

    m_Registry.RefreshSprite(entity);
    ExpectPoint(Corner(m_Scene.InstancesOf(entity.id).at(0).modelMatrix, 0, 0), 30, 40);
    ExpectPoint(Corner(m_Scene.InstancesOf(entity.id).at(0).modelMatrix, 1, 1), 32, 42);
}

// ---- model matrix ----------------------------------------------------------------------------

struct MatrixCase
{
    const char* name;
    int32_t pivot;
    float rotationX, rotationZ, scale;
    float u, v;    // corner of the unit quad
    float x, y, z; // where it lands
};
void PrintTo(const MatrixCase& p_Case, std::ostream* p_Out)
{
    *p_Out << p_Case.name;
}

class ModelMatrixTest : public testing::TestWithParam<MatrixCase>
{
};

// The transform is 4 x 2 at (10, 20, 5).
TEST_P(ModelMatrixTest, PlacesTheUnitQuadCorner)
{
    const MatrixCase& c = GetParam();
    Transform transform = Box(10, 20, 4, 2);
    transform.z = 5;
    transform.pivot = c.pivot;
    transform.rotationX = c.rotationX;
    transform.rotationZ = c.rotationZ;
    transform.scale = c.scale;
    ExpectPoint(Corner(Telvar::ModelMatrixOf(transform), c.u, c.v), c.x, c.y, c.z);
}

INSTANTIATE_TEST_SUITE_P(
    Pivots, ModelMatrixTest,
    testing::Values(MatrixCase{"PlainOrigin", 0, 0, 0, 1, 0, 0, 10, 20, 5},
                    MatrixCase{"PlainFarCorner", 0, 0, 0, 1, 1, 1, 14, 22, 5},
                    MatrixCase{"Scaled", 2, 0, 0, 2, 1, 1, 18, 24, 5},
                    MatrixCase{"Pivot0", 0, 0, 90, 1, 0, 0, 8, 18, 5},
                    MatrixCase{"Pivot0FarCorner", 0, 0, 90, 1, 1, 1, 6, 22, 5},
                    MatrixCase{"Pivot1", 1, 0, 90, 1, 0, 0, 12, 14, 5},
                    MatrixCase{"Pivot2IsThePosition", 2, 0, 90, 1, 1, 1, 8, 24, 5},
                    MatrixCase{"Pivot3", 3, 0, 90, 1, 0, 0, 14, 16, 5},
                    MatrixCase{"Pivot4Centre", 4, 0, 90, 1, 0, 0, 13, 19, 5},
                    MatrixCase{"Pivot4FarCorner", 4, 0, 90, 1, 1, 1, 11, 23, 5},
                    // X applies after Z: turning the quad's (4, 2) edge first about Z, then X.
                    MatrixCase{"XAfterZ", 2, 90, 90, 1, 1, 1, 8, 20, 9}),
    [](const testing::TestParamInfo<MatrixCase>& p_Info) { return p_Info.param.name; });

// An unturned transform takes a short way to its matrix: it must give, value for value, the full
// product of pivot, turn, offset from the pivot and scale, whatever the pivot, also where
// position - pivot + pivot is not the position in floats.
TEST(ModelMatrixUnturnedTest, EqualsTheFullProductForEveryPivot)
{
    const glm::vec3 positions[] = {{0.1f, 0.7f, 0.3f}, {-1234.5f, 98765.43f, -2.0f}, {3.0e6f, -0.01f, 0.0f}};
    for (int32_t pivot = 0; pivot <= 4; ++pivot)
        for (const glm::vec3& position : positions)
        {
            Transform t;
            t.x = position.x;
            t.y = position.y;
            t.z = position.z;
            t.width = 33.3f;
            t.height = 0.7f;
            t.scale = 1.5f;
            t.pivot = pivot;
            const glm::vec3 offsets[] = {{0.0f, -t.height, 0.0f},
                                         {t.width, -t.height, 0.0f},
                                         {0.0f, 0.0f, 0.0f},
                                         {t.width, 0.0f, 0.0f},
                                         {t.width * 0.5f, t.height * 0.5f, 0.0f}};
            const glm::vec3 turnPoint = position + offsets[pivot];
            const glm::mat4 identity(1.0f);
            const glm::mat4 expected =
                glm::translate(identity, turnPoint) *
                glm::rotate(identity, 0.0f, glm::vec3(0.0f, 0.0f, 1.0f)) *
                glm::translate(identity, position - turnPoint) *
                glm::scale(identity, glm::vec3(t.scale * t.width, t.scale * t.height, t.scale));
            const glm::mat4 got = Telvar::ModelMatrixOf(t);
            for (int column = 0; column < 4; ++column)
                for (int row = 0; row < 4; ++row)
                    EXPECT_EQ(got[column][row], expected[column][row])
                        << "pivot " << pivot << ", position " << position.x << ", " << position.y
                        << ", column " << column << ", row " << row;
        }
}

// ---- instances -------------------------------------------------------------------------------

TEST_F(EntityRegistryTest, SpriteInstanceComesFromTextureComponentAndTransform)
{
    EntityHandle entity = Placed(Box(10, 20, 4, 2));
    SpriteComponent sprite = Sprite(Texture(0xABCDEF, 3, 64, 32));
    sprite.textureShift = {1.5f, 2.5f};
    sprite.textureScale = {0.5f, 0.25f};
    sprite.subTexturePosition = {8, 4};
    sprite.drawBorder = true;
    m_Registry.AddSprite(entity, sprite);

    ASSERT_EQ(m_Scene.calls.size(), 1u);
    const RecordingScene::Call& call = m_Scene.calls[0];
    EXPECT_EQ(call.operation, "submit");
    EXPECT_EQ(call.id, entity.id);
    EXPECT_EQ(call.group, k_SpriteShader);
    EXPECT_EQ(call.kind, Vozad::k_InstanceKindTextured);
    EXPECT_EQ(call.key, 0xABCDEFu);

    int database = -1;
    const std::vector<SpriteInstance> instances = m_Scene.InstancesOf(entity.id, &database);
    ASSERT_EQ(instances.size(), 1u);
    EXPECT_EQ(database, 0);
    const SpriteInstance& instance = instances[0];
    EXPECT_EQ(instance.layer, 3.0f);
    EXPECT_EQ(instance.textureShift, glm::vec2(1.5f, 2.5f));
    EXPECT_EQ(instance.textureScale, glm::vec2(0.5f, 0.25f));
    EXPECT_EQ(instance.width, 64);
    EXPECT_EQ(instance.height, 32);
    EXPECT_EQ(instance.subTexturePosition, glm::ivec2(8, 4));
    EXPECT_EQ(instance.subTextureSize, glm::ivec2(64, 32)); // {0, 0} means the whole image
    EXPECT_TRUE(instance.visible);
    EXPECT_TRUE(instance.drawBorder);
    EXPECT_FALSE(instance.transparent);
    EXPECT_EQ(instance.colour, glm::vec4(0.0f));
    ExpectPoint(Corner(instance.modelMatrix, 1, 1), 14, 22);

    // A given sub-image size is kept; a transparent image goes to the transparent database.
    EntityHandle other = Placed(Box(0, 0, 1, 1));
    SpriteComponent part = Sprite(Texture(0x1234, 0, 64, 32, true));
    part.subTextureSize = {16, 0};
    m_Registry.AddSprite(other, part);
    const std::vector<SpriteInstance> parts = m_Scene.InstancesOf(other.id, &database);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(database, 1);
    EXPECT_EQ(parts[0].subTextureSize, glm::ivec2(16, 0));
    EXPECT_TRUE(parts[0].transparent);
}

TEST_F(EntityRegistryTest, ColouredQuadInstanceIsUntexturedWithItsShaderAndColour)
{
    EntityHandle entity = Placed(Box(0, 0, 3, 3));
    m_Registry.AddColouredQuad(entity, Quad("BatchedColorSpriteShader", 255, 0, 51, 102));

    ASSERT_EQ(m_Scene.calls.size(), 1u);
    const RecordingScene::Call& call = m_Scene.calls[0];
    EXPECT_EQ(call.group, "BatchedColorSpriteShader");
    EXPECT_EQ(call.kind, Vozad::k_InstanceKindColouredQuad);
    EXPECT_EQ(call.key, k_NoKey);
    int database = -1;
    const std::vector<SpriteInstance> instances = m_Scene.InstancesOf(entity.id, &database);
    ASSERT_EQ(instances.size(), 1u);
    EXPECT_EQ(database, 0);
    const SpriteInstance& instance = instances[0];
    EXPECT_EQ(instance.layer, 0.0f);
    EXPECT_EQ(instance.textureShift, glm::vec2(0.0f));
    EXPECT_EQ(instance.textureScale, glm::vec2(1.0f));
    EXPECT_EQ(instance.width, 0);
    EXPECT_EQ(instance.subTextureSize, glm::ivec2(0));
    EXPECT_FALSE(instance.drawBorder);
    EXPECT_FALSE(instance.transparent);
    EXPECT_TRUE(instance.visible);
    EXPECT_FLOAT_EQ(instance.colour.r, 1.0f);
    EXPECT_FLOAT_EQ(instance.colour.g, 0.0f);
    EXPECT_FLOAT_EQ(instance.colour.b, 0.2f);
    EXPECT_FLOAT_EQ(instance.colour.a, 0.4f);
}

TEST_F(EntityRegistryTest, TiledSpriteInstanceShowsOneTile)
{
    EntityHandle entity = Placed(Box(0, 0, 1, 1));
    m_Registry.AddTiledSprite(entity, Tile(Texture(0x77, 2, 128, 64, true), 3, 1, 32, 16));

    ASSERT_EQ(m_Scene.calls.size(), 1u);
    EXPECT_EQ(m_Scene.calls[0].group, k_SpriteShader);
    EXPECT_EQ(m_Scene.calls[0].kind, Vozad::k_InstanceKindTextured);
    EXPECT_EQ(m_Scene.calls[0].key, 0x77u);
    int database = -1;
    const std::vector<SpriteInstance> instances = m_Scene.InstancesOf(entity.id, &database);
    ASSERT_EQ(instances.size(), 1u);
    EXPECT_EQ(database, 1);
    const SpriteInstance& instance = instances[0];
    EXPECT_EQ(instance.layer, 2.0f);
    EXPECT_EQ(instance.width, 128);
    EXPECT_EQ(instance.height, 64);
    EXPECT_EQ(instance.subTexturePosition, glm::ivec2(96, 16));
    EXPECT_EQ(instance.subTextureSize, glm::ivec2(32, 16));
    EXPECT_EQ(instance.textureShift, glm::vec2(0.0f));
    EXPECT_EQ(instance.textureScale, glm::vec2(1.0f));
    EXPECT_FALSE(instance.drawBorder);
    EXPECT_TRUE(instance.transparent);
    EXPECT_EQ(instance.colour, glm::vec4(0.0f));
}

TEST_F(EntityRegistryTest, NothingIsDrawnWithoutATransform)
{
    EntityHandle entity = m_Registry.CreateEntity();
    m_Registry.AddSprite(entity, Sprite(Texture(5, 0, 8, 8)));
    m_Registry.AddTransform(entity, Box(0, 0, 1, 1)); // adding the transform draws nothing either
    EntityHandle withoutBit{entity.id, Telvar::k_ComponentColouredQuad};
    m_Registry.AddColouredQuad(withoutBit, Quad("BatchedColorSpriteShader", 1, 1, 1, 1));
    EXPECT_TRUE(m_Scene.calls.empty());

    // An in-place update finds no container and changes nothing.
    m_Registry.RefreshSprite(entity);
    EXPECT_EQ(m_Scene.Operations(), std::vector<std::string>{"update"});
    EXPECT_TRUE(m_Scene.InstancesOf(entity.id).empty());
}

TEST_F(EntityRegistryTest, SetSpriteWithTheSameImageUpdatesInPlaceInItsDatabase)
{
    for (const bool transparent : {false, true})
    {
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        EntityHandle entity = Placed(Box(0, 0, 1, 1));
        SpriteComponent sprite = Sprite(Texture(40, 1, 16, 16, transparent));
        m_Registry.AddSprite(entity, sprite);
        m_Scene.calls.clear();

        sprite.subTexturePosition = {4, 4};
        sprite.subTextureSize = {8, 8};
        m_Registry.SetSprite(entity, sprite);
        ASSERT_EQ(m_Scene.Operations(), std::vector<std::string>{"update"});
        EXPECT_EQ(m_Scene.calls[0].transparent, transparent);
        EXPECT_EQ(m_Scene.calls[0].group, k_SpriteShader);
        EXPECT_EQ(m_Scene.calls[0].key, 40u);
        const std::vector<SpriteInstance> instances = m_Scene.InstancesOf(entity.id);
        ASSERT_EQ(instances.size(), 1u);
        EXPECT_EQ(instances[0].subTexturePosition, glm::ivec2(4, 4));
        SpriteComponent stored;
        ASSERT_TRUE(m_Registry.GetSprite(entity, stored));
        EXPECT_EQ(stored.subTextureSize, glm::ivec2(8, 8));
    }
}

TEST_F(EntityRegistryTest, SetSpriteWithAnotherImageRemovesAndResubmits)
{
    EntityHandle entity = Placed(Box(0, 0, 1, 1));
    m_Registry.AddSprite(entity, Sprite(Texture(40, 1, 16, 16, true)));
    m_Scene.calls.clear();

    m_Registry.SetSprite(entity, Sprite(Texture(41, 2, 32, 32)));
    ASSERT_EQ(m_Scene.Operations(), (std::vector<std::string>{"remove", "submit"}));
    EXPECT_EQ(m_Scene.calls[1].key, 41u);
    EXPECT_EQ(m_Scene.calls[1].kind, Vozad::k_InstanceKindTextured);
    EXPECT_TRUE(m_Scene.databases[1].empty()); // the old transparent container went with it
    int database = -1;
    const std::vector<SpriteInstance> instances = m_Scene.InstancesOf(entity.id, &database);
    ASSERT_EQ(instances.size(), 1u);
    EXPECT_EQ(database, 0);
    EXPECT_EQ(instances[0].layer, 2.0f);
    EXPECT_EQ(instances[0].width, 32);

    // The next set with that image is in place again.
    m_Scene.calls.clear();
    m_Registry.RefreshSprite(entity);
    EXPECT_EQ(m_Scene.Operations(), std::vector<std::string>{"update"});
}

TEST_F(EntityRegistryTest, SetColouredQuadUpdatesTheOpaqueContainerOfItsShader)
{
    EntityHandle entity = Placed(Box(0, 0, 1, 1));
    m_Registry.AddColouredQuad(entity, Quad("BatchedColorSpriteShader", 0, 0, 0, 255));
    m_Scene.calls.clear();

    m_Registry.SetColouredQuad(entity, Quad("BatchedColorSpriteShader", 255, 255, 0, 255));
    ASSERT_EQ(m_Scene.Operations(), std::vector<std::string>{"update"});
    EXPECT_FALSE(m_Scene.calls[0].transparent);
    EXPECT_EQ(m_Scene.calls[0].group, "BatchedColorSpriteShader");
    EXPECT_EQ(m_Scene.calls[0].key, k_NoKey);
    EXPECT_EQ(m_Scene.InstancesOf(entity.id).at(0).colour, glm::vec4(1, 1, 0, 1));
}

TEST_F(EntityRegistryTest, SetTiledSpriteUpdatesInPlace)
{
    EntityHandle entity = Placed(Box(0, 0, 1, 1));
    TiledSpriteComponent tiled = Tile(Texture(0x77, 2, 128, 64, true), 0, 0, 32, 16);
    m_Registry.AddTiledSprite(entity, tiled);
    m_Scene.calls.clear();

    tiled.column = 2;
    m_Registry.SetTiledSprite(entity, tiled);
    ASSERT_EQ(m_Scene.Operations(), std::vector<std::string>{"update"});
    EXPECT_TRUE(m_Scene.calls[0].transparent);
    EXPECT_EQ(m_Scene.calls[0].group, k_SpriteShader);
    EXPECT_EQ(m_Scene.calls[0].key, 0x77u);
    EXPECT_EQ(m_Scene.InstancesOf(entity.id).at(0).subTexturePosition, glm::ivec2(64, 0));
    TiledSpriteComponent stored;
    ASSERT_TRUE(m_Registry.GetTiledSprite(entity, stored));
    EXPECT_EQ(stored.column, 2);
}

TEST_F(EntityRegistryTest, RemovedDrawableStaysOnScreenUntilTheEntityIsDestroyed)
{
    EntityHandle entity = Placed(Box(0, 0, 1, 1));
    m_Registry.AddSprite(entity, Sprite(Texture(5, 0, 8, 8)));
    ASSERT_TRUE(m_Registry.RemoveSprite(entity));
    EXPECT_EQ(m_Scene.InstancesOf(entity.id).size(), 1u);

    m_Registry.DestroyEntity(entity);
    EXPECT_TRUE(m_Scene.InstancesOf(entity.id).empty());
}

TEST_F(EntityRegistryTest, DestroyingTakesEveryInstanceAndRecordWithIt)
{
    EntityHandle entity = Placed(Box(0, 0, 1, 1));
    m_Registry.AddCollider(entity, 1);
    m_Registry.AddSprite(entity, Sprite(Texture(5, 0, 8, 8)));
    m_Registry.AddColouredQuad(entity, Quad("BatchedColorSpriteShader", 1, 2, 3, 4));
    m_Registry.AddTiledSprite(entity, Tile(Texture(6, 0, 8, 8, true), 0, 0, 4, 4));
    EntityHandle neighbour = Placed(Box(5, 5, 1, 1));
    m_Registry.AddSprite(neighbour, Sprite(Texture(5, 0, 8, 8)));
    ASSERT_EQ(m_Scene.InstancesOf(entity.id).size(), 3u);

    m_Registry.DestroyEntity(entity);
    EXPECT_TRUE(m_Scene.InstancesOf(entity.id).empty());
    EXPECT_EQ(m_Scene.InstancesOf(neighbour.id).size(), 1u);

    // The id comes back without the old records: an Add stores the new one.
    EntityHandle reborn = m_Registry.CreateEntity();
    ASSERT_EQ(reborn.id, entity.id);
    m_Registry.AddTransform(reborn, Box(7, 7, 1, 1));
    m_Registry.AddSprite(reborn, Sprite(Texture(9, 0, 8, 8)));
    m_Registry.AddCollider(reborn, 2);
    EXPECT_EQ(Stored(reborn).x, 7.0f);
    SpriteComponent sprite;
    ASSERT_TRUE(m_Registry.GetSprite(reborn, sprite));
    EXPECT_EQ(sprite.texture.textureKey, 9u);
    int32_t tag = 0;
    ASSERT_TRUE(m_Registry.GetCollider(reborn, tag));
    EXPECT_EQ(tag, 2);
}

TEST(EntityRegistryWithoutSceneTest, StoresComponentsAndDrawsNothing)
{
    EntityRegistry registry;
    EntityHandle entity = registry.CreateEntity();
    registry.AddTransform(entity, Box(0, 0, 1, 1));
    registry.AddSprite(entity, Sprite(Texture(5, 0, 8, 8)));
    registry.SetSprite(entity, Sprite(Texture(6, 0, 8, 8)));
    registry.AddColouredQuad(entity, Quad("BatchedColorSpriteShader", 1, 2, 3, 4));
    registry.RefreshColouredQuad(entity);
    registry.AddTiledSprite(entity, Tile(Texture(6, 0, 8, 8), 0, 0, 4, 4));
    registry.RefreshTiledSprite(entity);

    SpriteComponent sprite;
    ASSERT_TRUE(registry.GetSprite(entity, sprite));
    EXPECT_EQ(sprite.texture.textureKey, 6u);

    // The renderer arrives later; from then on the registry draws through it.
    RecordingScene scene;
    registry.SetSceneInstances(&scene);
    EntityHandle late = registry.CreateEntity();
    registry.AddTransform(late, Box(0, 0, 1, 1));
    registry.AddSprite(late, Sprite(Texture(5, 0, 8, 8)));
    ASSERT_EQ(scene.calls.size(), 1u);
    EXPECT_EQ(scene.calls[0].group, ""); // no shader name source was given
    registry.DestroyEntity(entity);
    EXPECT_EQ(registry.GetEntity(entity.id), Telvar::k_InvalidEntityHandle);
}
