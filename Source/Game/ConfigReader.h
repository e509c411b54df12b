#pragma once
// The game's settings and key bindings, and the text file "gamedata.cfg" they live in.
#include "Game/ConfigEntry.h"
#include "Game/ConfigIds.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/Platform/FolderLock.h"
#include "Lib/String.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace Snake
{
class ConfigReader
{
public:
    // The file name is relative to the working folder; the program always uses the default.
    explicit ConfigReader(const Lib::String& p_FileName = "gamedata.cfg");

    // Entry lookups select the first "bind" or "set" entry with the id; the user's own line
    // stands before any default that merging appended, so it wins.
    Lib::String GetEntryText(int32_t p_Id, EntrySide p_Side) const;
    // Replaces the key name of a "bind" entry or the value of a "set" entry. The bindings map
    // stays as it was built at start-up.
    void SetEntryText(int32_t p_Id, const Lib::String& p_Text);

    // 0 when no binding names the command.
    uint32_t GetKeyForCommand(const std::string& p_Command) const;
    // The first binding of a command stays; later ones are ignored.
    void AddBinding(const std::string& p_Command, uint32_t p_KeyCode);
    // The id of the default that binds this command or sets this variable, 0 when none does.
    int32_t GetIdForName(const Lib::String& p_Name) const;

    // Makes this store the one writer of its file: no other game in the file's folder may hold
    // it at the same time. Waits up to p_Wait for one that is about to end. Without it, the store
    // keeps its file as it is and says why.
    bool ClaimFile(std::chrono::milliseconds p_Wait = {});

    // Replaces the entries with the file's lines. On failure the entries stay empty and the
    // reason is logged; ReadErrorCode tells whether the file is missing (ENOENT) or unreadable.
    // A name that leads to anything but a regular file (Lib::RefusedKindOf tells the kind) is
    // also kept as it is from then on.
    bool ReadFile();
    int32_t ReadErrorCode() const { return m_ReadErrorCode; }
    // Replaces the entries with the lines of a file's content (what ReadFile does once it has
    // the bytes).
    void ReadText(std::string_view p_Content);
    // Appends every default that has no entry of the same kind and name.
    void MergeDefaults();
    // Replaces the file's content with the entries, in one write. A file that must stay as it
    // is (see KeepFileAsItIs, ClaimFile) or that is read-only is not written; the log says why.
    bool WriteFile() const;
    // From now on WriteFile leaves the file alone; the reason completes "... not saved: ".
    // The file's content as WriteFile writes it; reading it back gives the same entries.
    std::string ComposeText() const;
    void KeepFileAsItIs(const char* p_Reason) { m_KeepReason = p_Reason; }

    bool IsLoaded() const { return m_Loaded; }
    void SetLoaded(bool p_Loaded) { m_Loaded = p_Loaded; }
    const Lib::String& FileName() const { return m_FileName; }
    const Lib::DynamicArray<ConfigEntry>& Defaults() const { return m_Defaults; }
    const Lib::DynamicArray<ConfigEntry>& Entries() const { return m_Entries; }

private:
    void AddLine(std::string_view p_Line);
    // Index of the first bind or set entry with the id, -1 when there is none.
    int32_t FindEntry(int32_t p_Id) const;

    Lib::LogTag m_Tag{"ConfigReader"};
    bool m_Loaded = false;
    Lib::String m_FileName;
    Lib::DynamicArray<ConfigEntry> m_Defaults;
    Lib::DynamicArray<ConfigEntry> m_Entries; // file order; this is what is written back
    std::unordered_map<std::string, uint32_t> m_Bindings;
    int32_t m_ReadErrorCode = 0;
    bool m_ByteOrderMark = false; // the file began with one; it is written back with it
    std::string m_KeepReason;     // not empty: the file is not written
    Lib::FolderLock m_FolderLock;
};
} // namespace Snake
