#include "Lib/Platform/File.h"

#include "Lib/Platform/Process.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace Lib
{
namespace
{
constexpr size_t k_ReadBufferSize = 1000;

String ErrorTextOf(int p_Code)
{
    char buffer[256] = {};
    const char* text = strerror_r(p_Code, buffer, sizeof(buffer));
    return String(text ? text : "");
}

bool WriteAll(int p_Descriptor, const std::string& p_Bytes)
{
    size_t done = 0;
    while (done < p_Bytes.size())
    {
        const ssize_t written = write(p_Descriptor, p_Bytes.data() + done, p_Bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

// Writing through a link must replace what the link points to, not the link itself, as writing
// into the file in place would.
std::string ResolveTarget(const std::string& p_Name)
{
    struct stat info
    {
    };
    if (lstat(p_Name.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return p_Name;
    char* resolved = realpath(p_Name.c_str(), nullptr);
    if (!resolved)
        return p_Name;
    std::string target(resolved);
    free(resolved);
    return target;
}

// Best effort: makes the rename itself survive a power loss. The data is already safe either way.
void SyncFolderOf(const std::string& p_Path)
{
    const size_t separator = p_Path.find_last_of('/');
    const std::string folder = separator == std::string::npos ? "." : p_Path.substr(0, separator + 1);
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    fsync(descriptor);
    close(descriptor);
}
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

int32_t File::Read()
{
    // Reading again starts from scratch instead of piling a second copy onto the first.
    m_ErrorCode = 0;
    m_ErrorText = String();
    m_Lines.Clear();
    m_Content = String();
    m_LineCount = 0;

    const char* mode = FileModeString(m_Mode);
    FILE* file = mode ? fopen(m_FileName.ToNarrow().Data(), mode) : nullptr;
    if (!file)
    {
        m_ErrorCode = mode ? errno : EINVAL;
        m_ErrorText = ErrorTextOf(m_ErrorCode);
        return m_ErrorCode;
    }

    // The content is gathered as bytes and converted once, so that a character split between two
    // pieces is not mangled; each line is converted on its own.
    std::string content;
    char buffer[k_ReadBufferSize] = {};
    while (fgets(buffer, sizeof(buffer), file))
    {
        const size_t length = strnlen(buffer, sizeof(buffer));
        content.append(buffer, length);
        const size_t lineLength = strcspn(buffer, "\r\n");
        m_Lines.Add(String(std::string_view(buffer, lineLength)));
        ++m_LineCount;
    }
    fclose(file);
    m_Content = String(std::string_view(content));
    return 0;
}

bool WriteTextFile(const String& p_FileName, const String& p_Text)
{
    if (p_FileName.IsEmpty())
        return false;

    // The text goes to a file beside the target and replaces it by rename only once it is
    // complete on disk: the old content survives a crash, a full disk or a failed write.
    const std::string target = ResolveTarget(p_FileName.ToNarrow().Bytes());
    const std::string temporary = target + ".tmp-" + std::to_string(GetCurrentProcessId());

    const int descriptor = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return false;

    // Keep the permissions the user gave the file.
    struct stat existing
    {
    };
    if (stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        fchmod(descriptor, existing.st_mode & 07777);

    bool written = WriteAll(descriptor, p_Text.ToNarrow().Bytes()) && fsync(descriptor) == 0;
    written = close(descriptor) == 0 && written;
    if (!written || rename(temporary.c_str(), target.c_str()) != 0)
    {
        unlink(temporary.c_str());
        return false;
    }
    SyncFolderOf(target);
    return true;
}

bool DeleteFile(const String& p_FileName)
{
    return !p_FileName.IsEmpty() && unlink(p_FileName.ToNarrow().Data()) == 0;
}
} // namespace Lib
