#pragma once
#include "Lib/DynamicArray.h"
#include "Lib/String.h"

#include <cstdint>

namespace Lib
{
struct FolderContent
{
    String path;
    DynamicArray<String> folders; // names only, in the order the system lists them
    DynamicArray<String> files;
};

// Lists a folder (the path ends with a separator). A path that is no folder yields two empty
// lists and no error.
FolderContent ListFolder(const String& p_Path);

// True when the path names an existing file or folder.
bool PathExists(const String& p_Path);
// Creates a folder; true when it exists afterwards.
bool CreateFolder(const String& p_Path);

// The folder part of a file path, "." for a bare file name.
String FolderOf(const String& p_FilePath);

// The part behind the last folder separator: the whole path when there is none.
String FileNameOf(const String& p_FilePath);

// True when the path names an existing file that this process must not replace: one without any
// write permission (as its owner made it read-only, which even an administrator's process
// respects here) or one the process has no write access to. A file on a read-only file system
// does not count: that is not the user's choice about this file.
bool IsReadOnlyFile(const String& p_Path);

// Removes the temporary files that an interrupted write of the file left beside it
// ("<name>.tmp-<process id>"), in the file's own folder only, and only those whose process no
// longer runs. Returns how many were removed.
uint32_t RemoveStaleTemporaryFiles(const String& p_FilePath);
} // namespace Lib
