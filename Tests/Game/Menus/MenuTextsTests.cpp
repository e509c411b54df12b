// What the build gives the menus: the build stamp, the revision and the licence texts.
#include "Game/Menus/BuildInfo.h"
#include "Game/Menus/LicenceTexts.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace
{
using namespace Snake;

bool AllOf(std::string_view p_Text, int (*p_Test)(int))
{
    for (const char c : p_Text)
        if (!p_Test(static_cast<unsigned char>(c)))
            return false;
    return true;
}

TEST(BuildInfo, TheStampIsAPlausibleDateAndTimeInFourteenDigits)
{
    const std::string stamp = k_BuildStamp;
    ASSERT_EQ(stamp.size(), 14u) << stamp;
    ASSERT_TRUE(AllOf(stamp, isdigit)) << stamp;
    const int year = std::stoi(stamp.substr(0, 4));
    const int month = std::stoi(stamp.substr(4, 2));
    const int day = std::stoi(stamp.substr(6, 2));
    const int hour = std::stoi(stamp.substr(8, 2));
    const int minute = std::stoi(stamp.substr(10, 2));
    const int second = std::stoi(stamp.substr(12, 2));
    EXPECT_GE(year, 2024);
    EXPECT_TRUE(month >= 1 && month <= 12) << stamp;
    EXPECT_TRUE(day >= 1 && day <= 31) << stamp;
    EXPECT_TRUE(hour <= 23 && minute <= 59 && second <= 60) << stamp;

    // Taken when this program was built, so not in the future.
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    EXPECT_LE(timegm(&parts), std::time(nullptr) + 60) << stamp;
}

TEST(BuildInfo, TheRevisionIsTenHexDigitsOrTheMarkOfABuildOutsideACheckout)
{
    const std::string revision = k_BuildRevision;
    if (revision == k_UnknownRevision)
        GTEST_SKIP() << "built outside a git checkout";
    EXPECT_EQ(revision.size(), 10u) << revision;
    EXPECT_TRUE(AllOf(revision, isxdigit)) << revision;
    EXPECT_EQ(revision.find_first_of("ABCDEF"), std::string::npos) << revision;
}

TEST(LicenceTexts, TheTableNamesTheTenLibrariesThenThePortsOwnInOrder)
{
    std::vector<std::string> names;
    for (const LicenceText& licence : GetLicenceTexts())
        names.emplace_back(licence.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"edid_license", "freetype2_license", "glm_license", "imgui_license",
                                        "lua_license", "notosans_apache_license", "notosans_ofl_license",
                                        "opengl_license", "stb_image_license", "vulkan_license",
                                        "sdl2_license", "fontconfig_license", "xrandr_license"}));
}

TEST(LicenceTexts, EveryTextStartsWithItsBannerAndCarriesTheLicenceBehindIt)
{
    const std::string rule(80, '=');
    for (const LicenceText& licence : GetLicenceTexts())
    {
        SCOPED_TRACE(licence.name);
        const std::string_view text = licence.text;
        const std::string banner = rule + "\n LIBRARY: " + licence.library + "\n";
        ASSERT_EQ(text.substr(0, banner.size()), banner);
        // The covering note, a closing rule and then the licence itself.
        const size_t closing = text.find("\n" + rule + "\n", banner.size());
        ASSERT_NE(closing, std::string_view::npos);
        const std::string_view body = text.substr(closing + rule.size() + 2);
        EXPECT_GT(body.size(), 200u);
        // Copyright files and licence texts all say what they grant.
        EXPECT_TRUE(body.find("opyright") != std::string_view::npos ||
                    body.find("License") != std::string_view::npos ||
                    body.find("LICENSE") != std::string_view::npos);
        // Stored with a terminating zero so the texts can be handed on as C strings.
        EXPECT_EQ(text.data()[text.size()], '\0');
        EXPECT_EQ(text.find('\0'), std::string_view::npos);
    }
}

TEST(LicenceTexts, EachEntryCarriesThePublishedTextOfItsLibrary)
{
    // A phrase of each library's own licence, so an entry cannot silently hold another's text.
    const struct
    {
        const char* name;
        const char* phrase;
    } cases[] = {
        {"edid_license", "Keith Packard"},
        {"freetype2_license", "The FreeType Project LICENSE"},
        {"glm_license", "G-Truc Creation"},
        {"imgui_license", "Omar Cornut"},
        {"lua_license", "Lua.org, PUC-Rio"},
        {"notosans_apache_license", "Apache License"},
        {"notosans_ofl_license", "The goals of the Open Font License (OFL)"},
        {"opengl_license", "NVIDIA"},
        {"stb_image_license", "Sean Barrett"},
        {"vulkan_license", "The Khronos Group"},
        {"sdl2_license", "Sam Lantinga"},
        {"fontconfig_license", "Keith Packard"},
        {"xrandr_license", "Keith Packard"},
    };
    for (const auto& c : cases)
    {
        const LicenceText* found = nullptr;
        for (const LicenceText& licence : GetLicenceTexts())
            if (std::string_view(licence.name) == c.name)
                found = &licence;
        ASSERT_NE(found, nullptr) << c.name;
        EXPECT_NE(found->text.find(c.phrase), std::string_view::npos) << c.name << ": " << c.phrase;
    }
}
} // namespace
