#include "Lib/Platform/File.h"
#include "Lib/Platform/FileReplace.h"
#include "Lib/Platform/FileSystem.h"
#include "Lib/Platform/Process.h"
#include "Lib/Platform/RegularFile.h"

#include <string>

namespace Lib
{
uint32_t RemoveStaleTemporaryFiles(const String& p_FilePath)
{
    const std::string name = FileNameOf(p_FilePath).ToNarrow().Bytes();
    if (name.empty())
        return 0;
    const std::string folder = FolderOf(p_FilePath).ToNarrow().Bytes() + "/";

    uint32_t removed = 0;
    const FolderContent content = ListFolder(String(folder));
    for (const String& entry : content.files)
    {
        int64_t processId = 0;
        const std::string entryName = entry.ToNarrow().Bytes();
        // A process that still runs may be writing its file right now; a process id that was
        // handed on to another program keeps its file until a later start.
        if (!IsTemporaryNameOf(entryName, name, processId) || ProcessIsRunning(processId))
            continue;
        const std::string candidate = folder + entryName;
        if (IsRegularFileItself(candidate.c_str()) && DeleteFile(String(candidate)))
            ++removed;
    }
    return removed;
}
} // namespace Lib
