// The shader text format and the key hash, without a GL context.
#include "Corvan/Renderer/Fnv1a.h"
#include "Corvan/Renderer/ShaderHandler.h"
#include "Corvan/Renderer/ShaderSource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

using Vozad::BuiltInShader;
using Vozad::ShaderStages;
using Vozad::ShaderTextResult;

namespace
{
struct ParseCase
{
    const char* title;
    std::string_view text;
    ShaderTextResult result;
    const char* vertex;
    const char* fragment;
    const char* name;
};

const ParseCase k_ParseCases[] = {
    {"both stages, keyword lines left out", "\n#shadername Plain\n#type vertex\nV1\nV2\n#type fragment\nF1\n",
     ShaderTextResult::Parsed, "V1\nV2\n", "F1\n", "Plain"},
    {"the name starts at the thirteenth character wherever the keyword stands",
     "\t#shadername OverlapShader\n#type vertex\nV\n#type fragment\nF\n", ShaderTextResult::Parsed, "V\n",
     "F\n", " OverlapShader"},
    {"lines before the first #type are dropped",
     "garbage\n#version 400 core\n#type vertex\nV\n#type fragment\nF\n", ShaderTextResult::Parsed, "V\n",
     "F\n", ""},
    {"vertex wins on a line naming both stages", "#type fragment vertex\nV\n#type fragment\nF\n",
     ShaderTextResult::Parsed, "V\n", "F\n", ""},
    {"a #type line naming no stage keeps the stage",
     "#type vertex\nV1\n#type geometry\nV2\n#type fragment\nF\n", ShaderTextResult::Parsed, "V1\nV2\n", "F\n",
     ""},
    {"a second vertex section appends to the first",
     "#type vertex\nV1\n#type fragment\nF\n#type vertex\nV2\n", ShaderTextResult::Parsed, "V1\nV2\n", "F\n",
     ""},
    {"a last line without a line feed still gets one", "#type vertex\nV\n#type fragment\nF",
     ShaderTextResult::Parsed, "V\n", "F\n", ""},
    {"a carriage return stays in the stage text", "#type vertex\r\nV\r\n#type fragment\r\nF\r\n",
     ShaderTextResult::Parsed, "V\r\n", "F\r\n", ""},
    {"fragment only", "\n#shadername Half\n#type fragment\nF\n", ShaderTextResult::Parsed, "", "F\n", "Half"},
    {"one line without a line feed", "#type vertex void main() {}", ShaderTextResult::NoLineFeed, "", "", ""},
    {"a #shadername line too short for a name", "#shadername\n#type vertex\nV\n#type fragment\nF\n",
     ShaderTextResult::NameMissing, "", "", ""},
    {"a #shadername line of exactly the keyword and a blank",
     "#shadername \n#type vertex\nV\n#type fragment\nF\n", ShaderTextResult::NameMissing, "", "", ""},
};

TEST(ShaderSourceTest, ParsesTheTextFormat)
{
    for (const ParseCase& test : k_ParseCases)
    {
        SCOPED_TRACE(test.title);
        ShaderStages stages;
        stages.vertex = "left over from before";
        EXPECT_EQ(Vozad::ParseShaderText(test.text, stages), test.result);
        EXPECT_EQ(stages.vertex, test.vertex);
        EXPECT_EQ(stages.fragment, test.fragment);
        EXPECT_EQ(stages.name, test.name);
    }
}

TEST(ShaderSourceTest, NameInTextCountsFromTheKeyword)
{
    const struct
    {
        std::string_view text;
        const char* name;
    } cases[] = {
        {"\n#shadername BatchedFontShader\n#type vertex\n", "BatchedFontShader"},
        {"\n\t#shadername OverlapShader\n\t#type vertex\n", "OverlapShader"},
        {"#shadername LastLine", "LastLine"},
        {"#type vertex\nno keyword\n", ""},
        {"#shadername", ""},
        {"#shadername ", ""},
        {"#shadername \n#type vertex\n", ""},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(std::string(test.text));
        EXPECT_EQ(Vozad::ShaderNameInText(test.text), test.name);
    }
}

TEST(ShaderSourceTest, AVariantDefinesItsMacroInEveryStageAndCarriesItsOwnName)
{
    const struct
    {
        const char* title;
        std::string_view text;
        const char* variant;
    } cases[] = {
        {"both stages",
         "#shadername Sprite\n#type vertex\n#version 400 core\nV\n#type fragment\n#version 400 core\nF\n",
         "#shadername Sprite_Plain\n#type vertex\n#version 400 core\n#define PLAIN\nV\n#type fragment\n"
         "#version 400 core\n#define PLAIN\nF\n"},
        {"an indented version line and carriage returns",
         "#shadername Sprite\r\n#type vertex\r\n  #version 400 core\r\nV",
         "#shadername Sprite_Plain\r\n#type vertex\r\n"
         "  #version 400 core\r\n#define PLAIN\nV\n"},
        {"no version line, no name", "#type vertex\nV\n", "#type vertex\nV\n"},
        {"a version directive later in a line is not one", "#type vertex\nV // #version\n",
         "#type vertex\nV // #version\n"},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.title);
        EXPECT_EQ(Vozad::ShaderVariantText(test.text, "_Plain", "PLAIN"), test.variant);
    }

    // The variant of a built-in text still parses into two stages under its new name.
    const std::string variant = Vozad::ShaderVariantText(
        Vozad::BuiltInShaderText(BuiltInShader::BatchedTextureSpriteShader), "_Plain", "PLAIN");
    ShaderStages stages;
    ASSERT_EQ(Vozad::ParseShaderText(variant, stages), ShaderTextResult::Parsed);
    EXPECT_EQ(stages.name, "BatchedTextureSpriteShader_Plain");
    EXPECT_NE(stages.vertex.find("#version 400 core\n#define PLAIN\n"), std::string::npos);
    EXPECT_NE(stages.fragment.find("#version 400 core\n#define PLAIN\n"), std::string::npos);
}

TEST(ShaderSourceTest, FileNamePartTakesWhatFollowsTheLastSeparator)
{
    EXPECT_EQ(Vozad::FileNamePart("Resources/Shaders/Sprite.glsl"), "Sprite.glsl");
    EXPECT_EQ(Vozad::FileNamePart("C:\\Shaders\\Sprite.glsl"), "Sprite.glsl");
    EXPECT_EQ(Vozad::FileNamePart("mixed\\path/Sprite.glsl"), "Sprite.glsl");
    EXPECT_EQ(Vozad::FileNamePart("Sprite.glsl"), "Sprite.glsl");
    EXPECT_EQ(Vozad::FileNamePart("folder/"), "");
}

TEST(ShaderSourceTest, Fnv1aMatchesThePublishedVectors)
{
    EXPECT_EQ(Vozad::Fnv1a64(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(Vozad::Fnv1a64("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(Vozad::Fnv1a64("foobar"), 0x85944171f73967e8ull);
    // Bytes above 0x7F must not be sign-extended into the hash.
    EXPECT_EQ(Vozad::Fnv1a64("\xc3\xa9"), 0x0ac21707b7181e01ull); // "é" in UTF-8
    static_assert(Vozad::Fnv1a64("a") == 0xaf63dc4c8601ec8cull, "usable for compile-time keys");
}

struct BuiltInCase
{
    BuiltInShader shader;
    const char* name;
    const char* version;
};

const BuiltInCase k_BuiltIns[] = {
    {BuiltInShader::BatchedFontShader, "BatchedFontShader", "#version 400 core\n"},
    {BuiltInShader::BatchedColorSpriteShader, "BatchedColorSpriteShader", "#version 400 core\n"},
    {BuiltInShader::BatchedTextureSpriteShader, "BatchedTextureSpriteShader", "#version 400 core\n"},
    {BuiltInShader::BatchedTextureSpriteShader_WB, "BatchedTextureSpriteShader_WB", "#version 400 core\n"},
    {BuiltInShader::BatchedTextureSpriteShader_DP, "BatchedTextureSpriteShader_DP", "#version 400 core\n"},
    {BuiltInShader::OverlapShader, " OverlapShader", "\t#version 400 core\n"},
    {BuiltInShader::NonBatchedColorSpriteShader, "NonBatchedColorSpriteShader", "#version 400 core\n"},
    {BuiltInShader::NonBatchedTextureSpriteShader, "NonBatchedTextureSpriteShader", "#version 400 core\n"},
    {BuiltInShader::CompositeShader, "compositeShader", "#version 400 core\n"},
    {BuiltInShader::ScreenShader, "ScreenShader", "#version 400 core\n"},
};
static_assert(std::size(k_BuiltIns) == static_cast<size_t>(BuiltInShader::Count));

TEST(ShaderSourceTest, BuiltInTextsCarryTheirNameAndBothStages)
{
    for (const BuiltInCase& test : k_BuiltIns)
    {
        SCOPED_TRACE(test.name);
        const std::string_view text = Vozad::BuiltInShaderText(test.shader);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.front(), '\n');
        ShaderStages stages;
        ASSERT_EQ(Vozad::ParseShaderText(text, stages), ShaderTextResult::Parsed);
        EXPECT_EQ(stages.name, test.name);
        EXPECT_EQ(stages.vertex.rfind(test.version, 0), 0u) << stages.vertex.substr(0, 40);
        EXPECT_EQ(stages.fragment.rfind(test.version, 0), 0u) << stages.fragment.substr(0, 40);
    }
    EXPECT_TRUE(Vozad::BuiltInShaderText(BuiltInShader::Count).empty());
}
// A failed link whose driver leaves the program log empty still says what failed; a log the driver
// did write is passed on as it is.
TEST(ShaderSourceTest, LinkFailureTextNeverEndsBlank)
{
    const struct
    {
        const char* log;
        const char* name;
        const char* text;
    } cases[] = {
        {"error: undefined function 'Defined'\n", "BadLink", "error: undefined function 'Defined'\n"},
        {"", "BadLink",
         "The vertex and fragment shaders of \"BadLink\" compiled but did not link into a program; the "
         "driver gave no reason."},
        {" \n\t\r\n", "Screen.glsl",
         "The vertex and fragment shaders of \"Screen.glsl\" compiled but did not link into a program; the "
         "driver gave no reason."},
        {"", "",
         "The vertex and fragment shaders of an unnamed shader compiled but did not link into a program; the "
         "driver gave no reason."},
    };
    for (const auto& test : cases)
        EXPECT_EQ(Vozad::LinkFailureText(test.log, test.name), test.text) << "log \"" << test.log << "\"";
}
} // namespace
