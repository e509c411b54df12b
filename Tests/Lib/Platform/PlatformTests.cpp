#include "Lib/Platform/Platform.h"

#include "Support/CapturingForwarder.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/utsname.h>
#include <unistd.h>
#endif

using TestSupport::CapturingForwarder;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

namespace
{
constexpr const char* k_JapaneseFont = "Resources/Fonts/Noto_Sans/NotoSansJP-Regular.otf";
constexpr const char* k_LatinFont = "Resources/Fonts/Noto_Sans/NotoSans-Regular.ttf";

// Runs every test in an empty working folder of its own, with the Platform torn down afterwards
// and fontconfig's configuration file restored.
class PlatformTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_OldDirectory = std::filesystem::current_path();
        std::filesystem::current_path(m_Folder.Path());
        m_OldLogName = Lib::GetLogFileName();
        Lib::SetLogFileName(m_Logs.File("log.txt").c_str());
#ifndef _WIN32
        if (const char* config = getenv("FONTCONFIG_FILE"))
            m_OldFontConfig = config, m_HadFontConfig = true;
#endif
    }

    void TearDown() override
    {
        Lib::ShutdownPlatform();
#ifndef _WIN32
        if (m_HadFontConfig)
            setenv("FONTCONFIG_FILE", m_OldFontConfig.c_str(), 1);
        else
            unsetenv("FONTCONFIG_FILE");
#endif
        Lib::SetLogFileName(m_OldLogName.c_str());
        std::filesystem::current_path(m_OldDirectory);
    }

    void AddFile(const std::string& p_RelativePath)
    {
        std::filesystem::create_directories(std::filesystem::path(p_RelativePath).parent_path());
        WriteWholeFile(p_RelativePath, "");
    }

#ifndef _WIN32
    // Makes fontconfig see only the given font files (copied under the given names), with the
    // given extra rules; an empty list leaves it without any font.
    void UseOnlySystemFonts(const std::vector<std::pair<std::string, std::string>>& p_FilesAndNames,
                            const std::string& p_Rules = "")
    {
        const std::filesystem::path fonts = m_Logs.Path() / "fonts";
        std::filesystem::remove_all(fonts);
        std::filesystem::remove_all(m_Logs.Path() / "cache");
        std::filesystem::create_directories(fonts);
        for (const auto& [file, name] : p_FilesAndNames)
            std::filesystem::copy_file(file, fonts / name);
        const std::string config = m_Logs.File("fonts.conf");
        WriteWholeFile(config, "<?xml version=\"1.0\"?>\n<fontconfig>\n  <dir>" + fonts.string() +
                                   "</dir>\n  <cachedir>" + m_Logs.File("cache") + "</cachedir>\n" + p_Rules +
                                   "</fontconfig>\n");
        setenv("FONTCONFIG_FILE", config.c_str(), 1);
    }
#endif

    static std::string Narrow(const Lib::String& p_Text)
    {
        return p_Text.ToNarrow().Bytes();
    }

    TempFolder m_Folder;
    TempFolder m_Logs;
    std::filesystem::path m_OldDirectory;
    std::string m_OldLogName;
    std::string m_OldFontConfig;
    bool m_HadFontConfig = false;
};
} // namespace

TEST_F(PlatformTest, GetPlatformBeforeInitialisationLogsAndReturnsNull)
{
    CapturingForwarder forwarder;
    EXPECT_EQ(Lib::GetPlatform(), nullptr);
    ASSERT_EQ(forwarder.lines.size(), 1u);
    EXPECT_NE(forwarder.lines[0].find("] Error "), std::string::npos);
    EXPECT_NE(forwarder.lines[0].find(
                  " Platform: Platform wasn't initialised, please initialise the platform first.\n"),
              std::string::npos);
}

TEST_F(PlatformTest, LocalFontCandidatesInOrder)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> files;
        std::vector<std::string> folders;
        std::string expectedName;
    };
    const Case cases[] = {
        {"both Noto fonts: the Japanese one wins",
         {k_JapaneseFont, k_LatinFont},
         {},
         "NotoSansJP-Regular.otf"},
        {"only the Latin Noto font", {k_LatinFont}, {}, "NotoSans-Regular.ttf"},
        {"a folder of the Japanese font's name does not count",
         {k_LatinFont},
         {k_JapaneseFont},
         "NotoSans-Regular.ttf"},
    };
    for (const Case& test : cases)
    {
        std::filesystem::remove_all("Resources");
        for (const std::string& file : test.files)
            AddFile(file);
        for (const std::string& folder : test.folders)
            std::filesystem::create_directories(folder);

        CapturingForwarder forwarder;
        ASSERT_TRUE(Lib::InitialisePlatform()) << test.name;
        const Lib::Platform* platform = Lib::GetPlatform();
        ASSERT_NE(platform, nullptr);
        const std::string path = "Resources/Fonts/Noto_Sans/" + test.expectedName;
        EXPECT_EQ(Narrow(platform->defaultFontFolder), "Resources/Fonts/Noto_Sans/") << test.name;
        EXPECT_EQ(Narrow(platform->defaultFontFileName), test.expectedName) << test.name;
        EXPECT_EQ(Narrow(platform->defaultFontPath), path) << test.name;
        EXPECT_STREQ(Lib::GetDefaultFontName(), test.expectedName.c_str()) << test.name;
        const std::vector<std::string> expected = {"Font found, setting default font: '" + path + "'"};
        EXPECT_EQ(forwarder.Messages(), expected) << test.name;
        ASSERT_EQ(forwarder.lines.size(), 1u);
        EXPECT_NE(forwarder.lines[0].find("] Info "), std::string::npos);
        EXPECT_NE(forwarder.lines[0].find(" Platform: "), std::string::npos);
        Lib::ShutdownPlatform();
    }
}

#ifdef _WIN32
TEST_F(PlatformTest, WithoutLocalFontsTheWindowsFontFolderIsAskedForArial)
{
    // The test cannot hide the system's fonts, so it asks the folder itself which answer is due.
    wchar_t windows[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
    const std::string folder = Lib::String(std::wstring(windows) + L"\\Fonts\\").ToNarrow().Bytes();
    CapturingForwarder forwarder;
    if (!std::filesystem::is_regular_file(std::filesystem::u8path(folder + "Arial.ttf")))
    {
        EXPECT_FALSE(Lib::InitialisePlatform());
        EXPECT_EQ(Lib::GetPlatform(), nullptr);
        ASSERT_FALSE(forwarder.Messages().empty());
        EXPECT_EQ(forwarder.Messages().front(),
                  "No font could be found: tried \"Resources/Fonts/Noto_Sans/NotoSansJP-Regular.otf\", "
                  "\"Resources/Fonts/Noto_Sans/NotoSans-Regular.ttf\", and the Windows font folders "
                  "(\"Arial.ttf\").");
        return;
    }
    ASSERT_TRUE(Lib::InitialisePlatform());
    const Lib::Platform* platform = Lib::GetPlatform();
    ASSERT_NE(platform, nullptr);
    EXPECT_EQ(Narrow(platform->defaultFontFolder), folder);
    EXPECT_EQ(Narrow(platform->defaultFontFileName), "Arial.ttf");
    EXPECT_EQ(Narrow(platform->defaultFontPath), folder + "Arial.ttf");
    EXPECT_EQ(Narrow(Lib::FindSystemFontFile("Arial.ttf")), folder + "Arial.ttf");
    EXPECT_TRUE(Lib::FindSystemFontFile("..\\Arial.ttf").IsEmpty());
}
#else
TEST_F(PlatformTest, WithoutLocalFontsTheSystemsNotoSansIsUsed)
{
    CapturingForwarder forwarder;
    ASSERT_TRUE(Lib::InitialisePlatform());
    const Lib::Platform* platform = Lib::GetPlatform();
    ASSERT_NE(platform, nullptr);
    const std::string folder = Narrow(platform->defaultFontFolder);
    const std::string name = Narrow(platform->defaultFontFileName);
    EXPECT_EQ(folder.front(), '/');
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(name.rfind("NotoSans", 0), 0u) << name;
    EXPECT_EQ(Narrow(platform->defaultFontPath), folder + name);
    EXPECT_TRUE(std::filesystem::is_regular_file(folder + name));
    EXPECT_STREQ(Lib::GetDefaultFontName(), name.c_str());
    const std::vector<std::string> expected = {"Font found, setting default font: '" + folder + name + "'"};
    EXPECT_EQ(forwarder.Messages(), expected);
}

TEST_F(PlatformTest, SystemFontIsNotoSansOnlyWhenItReallyIsThatFamily)
{
    // fontconfig always answers with its best substitute; a substitute for "Noto Sans" must be
    // refused in favour of the system's sans-serif choice. That choice here has a long file name,
    // of which the name every font description starts with keeps 49 characters.
    const std::string sans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    const std::string serif = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
    const std::string noto = "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf";
    for (const std::string& file : {sans, serif, noto})
        ASSERT_TRUE(std::filesystem::is_regular_file(file))
            << file << " comes with the project's font packages";
    const std::string longName = "DejaVuSans-a-file-name-longer-than-forty-nine-characters.ttf";
    const std::string sansSerifRule =
        "<alias><family>sans-serif</family><prefer><family>DejaVu Sans</family></prefer></alias>\n";
    const std::string notoAsSerifRule =
        "<alias><family>Noto Sans</family><prefer><family>DejaVu Serif</family></prefer></alias>\n";

    struct Case
    {
        const char* name;
        std::vector<std::pair<std::string, std::string>> fonts;
        std::string rules;
        std::string expectedName;
    };
    const Case cases[] = {
        {"a substitute is refused",
         {{serif, "DejaVuSerif.ttf"}, {sans, longName}},
         notoAsSerifRule + sansSerifRule,
         longName},
        {"the real family is taken",
         {{noto, "NotoSans-Regular.ttf"}, {sans, longName}},
         sansSerifRule,
         "NotoSans-Regular.ttf"},
    };
    for (const Case& test : cases)
    {
        UseOnlySystemFonts(test.fonts, test.rules);
        ASSERT_TRUE(Lib::InitialisePlatform()) << test.name;
        const Lib::Platform* platform = Lib::GetPlatform();
        ASSERT_NE(platform, nullptr);
        const std::string folder = (m_Logs.Path() / "fonts").string() + "/";
        EXPECT_EQ(Narrow(platform->defaultFontFolder), folder) << test.name;
        EXPECT_EQ(Narrow(platform->defaultFontFileName), test.expectedName) << test.name;
        EXPECT_EQ(Narrow(platform->defaultFontPath), folder + test.expectedName) << test.name;
        EXPECT_EQ(std::string(Lib::GetDefaultFontName()), test.expectedName.substr(0, 49)) << test.name;
        Lib::ShutdownPlatform();
    }
}

TEST_F(PlatformTest, WithoutAnyFontInitialisationFailsAndLeavesNoPlatform)
{
    UseOnlySystemFonts({});
    CapturingForwarder forwarder;
    EXPECT_FALSE(Lib::InitialisePlatform());
    EXPECT_EQ(Lib::GetPlatform(), nullptr);
    // The failure says what was looked for, at Error level.
    EXPECT_EQ(
        forwarder.Messages(),
        (std::vector<std::string>{"No font could be found: tried "
                                  "\"Resources/Fonts/Noto_Sans/NotoSansJP-Regular.otf\", "
                                  "\"Resources/Fonts/Noto_Sans/NotoSans-Regular.ttf\", and the system's "
                                  "fonts (fontconfig: \"Noto Sans\", then any \"sans-serif\" font).",
                                  "Platform wasn't initialised, please initialise the platform first."}));
    ASSERT_FALSE(forwarder.Records().empty());
    EXPECT_EQ(forwarder.Records().front().level, "Error");

    // A second attempt looks again instead of reporting the failed one as done.
    AddFile(k_LatinFont);
    EXPECT_TRUE(Lib::InitialisePlatform());
    ASSERT_NE(Lib::GetPlatform(), nullptr);
    EXPECT_EQ(Narrow(Lib::GetPlatform()->defaultFontPath), k_LatinFont);
}

#endif

TEST_F(PlatformTest, InitialisingAgainKeepsThePlatformUntilShutdown)
{
    AddFile(k_LatinFont);
    ASSERT_TRUE(Lib::InitialisePlatform());
    const Lib::Platform* first = Lib::GetPlatform();
    std::filesystem::remove_all("Resources");

    CapturingForwarder forwarder;
    EXPECT_TRUE(Lib::InitialisePlatform());
    EXPECT_EQ(Lib::GetPlatform(), first);
    EXPECT_TRUE(forwarder.lines.empty()) << "nothing is searched again";

    Lib::ShutdownPlatform();
    EXPECT_EQ(Lib::GetPlatform(), nullptr);
}

TEST_F(PlatformTest, DescribesTheSystemAndTheExecutable)
{
    AddFile(k_LatinFont);
    ASSERT_TRUE(Lib::InitialisePlatform());
    const Lib::Platform* platform = Lib::GetPlatform();
    ASSERT_NE(platform, nullptr);
    EXPECT_TRUE(platform->initialised);
    EXPECT_FALSE(platform->operatingSystemName.IsEmpty());

#ifdef _WIN32
    // The version the system reports of itself, past any compatibility shim of the manifest.
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    ASSERT_NE(rtlGetVersion, nullptr);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_EQ(rtlGetVersion(&info), 0);
    const unsigned major = info.dwMajorVersion, minor = info.dwMinorVersion;
    wchar_t self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    const std::string executable = Lib::String(self).ToNarrow().Bytes();
    const std::string executableName = "LibTests.exe";
#else
    utsname system{};
    ASSERT_EQ(uname(&system), 0);
    unsigned major = 0, minor = 0;
    ASSERT_EQ(sscanf(system.release, "%u.%u", &major, &minor), 2);
    const std::string executable = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string executableName = "LibTests";
#endif
    EXPECT_EQ(platform->majorVersion, major);
    EXPECT_EQ(platform->minorVersion, minor);
    EXPECT_DOUBLE_EQ(platform->versionNumber, (major * 10 + minor) / 10.0);

    EXPECT_EQ(Narrow(platform->executablePath), executable);
    EXPECT_EQ(Narrow(platform->executableName), executableName);
    EXPECT_EQ(Narrow(platform->executableFolder) + executableName, executable);
    EXPECT_TRUE(platform->reserved0.IsEmpty());
    EXPECT_TRUE(platform->reserved1.IsEmpty());
}

TEST(PlatformPath, SplitAtTheLastSeparatorOfEitherKind)
{
    struct Case
    {
        const char* path;
        const char* folder;
        const char* name;
    };
    const Case cases[] = {
        {"/usr/games/vorl", "/usr/games/", "vorl"},
        {"vorl", "", "vorl"},
        {"C:\\Games\\Vorl\\vorl.exe", "C:\\Games\\Vorl\\", "vorl.exe"},
        {"mixed/path\\vorl", "mixed/path\\", "vorl"},
        {"folder/", "folder/", ""},
        {"", "", ""},
    };
    for (const Case& test : cases)
    {
        Lib::String folder("stale");
        Lib::String name("stale");
        Lib::SplitExecutablePath(test.path, folder, name);
        EXPECT_EQ(folder.ToNarrow().Bytes(), test.folder) << test.path;
        EXPECT_EQ(name.ToNarrow().Bytes(), test.name) << test.path;
    }
}
