#pragma once
// "records.cfg" in the working folder: read once at start, written whenever a round sets a
// record. The write replaces the file in one step, as the configuration's does, so a crash or a
// kill never leaves half a file.
#include "Game/Records.h"
#include "Lib/Log.h"
#include "Lib/String.h"

namespace Snake
{
class RecordsFile
{
public:
    explicit RecordsFile(const Lib::String& p_FileName = "records.cfg") : m_FileName(p_FileName) {}

    // A missing file is no error (no records yet). A damaged line is skipped with a log line
    // that names it; the good lines are kept. An unreadable file leaves the table empty and is
    // never written over, so records the player cannot see now are not lost. A name that leads to
    // anything but a regular file (a FIFO, a device, a dangling link ...) is left alone the same way.
    void Load();
    // False when the file could not be written (logged); the records stay in memory.
    bool Save() const;

    const RecordTable& Table() const { return m_Table; }
    RecordTable& Table() { return m_Table; }
    const Lib::String& FileName() const { return m_FileName; }

private:
    Lib::LogTag m_Tag{"Records"};
    Lib::String m_FileName;
    RecordTable m_Table;
    bool m_KeepFile = false; // unreadable at start: leave it alone
};
} // namespace Snake
