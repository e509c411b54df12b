#include "Lib/ReferenceCounter.h"

#include <gtest/gtest.h>

namespace
{
class Shared : public Lib::ReferenceCounter
{
public:
    explicit Shared(int* p_Destroyed) : m_Destroyed(p_Destroyed) {}
    ~Shared() override { ++*m_Destroyed; }

private:
    int* m_Destroyed;
};
} // namespace

TEST(ReferenceCounterTest, CountsAndNeverGoesBelowZero)
{
    int destroyed = 0;
    Shared object(&destroyed);
    EXPECT_EQ(object.ReferenceCount(), 0);
    EXPECT_EQ(object.Release(), 0);
    EXPECT_EQ(object.Retain(), 1);
    EXPECT_EQ(object.Retain(), 2);
    EXPECT_EQ(object.Release(), 1);
    EXPECT_EQ(object.Release(), 0);
    EXPECT_EQ(object.Release(), 0);
}

TEST(ReferenceCounterTest, LastHandleDestroysTheObject)
{
    int destroyed = 0;
    Lib::Ref<Shared> first = Lib::MakeRef<Shared>(&destroyed);
    EXPECT_EQ(first->ReferenceCount(), 1);
    {
        Lib::Ref<Shared> second = first;
        Lib::Ref<Lib::ReferenceCounter> asBase = second;
        EXPECT_EQ(first->ReferenceCount(), 3);
    }
    EXPECT_EQ(destroyed, 0);
    Lib::Ref<Shared> moved = std::move(first);
    EXPECT_FALSE(first);
    EXPECT_EQ(moved->ReferenceCount(), 1);
    moved = Lib::Ref<Shared>();
    EXPECT_EQ(destroyed, 1);
}
