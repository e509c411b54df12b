#pragma once
#include "Lib/ReferenceCounter.h"

#include <cstdint>
#include <memory>

namespace Lib
{
// A counted byte buffer; carries encoded images between the renderer, the texture handler and
// the screenshot writer.
class Blob : public ReferenceCounter
{
public:
    // Copies the bytes; a size of 0 keeps no buffer.
    Blob(const void* p_Bytes, uint64_t p_Size);

    const uint8_t* Data() const { return m_Data.get(); }
    uint64_t Size() const { return m_Size; }
    uint64_t Position() const { return m_Position; }

private:
    std::unique_ptr<uint8_t[]> m_Data;
    uint64_t m_Size = 0;
    uint64_t m_Position = 0;
};
} // namespace Lib
