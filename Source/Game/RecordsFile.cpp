#include "Game/RecordsFile.h"

#include "Lib/Platform/File.h"
#include "Lib/Platform/RegularFile.h"

#include <cerrno>
#include <optional>

namespace Snake
{
void RecordsFile::Load()
{
    m_Table = RecordTable();
    Lib::File file(m_FileName, Lib::FileMode::ReadBinary);
    if (file.Read() != 0)
    {
        if (file.ErrorCode() == ENOENT)
            return;
        m_KeepFile = true;
        if (const std::optional<Lib::FileKind> kind = Lib::RefusedKindOf(file.ErrorCode()))
        {
            Lib::LogError(m_Tag,
                          "\"%s\" is %s, not a regular file: it is left alone and records are not saved",
                          m_FileName.ToNarrow().Data(), Lib::FileKindName(*kind));
            return;
        }
        Lib::LogError(m_Tag,
                      "Could not read file \"%s\", error message: %s, error code: %d; records are not saved",
                      m_FileName.ToNarrow().Data(), file.ErrorText().ToNarrow().Data(), file.ErrorCode());
        return;
    }
    ParsedRecords parsed = ParseRecords(file.Bytes());
    for (const DamagedLine& line : parsed.damaged)
        Lib::LogWarning(m_Tag, "Skipped line %u of \"%s\": %s", line.number, m_FileName.ToNarrow().Data(),
                        line.reason.c_str());
    m_Table = parsed.table;
}

bool RecordsFile::Save() const
{
    if (m_KeepFile)
        return false;
    int32_t error = 0;
    if (!Lib::WriteFileBytes(m_FileName, m_Table.Serialise(), &error))
    {
        Lib::LogError(m_Tag, "Could not write file \"%s\": %s", m_FileName.ToNarrow().Data(),
                      Lib::ErrorTextOf(error).ToNarrow().Data());
        return false;
    }
    return true;
}
} // namespace Snake
