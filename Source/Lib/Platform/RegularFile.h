#pragma once
// Opening a file only as what the game's files must be: a regular file. A name in the data folder
// may lead anywhere: to a FIFO (whose open or read waits for a writer that never comes), a device
// (which a rename through a link would replace for the whole system), a socket, a folder, or
// nowhere (a dangling link, which an open with O_CREAT would follow and create its target). Every
// reader and writer of the game's own files asks here, so one check decides for all of them.
#include <cstdint>
#include <optional>
#include <string>

namespace Lib
{
enum class FileKind : int32_t
{
    Missing, // no such name
    Regular,
    Directory,
    Fifo,
    CharacterDevice,
    BlockDevice,
    Socket,
    DanglingLink, // a symbolic link that leads to no file (or round in a loop)
    Other,
    Unknown, // the name cannot be examined (no permission on the way)
};

// The kind with its article, for a sentence: "a FIFO", "a character device", "a directory" ...
const char* FileKindName(FileKind p_Kind);
// What the name leads to, links followed. Never opens anything, so it never blocks.
FileKind FileKindOf(const char* p_Path);
// True when the name itself is a regular file: a link to one does not count.
bool IsRegularFileItself(const char* p_Path);

// An errno-like code per kind that is not a regular file, above every errno value, so the int
// error the file functions return also says which kind was refused; ErrorTextOf names it.
int32_t NotRegularFileError(FileKind p_Kind);
// The refused kind behind such a code; nothing for any other code.
std::optional<FileKind> RefusedKindOf(int32_t p_Code);
// "it is a FIFO, not a regular file"
std::string NotRegularFileText(FileKind p_Kind);

#ifndef _WIN32
// The kind of a stat's st_mode.
FileKind FileKindOfMode(uint32_t p_Mode);
#endif

enum class WhenMissing
{
    Fail,   // ENOENT
    Create, // a new regular file; never through a link
};

// Opens the file with p_Flags (O_RDONLY, O_WRONLY or O_RDWR, O_APPEND) only when it is a regular
// file, or a link to one. Never blocks: the open itself is non-blocking and the kind is taken from
// the open descriptor, so no other file can be swapped in between the check and the use. Returns
// the descriptor (close-on-exec, blocking again for reading and writing), or -1 with p_Error set to
// the errno of the failure or NotRegularFileError(kind). A dangling link counts as such a kind,
// also with WhenMissing::Create: its target is never created.
// Windows opens its handles through the same checks in Platform/Windows/RegularHandle.h.
#ifndef _WIN32
int OpenRegularFile(const char* p_Path, int p_Flags, int32_t& p_Error,
                    WhenMissing p_Missing = WhenMissing::Fail, uint32_t p_Permissions = 0666);
#endif
} // namespace Lib
