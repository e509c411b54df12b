#include "Lib/Platform/File.h"

#include "Lib/Platform/FileBytes.h"
#include "Lib/Platform/FileReplace.h"
#include "Lib/Platform/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <string>

namespace Lib
{
namespace
{
constexpr size_t k_ReadBufferSize = 1000;
} // namespace

const char* FileModeString(FileMode p_Mode)
{
    static const char* const s_Modes[] = {"r", "rb", "w", "wb", "a", "r+", "w+", "a+"};
    const auto index = static_cast<int32_t>(p_Mode);
    if (index < 0 || index >= static_cast<int32_t>(sizeof(s_Modes) / sizeof(s_Modes[0])))
        return nullptr;
    return s_Modes[index];
}

File::File(const String& p_FileName, FileMode p_Mode) : m_FileName(p_FileName), m_Mode(p_Mode) {}

int32_t File::Read(size_t p_MaxBytes)
{
    // Reading again starts from scratch instead of piling a second copy onto the first.
    m_ErrorCode = 0;
    m_ErrorText = String();
    m_Lines.Clear();
    m_Content = String();
    m_Bytes.clear();
    m_LineCount = 0;

    // Read only ever reads: a writing mode must not create or empty the file here.
    const int32_t error = FileModeString(m_Mode) ? ReadFileBytes(m_FileName, p_MaxBytes, m_Bytes) : EINVAL;
    if (error != 0)
    {
        m_Bytes.clear();
        m_ErrorCode = error;
        m_ErrorText = ErrorTextOf(error);
        return error;
    }

    // The lines come in the reader's pieces: at most 999 bytes, a line break ends one. Each is
    // cut at its first carriage return or line feed and converted on its own; the content is
    // converted once, so that a character split between two pieces is not mangled there.
    const std::string_view bytes(m_Bytes);
    size_t start = 0;
    while (start < bytes.size())
    {
        size_t end = bytes.find('\n', start);
        end = end == std::string_view::npos ? bytes.size() : end + 1;
        end = std::min(end, start + (k_ReadBufferSize - 1));
        const std::string_view piece = bytes.substr(start, end - start);
        m_Lines.Add(String(piece.substr(0, std::min(piece.find_first_of("\r\n"), piece.size()))));
        ++m_LineCount;
        start = end;
    }
    m_Content = String(bytes);
    return 0;
}

std::string WithSystemLineEnds(std::string_view p_Text)
{
#ifdef _WIN32
    // As the C runtime's text mode writes it: every line feed gets a carriage return before it,
    // also one that had one already, so what is read back without them is the text again.
    std::string text;
    text.reserve(p_Text.size() + p_Text.size() / 16);
    for (const char character : p_Text)
    {
        if (character == '\n')
            text.push_back('\r');
        text.push_back(character);
    }
    return text;
#else
    return std::string(p_Text);
#endif
}

bool WriteTextFile(const String& p_FileName, const String& p_Text)
{
    return WriteTextBytes(p_FileName, p_Text.ToNarrow().Bytes());
}

bool WriteTextBytes(const String& p_FileName, std::string_view p_Text, int32_t* p_ErrorCode)
{
    return WriteFileBytes(p_FileName, WithSystemLineEnds(p_Text), p_ErrorCode);
}

bool WriteFileBytes(const String& p_FileName, std::string_view p_Bytes, int32_t* p_ErrorCode)
{
    const int error =
        p_FileName.IsEmpty() ? EINVAL : ReplaceFileContent(p_FileName.ToNarrow().Bytes(), p_Bytes);
    if (p_ErrorCode)
        *p_ErrorCode = error;
    return error == 0;
}

bool DeleteFile(const String& p_FileName, int32_t* p_ErrorCode)
{
    int32_t error = 0;
    const NarrowString name = p_FileName.ToNarrow();
    const FileKind kind = p_FileName.IsEmpty() ? FileKind::Missing : FileKindOf(name.Data());
    if (p_FileName.IsEmpty())
        error = EINVAL;
    else if (kind != FileKind::Regular && kind != FileKind::Missing && kind != FileKind::Unknown)
        error = NotRegularFileError(kind);
    else
        error = RemoveFileName(name.Data());
    if (p_ErrorCode)
        *p_ErrorCode = error;
    return error == 0;
}
} // namespace Lib
