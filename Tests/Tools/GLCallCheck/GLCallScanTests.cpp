// The bare-GL-call scan on small texts (what counts as a call, as wrapped, as not code) and on a
// folder with an allowed file.
#include "GLCallScan.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace
{
using GLCallCheck::FindBareCalls;

struct ScanCase
{
    const char* name;
    const char* text;
    std::vector<std::string> bare; // "glName:line" of each finding, in order
};

class BareGLCalls : public testing::TestWithParam<ScanCase>
{
};

TEST_P(BareGLCalls, AreFoundWithTheirLines)
{
    std::vector<std::string> found;
    for (const GLCallCheck::BareCall& call : FindBareCalls(GetParam().text))
        found.push_back(call.name + ":" + std::to_string(call.line));
    EXPECT_EQ(found, GetParam().bare);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BareGLCalls,
    testing::Values(
        ScanCase{"BareStatement", "void F()\n{\n    glEnable(GL_BLEND);\n}\n", {"glEnable:3"}},
        ScanCase{"Checked", "GL_CHECK(glEnable(GL_BLEND));\n", {}},
        ScanCase{"CheckedOverLines",
                 "GL_CHECK(glTexImage2D(GL_TEXTURE_2D, 0,\n    Size(x), 0));\nglFlush();\n",
                 {"glFlush:3"}},
        ScanCase{"ValueAndHandled",
                 "GLuint p = GL_CHECK_VALUE(glCreateProgram());\nGL_HANDLED(glTexImage3D(a, b));\n"
                 "GLuint q = glCreateShader(t);\n",
                 {"glCreateShader:3"}},
        ScanCase{"CallInsideACheckedCall", "GL_CHECK(glUniform1i(glGetUniformLocation(p, \"u\"), 0));\n", {}},
        ScanCase{"BareCallAsArgumentOfAnother", "Use(glGetString(GL_VENDOR));\n", {"glGetString:1"}},
        ScanCase{"Qualified", "Vozad::glGetBufferParameteriv(a, b, &c);\n", {"glGetBufferParameteriv:1"}},
        ScanCase{"SpaceBeforeParenthesis", "glClear (GL_COLOR_BUFFER_BIT);\n", {"glClear:1"}},
        ScanCase{"ErrorQueryIsAllowed", "while (glGetError() != GL_NO_ERROR) {}\n", {}},
        ScanCase{"CommentsAndStrings",
                 "// glEnable(x) in a comment\n/* glClear(y)\n glFlush() */\nLog(\"glFinish() failed\");\n"
                 "char c = '(';\nglViewport(0, 0, 1, 1);\n",
                 {"glViewport:6"}},
        ScanCase{"NotACall",
                 "auto p = &glEnable;\nint glowing(1);\nGL_CHECK_SOMETHING(glEnable(a));\n",
                 {"glEnable:3"}}),
    [](const testing::TestParamInfo<ScanCase>& p_Info) { return std::string(p_Info.param.name); });

TEST(GLCallFolderScan, ScansHeadersAndSourcesExceptTheAllowedFiles)
{
    TestSupport::TempFolder folder;
    std::filesystem::create_directories(folder.File("Renderer/OpenGL"));
    const auto write = [&folder](const std::string& p_Name, const std::string& p_Text)
    { std::ofstream(folder.File(p_Name)) << p_Text; };
    write("Renderer/OpenGL/Loader.cpp", "void Load() { glGetString(GL_VERSION); }\n");
    write("Renderer/Draw.cpp", "void Draw()\n{\n    glDrawArrays(GL_TRIANGLES, 0, 3);\n}\n");
    write("Renderer/Draw.h", "inline void Clear() { glClear(GL_COLOR_BUFFER_BIT); }\n");
    write("Renderer/Notes.txt", "glEnable(GL_BLEND);\n");
    write("Renderer/Checked.cpp", "void F() { GL_CHECK(glFlush()); }\n");

    const auto findings = GLCallCheck::ScanFolder(folder.Path().string(), {"Renderer/OpenGL/Loader.cpp"});
    std::vector<std::string> found;
    for (const GLCallCheck::Finding& finding : findings)
        found.push_back(finding.file + ":" + std::to_string(finding.call.line) + ":" + finding.call.name);
    EXPECT_EQ(found,
              (std::vector<std::string>{"Renderer/Draw.cpp:3:glDrawArrays", "Renderer/Draw.h:1:glClear"}));
}
} // namespace
