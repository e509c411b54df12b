#include "Lib/Platform/RegularFile.h"

namespace Lib
{
namespace
{
// Above every errno value of either system (Linux's stay below 200, the C runtime's of Windows
// below 150), so these cannot be mistaken for one.
constexpr int32_t k_NotRegularFileErrorBase = 0x4b00;
} // namespace

const char* FileKindName(FileKind p_Kind)
{
    switch (p_Kind)
    {
    case FileKind::Missing:
        return "a missing file";
    case FileKind::Regular:
        return "a regular file";
    case FileKind::Directory:
        return "a directory";
    case FileKind::Fifo:
        return "a FIFO";
    case FileKind::CharacterDevice:
        return "a character device";
    case FileKind::BlockDevice:
        return "a block device";
    case FileKind::Socket:
        return "a socket";
    case FileKind::DanglingLink:
        return "a dangling symbolic link";
    case FileKind::Other:
        return "a special file";
    case FileKind::Unknown:
        break;
    }
    return "a file of unknown kind";
}

int32_t NotRegularFileError(FileKind p_Kind)
{
    return k_NotRegularFileErrorBase + static_cast<int32_t>(p_Kind);
}

std::optional<FileKind> RefusedKindOf(int32_t p_Code)
{
    const int32_t kind = p_Code - k_NotRegularFileErrorBase;
    if (kind < static_cast<int32_t>(FileKind::Directory) || kind > static_cast<int32_t>(FileKind::Unknown))
        return std::nullopt;
    return static_cast<FileKind>(kind);
}

std::string NotRegularFileText(FileKind p_Kind)
{
    return std::string("it is ") + FileKindName(p_Kind) + ", not a regular file";
}

} // namespace Lib
