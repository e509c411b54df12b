#pragma once
// Replacing a file's whole content without ever leaving it half written where that can be
// avoided. Used by the configuration writer and by the log trim, so it knows nothing of either.
#include <cstdint>
#include <string>
#include <string_view>

namespace Lib
{
// The name of the file a process writes before it renames it over p_Target:
// "<target>.tmp-<process id>". Each process has its own, so two writers never share one.
std::string TemporaryNameFor(const std::string& p_Target, int64_t p_ProcessId);

// True when p_Name is "<p_TargetName>.tmp-<digits>"; the digits are returned as the process id.
bool IsTemporaryNameOf(std::string_view p_Name, std::string_view p_TargetName, int64_t& p_ProcessId);

// Replaces the content of the file (a link is followed, the link stays). The bytes go to the
// temporary file first, which is renamed over the target once it is complete on disk. When the
// folder does not let us create or rename a file but the file itself is writable, the bytes are
// written into the file in place instead. Only a regular file is replaced, and a missing name is
// created: anything else (a device, FIFO, socket or folder, also behind a link, or a dangling
// link) is left alone and refused with NotRegularFileError(kind) (Platform/RegularFile.h).
// Returns 0, or the errno of the step that failed.
int ReplaceFileContent(const std::string& p_Path, std::string_view p_Bytes);
} // namespace Lib
