#include "FatalExit.h"
#include "Lib/DynamicArray.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using Lib::DynamicArray;
using Lib::IterationDirection;

namespace
{
DynamicArray<int> Numbers(int p_Count)
{
    DynamicArray<int> array;
    for (int i = 0; i < p_Count; ++i)
        array.Add(i);
    return array;
}

std::vector<int> Contents(const DynamicArray<int>& p_Array)
{
    std::vector<int> values;
    for (int value : p_Array)
        values.push_back(value);
    return values;
}

// Records the order in which elements are destroyed.
struct Tracked
{
    Tracked(int p_Id, std::vector<int>* p_Log) : id(p_Id), log(p_Log) {}
    Tracked(Tracked&& p_Other) noexcept : id(p_Other.id), log(std::exchange(p_Other.log, nullptr)) {}
    Tracked& operator=(Tracked&& p_Other) noexcept
    {
        id = p_Other.id;
        log = std::exchange(p_Other.log, nullptr);
        return *this;
    }
    ~Tracked()
    {
        if (log)
            log->push_back(id);
    }
    int id;
    std::vector<int>* log;
};
} // namespace

TEST(DynamicArrayTest, GrowsByFiveThenDoubles)
{
    DynamicArray<int> array;
    EXPECT_EQ(array.Capacity(), 0u);
    std::vector<uint32_t> capacities;
    for (int i = 0; i < 21; ++i)
    {
        array.Add(i);
        capacities.push_back(array.Capacity());
    }
    EXPECT_EQ(capacities.front(), 5u);
    EXPECT_EQ(capacities[4], 5u);
    EXPECT_EQ(capacities[5], 10u);
    EXPECT_EQ(capacities[10], 20u);
    EXPECT_EQ(capacities[20], 40u);
    EXPECT_EQ(array.At(20), 20);
}

TEST(DynamicArrayTest, EmptyArrayWithLargeCapacityRestartsAtFive)
{
    DynamicArray<int> array = Numbers(6);
    ASSERT_EQ(array.Capacity(), 10u);
    while (array.Count() > 0)
        array.Remove(0);
    EXPECT_EQ(array.Capacity(), 10u);
    array.Add(1);
    EXPECT_EQ(array.Capacity(), 5u);
}

TEST(DynamicArrayTest, RemoveShiftsAndKeepsCapacity)
{
    DynamicArray<int> array = Numbers(5);
    array.Remove(1);
    EXPECT_EQ(Contents(array), (std::vector<int>{0, 2, 3, 4}));
    array.Remove(3);
    EXPECT_EQ(Contents(array), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(array.Capacity(), 5u);
}

TEST(DynamicArrayTest, InsertAfterMiddleEndAndGrowth)
{
    DynamicArray<int> array = Numbers(5);
    array.InsertAfter(1, 10);
    EXPECT_EQ(Contents(array), (std::vector<int>{0, 1, 10, 2, 3, 4}));
    EXPECT_EQ(array.Capacity(), 10u);
    array.InsertAfter(array.Count() - 1, 20);
    EXPECT_EQ(Contents(array), (std::vector<int>{0, 1, 10, 2, 3, 4, 20}));
    array.InsertAfter(0, 30);
    EXPECT_EQ(Contents(array), (std::vector<int>{0, 30, 1, 10, 2, 3, 4, 20}));
}

TEST(DynamicArrayTest, FindGivesFirstIndexOrMinusOne)
{
    DynamicArray<std::string> array{"a", "b", "a"};
    EXPECT_EQ(array.Find("a"), 0);
    EXPECT_EQ(array.Find("b"), 1);
    EXPECT_EQ(array.Find("c"), -1);
}

TEST(DynamicArrayTest, AddingAnElementOfItselfAcrossAGrowthIsSafe)
{
    DynamicArray<std::string> array;
    for (int i = 0; i < 5; ++i)
        array.Add(std::string(40, static_cast<char>('a' + i)));
    array.Add(array.At(0)); // grows from 5 to 10 while reading element 0
    EXPECT_EQ(array.At(5), std::string(40, 'a'));
}

TEST(DynamicArrayTest, ClearDestroysInIndexOrderAndReleasesStorage)
{
    std::vector<int> destroyed;
    DynamicArray<Tracked> array;
    for (int i = 0; i < 3; ++i)
        array.Emplace(i, &destroyed);
    array.Clear();
    EXPECT_EQ(destroyed, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(array.Count(), 0u);
    EXPECT_EQ(array.Capacity(), 0u);
}

TEST(DynamicArrayTest, HoldsMoveOnlyValues)
{
    DynamicArray<std::unique_ptr<int>> array;
    for (int i = 0; i < 12; ++i)
        array.Add(std::make_unique<int>(i));
    array.Remove(0);
    EXPECT_EQ(*array.At(0), 1);
    EXPECT_EQ(*array.At(10), 11);
}

TEST(DynamicArrayTest, IteratesForwardAndBackward)
{
    DynamicArray<int> array = Numbers(3);
    std::vector<int> backward;
    for (auto it = array.Iterate(IterationDirection::Backward); it.IsValid(); it.Next())
        backward.push_back(it.Get());
    EXPECT_EQ(backward, (std::vector<int>{2, 1, 0}));

    DynamicArray<int> empty;
    int visited = 0;
    for (auto it = empty.Iterate(IterationDirection::Backward); it.IsValid(); it.Next())
        ++visited;
    EXPECT_EQ(visited, 0);
}

TEST(DynamicArrayTest, CopiesAreIndependent)
{
    DynamicArray<int> original = Numbers(3);
    DynamicArray<int> copy = original;
    copy.At(0) = 9;
    EXPECT_EQ(original.At(0), 0);
    DynamicArray<int> moved = std::move(copy);
    EXPECT_EQ(Contents(moved), (std::vector<int>{9, 1, 2}));
}

// Bad indices are programming errors: one CRASH line with the exact message, status -1.
TEST(DynamicArrayDeathTest, BadIndicesEndTheProcessWithTheirMessage)
{
    const auto crash = [](const std::string& p_Message) { return "CRASH .*DynamicArray: " + p_Message; };
    EXPECT_EXIT(
        {
            dup2(2, 1);
            Numbers(3).At(3);
        },
        testing::ExitedWithCode(TestSupport::k_FatalExitStatus),
        crash(R"(Index out of range, index: 3, size: 3)"));
    EXPECT_EXIT(
        {
            dup2(2, 1);
            Numbers(2).Remove(7);
        },
        testing::ExitedWithCode(TestSupport::k_FatalExitStatus),
        crash(R"(Index out of range \(Remove\), index: 7, size: 2)"));
    EXPECT_EXIT(
        {
            dup2(2, 1);
            DynamicArray<int>().InsertAfter(0, 1);
        },
        testing::ExitedWithCode(TestSupport::k_FatalExitStatus),
        crash(R"(Index out of range \(InsertAfter\), index: 0, size: 0)"));
    EXPECT_EXIT(
        {
            dup2(2, 1);
            DynamicArray<int> array = Numbers(1);
            auto it = array.Iterate(IterationDirection::Forward);
            it.Next();
            it.Get();
        },
        testing::ExitedWithCode(TestSupport::k_FatalExitStatus),
        crash(R"(No valid entry to return, direction: 0, position: 1)"));
    EXPECT_EXIT(
        {
            dup2(2, 1);
            Lib::ArrayIterator<int>(nullptr, IterationDirection::Forward);
        },
        testing::ExitedWithCode(TestSupport::k_FatalExitStatus), crash(R"(Invalid data pointer\.)"));
}
