#include "Game/ConfigReader.h"

#include "Lib/Platform/File.h"
#include "Lib/Platform/FileSystem.h"
#include "Lib/Platform/RegularFile.h"

#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

namespace Snake
{
namespace
{
const Lib::String k_Bind = "bind";
const Lib::String k_Set = "set";

struct DefaultRow
{
    const char* kind;
    const char* name;
    const char* value;
    int32_t id;
};

// The order is the order of a newly written file.
constexpr DefaultRow k_DefaultRows[] = {
    {"// contains game configuration data", "", "", k_ConfigNone},
    {"bind", "TAB", "+scores", k_ConfigScores},
    {"bind", "ESCAPE", "togglemenu", k_ConfigToggleMenu},
    {"bind", "~", "toggleconsole", k_ConfigToggleConsole},
    {"bind", "PAUSE", "pause", k_ConfigPause},
    {"bind", "UP_ARROW", "+moveup", k_ConfigMoveUp},
    {"bind", "DOWN_ARROW", "+movedown", k_ConfigMoveDown},
    {"bind", "LEFT_ARROW", "+moveleft", k_ConfigMoveLeft},
    {"bind", "RIGHT_ARROW", "+moveright", k_ConfigMoveRight},
    {"bind", "SHIFT", "+speed", k_ConfigSpeed},
    {"bind", "F11", "screenshot", k_ConfigScreenshot},
    {"set", "r_customwidth", "1280", k_ConfigCustomWidth},
    {"set", "r_customheight", "720", k_ConfigCustomHeight},
    {"set", "r_fullscreen", "0", k_ConfigFullscreen},
    {"set", "r_fps", "1", k_ConfigShowFps},
    {"set", "r_points", "1", k_ConfigShowPoints},
    {"set", "r_renderer", "0", k_ConfigRenderer},
    {"set", "r_gpu", "0", k_ConfigGpu},
    {"set", "r_currentmonitor", "0", k_ConfigCurrentMonitor},
    {"set", "r_windowmode", "0", k_ConfigWindowMode},
    {"set", "g_vsync", "1", k_ConfigVSync},
    {"set", "language", "English", k_ConfigLanguage},
    {"set", "grid_mode", "2", k_ConfigGridMode},
    {"set", "game_speed", "8", k_ConfigGameSpeed},
    {"// r_renderer values:   0 OpenGL, 1 Vulkan, 2 Direct3D (not implemented), 3 "
     "DefaultOpenGL_UserInterface (not "
     "implemented), 4 SoftwareRenderer (not implemented)",
     "", "", k_ConfigNone},
    {"// r_windowmode values: 0 windowed (non exclusive), 1 fullscreen exclusive, 2 fullscreen windowed (non "
     "exclusive), maximised (non exclusive)",
     "", "", k_ConfigNone},
    {"// window modes this build can show:", "", "", k_ConfigNone},
    {"// - Fullscreen exclusive", "", "", k_ConfigNone},
    {"// - Fullscreen windowed", "", "", k_ConfigNone},
    {"// - Maximised window    // Todo: Implement a maximise mode", "", "", k_ConfigNone},
    {"// - Windowed", "", "", k_ConfigNone},
};
static_assert(std::size(k_DefaultRows) == 31, "the configuration has 31 built-in lines");

// Settings that came later. They follow the 31 lines above, which stay as they always were, so a
// file written before them keeps its lines and gains these at its end.
constexpr DefaultRow k_AppendedRows[] = {
    {"set", "r_framecap", "0", k_ConfigFrameCap},   {"set", "g_turnbuffer", "0", k_ConfigTurnBuffer},
    {"set", "g_fairstart", "0", k_ConfigFairStart}, {"set", "g_autopause", "0", k_ConfigAutoPause},
    {"set", "g_attract", "0", k_ConfigAttract},     {"set", "s_volume", "60", k_ConfigSoundVolume},
    {"set", "s_mute", "0", k_ConfigSoundMute},      {"set", "r_multisample", "auto", k_ConfigMultisample},
    {"set", "g_botwait", "50", k_ConfigBotWait},
};

constexpr std::string_view k_ByteOrderMark = "\xEF\xBB\xBF";

bool IsSeparator(char p_Byte)
{
    return p_Byte == ' ' || p_Byte == '\t';
}

// Every space or tab separates, so doubled separators leave empty tokens that make the line
// unparsable (and so kept verbatim) instead of being silently collapsed. A single trailing one is
// forgiven. Quotes only group for the eye: they are dropped, they do not protect spaces. The
// line is split as bytes, so text in any encoding passes through unchanged.
std::vector<std::string> SplitTokens(std::string_view p_Line)
{
    std::vector<std::string> tokens;
    size_t start = 0;
    while (true)
    {
        size_t end = start;
        while (end < p_Line.size() && !IsSeparator(p_Line[end]))
            ++end;
        std::string token(p_Line.substr(start, end - start));
        if (end == p_Line.size())
        {
            if (!token.empty())
                tokens.push_back(std::move(token));
            break;
        }
        tokens.push_back(std::move(token));
        start = end + 1;
    }
    for (std::string& token : tokens)
        std::erase(token, '"');
    return tokens;
}

Lib::String TextOf(std::string_view p_Bytes)
{
    return Lib::String(p_Bytes);
}

// The bytes a text was read from while it still says the same; its UTF-8 form once it changed.
std::string BytesOf(const Lib::String& p_Text, const std::string& p_ReadBytes)
{
    if (!p_ReadBytes.empty() && Lib::WideFromUtf8(p_ReadBytes) == p_Text.Wide())
        return p_ReadBytes;
    return p_Text.ToNarrow().Bytes();
}

bool IsBindOrSet(const ConfigEntry& p_Entry)
{
    return p_Entry.kind == k_Bind || p_Entry.kind == k_Set;
}
} // namespace

ConfigReader::ConfigReader(const Lib::String& p_FileName) : m_FileName(p_FileName)
{
    for (const DefaultRow& row : k_DefaultRows)
        m_Defaults.Add(ConfigEntry{row.kind, row.name, row.value, row.id, {}});
    for (const DefaultRow& row : k_AppendedRows)
        m_Defaults.Add(ConfigEntry{row.kind, row.name, row.value, row.id, {}});
}

int32_t ConfigReader::FindEntry(int32_t p_Id) const
{
    // Id 0 marks lines nobody addresses; unknown bind and set lines carry it too.
    if (p_Id == k_ConfigNone)
        return -1;
    for (uint32_t i = 0; i < m_Entries.Count(); ++i)
        if (m_Entries[i].id == p_Id && IsBindOrSet(m_Entries[i]))
            return static_cast<int32_t>(i);
    return -1;
}

Lib::String ConfigReader::GetEntryText(int32_t p_Id, EntrySide p_Side) const
{
    const int32_t index = FindEntry(p_Id);
    if (index < 0)
        return "Invalid Entry";
    const ConfigEntry& entry = m_Entries[static_cast<uint32_t>(index)];
    // A binding's setting is its key; the command is what the line is about.
    if (entry.kind == k_Bind)
        return p_Side == EntrySide::Value ? entry.name : entry.value;
    return p_Side == EntrySide::Value ? entry.value : entry.name;
}

void ConfigReader::SetEntryText(int32_t p_Id, const Lib::String& p_Text)
{
    const int32_t index = FindEntry(p_Id);
    if (index < 0)
        return;
    ConfigEntry& entry = m_Entries[static_cast<uint32_t>(index)];
    if (entry.kind == k_Bind)
        entry.name = p_Text;
    else
        entry.value = p_Text;
}

uint32_t ConfigReader::GetKeyForCommand(const std::string& p_Command) const
{
    const auto found = m_Bindings.find(p_Command);
    return found == m_Bindings.end() ? 0 : found->second;
}

void ConfigReader::AddBinding(const std::string& p_Command, uint32_t p_KeyCode)
{
    m_Bindings.emplace(p_Command, p_KeyCode);
}

int32_t ConfigReader::GetIdForName(const Lib::String& p_Name) const
{
    for (const ConfigEntry& entry : m_Defaults)
    {
        if (entry.kind == k_Bind && entry.value == p_Name)
            return entry.id;
        if (entry.kind == k_Set && entry.name == p_Name)
            return entry.id;
    }
    return k_ConfigNone;
}

void ConfigReader::AddLine(std::string_view p_Line)
{
    const std::vector<std::string> tokens = SplitTokens(p_Line);
    const bool bind = tokens.size() == 3 && tokens[0] == "bind";
    // A line that names nothing and gives nothing (set "" "") is no setting; kept whole, it
    // cannot be mistaken for a lone "set" when written back.
    const bool blank = tokens.size() == 3 && tokens[1].empty() && tokens[2].empty();
    if (!blank && (bind || (tokens.size() == 3 && tokens[0] == "set")))
    {
        ConfigEntry entry{bind ? k_Bind : k_Set, TextOf(tokens[1]), TextOf(tokens[2]), k_ConfigNone, {}};
        // A binding is known by its command, a setting by its variable.
        entry.id = GetIdForName(bind ? entry.value : entry.name);
        entry.read = {tokens[0], tokens[1], tokens[2]};
        m_Entries.Add(std::move(entry));
        return;
    }
    ConfigEntry entry{TextOf(p_Line), "", "", k_ConfigNone, {}};
    entry.read.kind = std::string(p_Line);
    m_Entries.Add(std::move(entry));
}

bool ConfigReader::ClaimFile(std::chrono::milliseconds p_Wait)
{
    // Two games that both wrote the file at exit would silently undo each other's settings.
    // The folder is what they share: a folder that cannot be locked tells nothing, and the store
    // then behaves as the only one, as it did before there was a lock.
    if (m_FolderLock.Acquire(Lib::FolderOf(m_FileName), p_Wait) != Lib::FolderLockResult::HeldElsewhere)
        return true;
    LogWarning(m_Tag,
               "Another instance of the game is running in this folder: this one does not save its "
               "settings to \"%s\"",
               m_FileName.ToNarrow().Data());
    KeepFileAsItIs("another instance of the game is running in this folder");
    return false;
}

bool ConfigReader::ReadFile()
{
    m_Entries.Clear();
    m_ReadErrorCode = 0;
    m_ByteOrderMark = false;
    Lib::File file(m_FileName, Lib::FileMode::Read);
    if (file.Read() != 0)
    {
        m_ReadErrorCode = file.ErrorCode();
        // A FIFO, a device, a folder or a link to nowhere is no settings file: whatever the game
        // wrote there would go into the device or replace what the user put there.
        if (const std::optional<Lib::FileKind> kind = Lib::RefusedKindOf(m_ReadErrorCode))
        {
            LogError(m_Tag,
                     "\"%s\" is %s, not a regular file: it is left alone and the game runs with the "
                     "default settings",
                     m_FileName.ToNarrow().Data(), Lib::FileKindName(*kind));
            KeepFileAsItIs(Lib::ErrorTextOf(m_ReadErrorCode).ToNarrow().Data());
            return false;
        }
        LogError(m_Tag, "Could not read file \"%s\", error message: %s, error code: %d",
                 m_FileName.ToNarrow().Data(), file.ErrorText().ToNarrow().Data(), file.ErrorCode());
        return false;
    }

    // Lines are cut from the file's bytes by their length rather than taken from the reader's
    // line list: a NUL byte stays inside its line, and a line longer than the reader's buffer
    // is not broken into pieces that would be written back as separate lines.
    ReadText(file.Bytes());
    return true;
}

void ConfigReader::ReadText(std::string_view p_Content)
{
    m_Entries.Clear();
    m_ByteOrderMark = false;
    std::string_view content = p_Content;
    if (content.starts_with(k_ByteOrderMark))
    {
        m_ByteOrderMark = true;
        content.remove_prefix(k_ByteOrderMark.size());
    }
    size_t start = 0;
    while (start < content.size())
    {
        size_t end = content.find('\n', start);
        if (end == std::string_view::npos)
            end = content.size();
        std::string_view line = content.substr(start, end - start);
        // Every carriage return at the end: a file converted to Windows line ends twice has
        // two, and one left in the line would be lost on the next read.
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty())
            AddLine(line);
        start = end + 1;
    }
}

void ConfigReader::MergeDefaults()
{
    for (const ConfigEntry& fallback : m_Defaults)
    {
        bool present = false;
        for (const ConfigEntry& entry : m_Entries)
        {
            if (entry.kind == fallback.kind && entry.name == fallback.name)
            {
                present = true;
                break;
            }
        }
        if (!present)
            m_Entries.Add(fallback);
    }
}

bool ConfigReader::WriteFile() const
{
    const Lib::NarrowString fileName = m_FileName.ToNarrow();
    if (!m_KeepReason.empty())
    {
        LogWarning(m_Tag, "Settings not saved to \"%s\": %s", fileName.Data(), m_KeepReason.c_str());
        return false;
    }
    // A user who took away the write permission wants the file as it is, whoever runs the game.
    if (Lib::IsReadOnlyFile(m_FileName))
    {
        LogWarning(m_Tag, "Settings not saved to \"%s\": the file is read-only", fileName.Data());
        return false;
    }

    const std::string text = ComposeText();
    int32_t error = 0;
    if (!Lib::WriteTextBytes(m_FileName, text, &error))
    {
        LogError(m_Tag, "Could not write file \"%s\": %s", fileName.Data(),
                 Lib::ErrorTextOf(error).ToNarrow().Data());
        return false;
    }
    return true;
}

std::string ConfigReader::ComposeText() const
{
    // Built by appending rather than formatted, so no length limit can cut a line.
    std::string text;
    for (const ConfigEntry& entry : m_Entries)
    {
        if (entry.kind.IsEmpty())
            continue;
        text += BytesOf(entry.kind, entry.read.kind);
        // A line kept whole has neither name nor value. A binding or setting is written with
        // both, quoted when empty, so that it reads back as the same three parts: a key name
        // cleared in the menu stays cleared, and an empty value stays set.
        if (!entry.name.IsEmpty() || !entry.value.IsEmpty())
        {
            text += ' ';
            text += entry.name.IsEmpty() ? std::string("\"\"") : BytesOf(entry.name, entry.read.name);
            text += " \"";
            text += BytesOf(entry.value, entry.read.value);
            text += '"';
        }
        text += '\n';
    }
    // A first line that itself begins with the mark needs one before it, or reading would take
    // the line's mark for the file's and drop it.
    if (m_ByteOrderMark || std::string_view(text).starts_with(k_ByteOrderMark))
        text.insert(0, k_ByteOrderMark);
    return text;
}
} // namespace Snake
