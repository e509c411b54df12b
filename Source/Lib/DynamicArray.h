#pragma once
// The growable array used everywhere. Every bad index is a programming error and ends the
// process with a fixed message; no operation hands out a default element.
#include "Lib/Log.h"

#include <cstdint>
#include <new>
#include <type_traits>
#include <utility>

namespace Lib
{
enum class IterationDirection : uint32_t
{
    Forward = 0,
    Backward = 1,
};

template <class T> class DynamicArray;

// Walks an array forwards (from index 0) or backwards (from the last index).
template <class T> class ArrayIterator
{
public:
    ArrayIterator(DynamicArray<T>* p_Array, IterationDirection p_Direction)
        : m_Array(p_Array), m_Direction(p_Direction)
    {
        if (!m_Array)
            FatalError("DynamicArray", "Invalid data pointer.");
        m_Position =
            m_Direction == IterationDirection::Forward ? 0 : static_cast<int64_t>(m_Array->Count()) - 1;
    }

    bool IsValid() const { return m_Position >= 0 && m_Position < static_cast<int64_t>(m_Array->Count()); }
    int64_t Position() const { return m_Position; }
    void Next() { m_Position += m_Direction == IterationDirection::Forward ? 1 : -1; }

    T& Get() const
    {
        if (!IsValid())
            FatalError("DynamicArray", "No valid entry to return, direction: %u, position: %u",
                       static_cast<uint32_t>(m_Direction), static_cast<uint32_t>(m_Position));
        return m_Array->At(static_cast<uint32_t>(m_Position));
    }

private:
    DynamicArray<T>* m_Array;
    IterationDirection m_Direction;
    int64_t m_Position = 0;
};

template <class T> class DynamicArray
{
public:
    DynamicArray() = default;
    DynamicArray(std::initializer_list<T> p_Values)
    {
        for (const T& value : p_Values)
            Add(value);
    }
    DynamicArray(const DynamicArray& p_Other)
    {
        for (uint32_t i = 0; i < p_Other.m_Count; ++i)
            Add(p_Other.m_Items[i]);
    }
    DynamicArray(DynamicArray&& p_Other) noexcept
        : m_Items(std::exchange(p_Other.m_Items, nullptr)), m_Count(std::exchange(p_Other.m_Count, 0u)),
          m_Capacity(std::exchange(p_Other.m_Capacity, 0u))
    {
    }
    DynamicArray& operator=(DynamicArray p_Other) noexcept
    {
        std::swap(m_Items, p_Other.m_Items);
        std::swap(m_Count, p_Other.m_Count);
        std::swap(m_Capacity, p_Other.m_Capacity);
        return *this;
    }
    ~DynamicArray() { Clear(); }

    uint32_t Count() const { return m_Count; }
    uint32_t Capacity() const { return m_Capacity; }
    bool IsEmpty() const { return m_Count == 0; }

    void Add(const T& p_Value) { Emplace(p_Value); }
    void Add(T&& p_Value) { Emplace(std::move(p_Value)); }

    template <class... Args> T& Emplace(Args&&... p_Args)
    {
        // The first element always starts a fresh block of 5, whatever was reserved before.
        const uint32_t capacity = m_Count == 0 ? 5 : (m_Count == m_Capacity ? m_Capacity * 2 : m_Capacity);
        if (capacity == m_Capacity)
        {
            T* slot = new (&m_Items[m_Count]) T(std::forward<Args>(p_Args)...);
            ++m_Count;
            return *slot;
        }
        // Build the new element before the old storage goes: the arguments may refer into it.
        T* items = Allocate(capacity);
        T* slot = new (&items[m_Count]) T(std::forward<Args>(p_Args)...);
        MoveInto(items, capacity);
        ++m_Count;
        return *slot;
    }

    T& At(uint32_t p_Index)
    {
        CheckIndex(p_Index, "Index out of range, index: %u, size: %u");
        return m_Items[p_Index];
    }
    const T& At(uint32_t p_Index) const
    {
        CheckIndex(p_Index, "Index out of range, index: %u, size: %u");
        return m_Items[p_Index];
    }
    T& operator[](uint32_t p_Index) { return At(p_Index); }
    const T& operator[](uint32_t p_Index) const { return At(p_Index); }

    // Later elements move down by one; the capacity stays.
    void Remove(uint32_t p_Index)
    {
        CheckIndex(p_Index, "Index out of range (Remove), index: %u, size: %u");
        for (uint32_t i = p_Index; i + 1 < m_Count; ++i)
            m_Items[i] = std::move(m_Items[i + 1]);
        --m_Count;
        m_Items[m_Count].~T();
    }

    // Stores the value at p_Index + 1; p_Index must name an existing element.
    void InsertAfter(uint32_t p_Index, T p_Value)
    {
        CheckIndex(p_Index, "Index out of range (InsertAfter), index: %u, size: %u");
        if (m_Capacity < m_Count + 1)
            MoveInto(Allocate(m_Capacity * 2), m_Capacity * 2);
        if (p_Index + 1 == m_Count)
        {
            new (&m_Items[m_Count]) T(std::move(p_Value));
        }
        else
        {
            new (&m_Items[m_Count]) T(std::move(m_Items[m_Count - 1]));
            for (uint32_t i = m_Count - 1; i > p_Index + 1; --i)
                m_Items[i] = std::move(m_Items[i - 1]);
            m_Items[p_Index + 1] = std::move(p_Value);
        }
        ++m_Count;
    }

    int32_t Find(const T& p_Value) const
    {
        for (uint32_t i = 0; i < m_Count; ++i)
            if (m_Items[i] == p_Value)
                return static_cast<int32_t>(i);
        return -1;
    }

    // Destroys every element in index order and gives the storage back.
    void Clear()
    {
        for (uint32_t i = 0; i < m_Count; ++i)
            m_Items[i].~T();
        ::operator delete (m_Items, std::align_val_t{alignof(T)});
        m_Items = nullptr;
        m_Count = 0;
        m_Capacity = 0;
    }

    ArrayIterator<T> Iterate(IterationDirection p_Direction) { return ArrayIterator<T>(this, p_Direction); }

    // Range-for support; every access still goes through the validated At().
    template <class Array, class Value> class IndexIterator
    {
    public:
        IndexIterator(Array* p_Array, uint32_t p_Index) : m_Array(p_Array), m_Index(p_Index) {}
        Value& operator*() const { return m_Array->At(m_Index); }
        IndexIterator& operator++()
        {
            ++m_Index;
            return *this;
        }
        bool operator!=(const IndexIterator& p_Other) const { return m_Index != p_Other.m_Index; }

    private:
        Array* m_Array;
        uint32_t m_Index;
    };
    IndexIterator<DynamicArray, T> begin() { return {this, 0}; }
    IndexIterator<DynamicArray, T> end() { return {this, m_Count}; }
    IndexIterator<const DynamicArray, const T> begin() const { return {this, 0}; }
    IndexIterator<const DynamicArray, const T> end() const { return {this, m_Count}; }

private:
    void CheckIndex(uint32_t p_Index, const char* p_Message) const
    {
        if (p_Index >= m_Count)
            FatalError("DynamicArray", p_Message, p_Index, m_Count);
    }

    static T* Allocate(uint32_t p_Capacity)
    {
        return static_cast<T*>(::operator new (sizeof(T) * p_Capacity, std::align_val_t{alignof(T)}));
    }

    // Moves the elements into fresh storage and gives the old storage back.
    void MoveInto(T* p_Items, uint32_t p_Capacity)
    {
        for (uint32_t i = 0; i < m_Count; ++i)
        {
            new (&p_Items[i]) T(std::move(m_Items[i]));
            m_Items[i].~T();
        }
        ::operator delete (m_Items, std::align_val_t{alignof(T)});
        m_Items = p_Items;
        m_Capacity = p_Capacity;
    }

    T* m_Items = nullptr;
    uint32_t m_Count = 0;
    uint32_t m_Capacity = 0;
};
} // namespace Lib
