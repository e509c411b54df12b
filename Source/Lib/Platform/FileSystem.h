#pragma once
#include "Lib/DynamicArray.h"
#include "Lib/String.h"

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
} // namespace Lib
