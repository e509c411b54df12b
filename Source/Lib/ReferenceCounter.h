#pragma once
// Intrusive reference counting for objects shared between owners (windows, GPU objects, blobs,
// the configuration), and Ref<T>, the one handle that retains and releases them.
#include <cstdint>
#include <utility>

namespace Lib
{
class ReferenceCounter
{
public:
    ReferenceCounter() = default;
    ReferenceCounter(const ReferenceCounter&) = delete;
    ReferenceCounter& operator=(const ReferenceCounter&) = delete;
    virtual ~ReferenceCounter() = default;

    virtual int32_t Retain() { return ++m_ReferenceCount; }
    // Returns the count after the call; 0 when it already was 0 (the caller then destroys).
    virtual int32_t Release()
    {
        if (m_ReferenceCount > 0)
            --m_ReferenceCount;
        return m_ReferenceCount;
    }
    int32_t ReferenceCount() const { return m_ReferenceCount; }

private:
    int32_t m_ReferenceCount = 0;
};

// Holds one reference; the last handle to let go destroys the object.
template <class T> class Ref
{
public:
    Ref() = default;
    explicit Ref(T* p_Object) : m_Object(p_Object)
    {
        if (m_Object)
            m_Object->Retain();
    }
    Ref(const Ref& p_Other) : Ref(p_Other.m_Object) {}
    Ref(Ref&& p_Other) noexcept : m_Object(std::exchange(p_Other.m_Object, nullptr)) {}
    template <class U> Ref(const Ref<U>& p_Other) : Ref(p_Other.Get()) {} // NOLINT: upcast
    ~Ref() { Reset(); }

    Ref& operator=(Ref p_Other) noexcept
    {
        std::swap(m_Object, p_Other.m_Object);
        return *this;
    }

    void Reset()
    {
        T* object = std::exchange(m_Object, nullptr);
        if (object && object->Release() == 0)
            delete object;
    }

    T* Get() const { return m_Object; }
    T* operator->() const { return m_Object; }
    T& operator*() const { return *m_Object; }
    explicit operator bool() const { return m_Object != nullptr; }

private:
    T* m_Object = nullptr;
};

template <class T, class... Args> Ref<T> MakeRef(Args&&... p_Args)
{
    return Ref<T>(new T(std::forward<Args>(p_Args)...));
}
} // namespace Lib
