#include "Lib/Blob.h"

#include <cstring>

namespace Lib
{
Blob::Blob(const void* p_Bytes, uint64_t p_Size) : m_Size(p_Size)
{
    if (p_Size == 0)
        return;
    m_Data = std::make_unique<uint8_t[]>(p_Size);
    if (p_Bytes)
        memcpy(m_Data.get(), p_Bytes, p_Size);
}
} // namespace Lib
