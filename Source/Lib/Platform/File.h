#pragma once
// Reading a text file line by line, and writing a text file in one piece.
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/String.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Lib
{
enum class FileMode : int32_t
{
    Read = 0,         // "r"
    ReadBinary = 1,   // "rb"
    Write = 2,        // "w"
    WriteBinary = 3,  // "wb"
    Append = 4,       // "a"
    ReadUpdate = 5,   // "r+"
    WriteUpdate = 6,  // "w+"
    AppendUpdate = 7, // "a+"
};

const char* FileModeString(FileMode p_Mode);

class File
{
public:
    File(const String& p_FileName, FileMode p_Mode);

    // 0 on success, else the errno of the failed step (also kept with its text). Only a regular
    // file (or a link to one) is read, whatever the mode says: anything else fails at once with
    // NotRegularFileError(kind) (Platform/RegularFile.h) and a text naming the kind, without
    // waiting for a FIFO's writer. A file larger than p_MaxBytes fails with EFBIG before its
    // content is read (and one that grows past it while being read, once it has).
    int32_t Read(size_t p_MaxBytes = SIZE_MAX);

    int32_t ErrorCode() const { return m_ErrorCode; }
    const String& ErrorText() const { return m_ErrorText; }
    const String& FileName() const { return m_FileName; }
    // Lines without their line ends; a line longer than 999 bytes arrives as several.
    const DynamicArray<String>& Lines() const { return m_Lines; }
    // The whole text as read, line ends included.
    const String& Content() const { return m_Content; }
    // The file's bytes exactly as they are on disk, NUL bytes and text that is not UTF-8 included.
    const std::string& Bytes() const { return m_Bytes; }
    uint32_t LineCount() const { return m_LineCount; }

private:
    int32_t m_ErrorCode = 0;
    String m_ErrorText;
    String m_FileName;
    FileMode m_Mode;
    DynamicArray<String> m_Lines;
    String m_Content;
    std::string m_Bytes;
    uint32_t m_LineCount = 0;
};

// Replaces the file's content with the text. The text goes to a temporary file beside the target
// first, which is then renamed over it, so a crash or a full disk never leaves a truncated file;
// only a folder that refuses new files makes it write into the file in place.
// Each "\n" of the text ends a line as the system's text files do: "\r\n" on Windows.
bool WriteTextFile(const String& p_FileName, const String& p_Text);
// The same for text already in UTF-8, with the errno of a failure in p_ErrorCode when one is given.
bool WriteTextBytes(const String& p_FileName, std::string_view p_Text, int32_t* p_ErrorCode = nullptr);
// The text with the system's line ends, as WriteTextBytes writes it.
std::string WithSystemLineEnds(std::string_view p_Text);
// The same for bytes that must reach the disk unchanged. On failure the errno of the step that
// failed is stored in p_ErrorCode when one is given.
bool WriteFileBytes(const String& p_FileName, std::string_view p_Bytes, int32_t* p_ErrorCode = nullptr);

// The system's text for an errno value, e.g. "Read-only file system"; for a refused kind of file
// "it is a FIFO, not a regular file".
String ErrorTextOf(int32_t p_Code);

// Removes a regular file (or the link to one); false when it could not be removed. Another kind
// of file under the name, a dangling link too, is left alone. On failure the errno (or
// NotRegularFileError(kind)) is stored in p_ErrorCode when one is given.
bool DeleteFile(const String& p_FileName, int32_t* p_ErrorCode = nullptr);
} // namespace Lib
