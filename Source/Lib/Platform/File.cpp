#include "Lib/Platform/File.h"

#include "Lib/Platform/FileReplace.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace Lib
{
namespace
{
constexpr size_t k_ReadBufferSize = 1000;
} // namespace

String ErrorTextOf(int32_t p_Code)
{
    char buffer[256] = {};
    const char* text = strerror_r(p_Code, buffer, sizeof(buffer));
    return String(text ? text : "");
}

const char* FileModeString(FileMode p_Mode)
{
    static const char* const s_Modes[] = {"r", "rb", "w", "wb", "a", "r+", "w+", "a+"};
    const auto index = static_cast<int32_t>(p_Mode);
    if (index < 0 || index >= static_cast<int32_t>(sizeof(s_Modes) / sizeof(s_Modes[0])))
        return nullptr;
    return s_Modes[index];
}

File::File(const String& p_FileName, FileMode p_Mode) : m_FileName(p_FileName), m_Mode(p_Mode) {}

int32_t File::Read()
{
    // Reading again starts from scratch instead of piling a second copy onto the first.
    m_ErrorCode = 0;
    m_ErrorText = String();
    m_Lines.Clear();
    m_Content = String();
    m_Bytes.clear();
    m_LineCount = 0;

    const char* mode = FileModeString(m_Mode);
    FILE* file = mode ? fopen(m_FileName.ToNarrow().Data(), mode) : nullptr;
    if (!file)
    {
        m_ErrorCode = mode ? errno : EINVAL;
        m_ErrorText = ErrorTextOf(m_ErrorCode);
        return m_ErrorCode;
    }

    // The file is read by its byte length: a NUL byte is data like any other and must not end
    // a line, nor hide what follows it.
    std::string content;
    char buffer[64 * 1024];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof(buffer), file)) > 0)
        content.append(buffer, got);
    const bool failed = ferror(file) != 0;
    const int readError = errno;
    fclose(file);
    if (failed)
    {
        // A folder opens like a file and fails only here.
        m_ErrorCode = readError != 0 ? readError : EIO;
        m_ErrorText = ErrorTextOf(m_ErrorCode);
        return m_ErrorCode;
    }

    // The lines come in the reader's pieces: at most 999 bytes, a line break ends one. Each is
    // cut at its first carriage return or line feed and converted on its own; the content is
    // converted once, so that a character split between two pieces is not mangled there.
    const std::string_view bytes(content);
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
    m_Bytes = std::move(content);
    return 0;
}

bool WriteTextFile(const String& p_FileName, const String& p_Text)
{
    return WriteFileBytes(p_FileName, p_Text.ToNarrow().Bytes());
}

bool WriteFileBytes(const String& p_FileName, std::string_view p_Bytes, int32_t* p_ErrorCode)
{
    const int error =
        p_FileName.IsEmpty() ? EINVAL : ReplaceFileContent(p_FileName.ToNarrow().Bytes(), p_Bytes);
    if (p_ErrorCode)
        *p_ErrorCode = error;
    return error == 0;
}

bool DeleteFile(const String& p_FileName)
{
    return !p_FileName.IsEmpty() && unlink(p_FileName.ToNarrow().Data()) == 0;
}
} // namespace Lib
