#include "IncludeGraph.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace
{
using LayerCheck::CheckOrder;
using LayerCheck::ReadLayerOrder;

struct OrderCase
{
    const char* name;
    const char* markdown;
    std::vector<std::string> layers; // empty: the text must be refused
    const char* error;
};

class LayerOrderText : public testing::TestWithParam<OrderCase>
{
};

TEST_P(LayerOrderText, IsReadOrRefusedWithItsReason)
{
    const OrderCase& c = GetParam();
    std::string error;
    const auto layers = ReadLayerOrder(c.markdown, error);
    if (c.layers.empty())
    {
        EXPECT_FALSE(layers.has_value());
        EXPECT_EQ(error, c.error);
    }
    else
    {
        ASSERT_TRUE(layers.has_value()) << error;
        EXPECT_EQ(*layers, c.layers);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayerOrderText,
    testing::Values(
        OrderCase{"CommentsBlankLinesAndSlashes",
                  "# Title\n\n```layers\nSource/Lib   # the foundation\n\n  "
                  "Source/Corvan/Events/\nSource/Game\n```\n",
                  {"Source/Lib", "Source/Corvan/Events", "Source/Game"},
                  ""},
        OrderCase{"AnExampleInsideAnotherBlockIsNoList",
                  "````\n```layers\nSource/Wrong\n```\n````\n~~~layers\nSource/Lib\n~~~\n",
                  {"Source/Lib"},
                  ""},
        OrderCase{"NoBlock", "Source/Lib\nSource/Game\n", {}, "no \"layers\" block"},
        OrderCase{
            "TwoBlocks", "```layers\nA\n```\n```layers\nB\n```\n", {}, "more than one \"layers\" block"},
        OrderCase{"Unclosed", "```layers\nSource/Lib\n", {}, "the \"layers\" block is not closed"},
        OrderCase{"Empty", "```layers\n# nothing yet\n```\n", {}, "the \"layers\" block lists no folder"},
        OrderCase{"Twice", "```layers\nSource/Lib\nSource/Lib/\n```\n", {}, "\"Source/Lib\" is listed twice"},
        OrderCase{"Nested",
                  "```layers\nSource/Corvan\nSource/Corvan/Gui\n```\n",
                  {},
                  "\"Source/Corvan/Gui\" and \"Source/Corvan\" lie inside one another"}),
    [](const testing::TestParamInfo<OrderCase>& p_Info) { return p_Info.param.name; });

// A tree of three layers, Source/Low < Source/Middle < Source/High, written file by file.
class LayeredTree : public testing::Test
{
protected:
    void Write(const std::string& p_Path, const std::string& p_Text)
    {
        const std::filesystem::path path = m_Folder.Path() / "Source" / p_Path;
        std::filesystem::create_directories(path.parent_path());
        TestSupport::WriteWholeFile(path.string(), p_Text);
    }

    std::vector<LayerCheck::Violation> Check()
    {
        const std::filesystem::path root = m_Folder.Path() / "Source";
        return CheckOrder(LayerCheck::ScanIncludes(root), LayerCheck::SourceFiles(root), m_Layers);
    }

    TestSupport::TempFolder m_Folder;
    std::vector<std::string> m_Layers{"Source/Low", "Source/Middle", "Source/High"};
};

TEST_F(LayeredTree, IncludesThatPointDownOrStayInTheLayerPass)
{
    Write("Low/Base.h", "#pragma once\n#include <vector>\n");
    Write("Low/Sub/Detail.h", "#include \"Low/Base.h\"\n");
    Write("Middle/Part.h", "#include \"Low/Sub/Detail.h\"\n#include \"Embedded/Generated.h\"\n");
    Write("High/Top.cpp", "#include \"Middle/Part.h\"\n#include \"Low/Base.h\"\n#include \"Top.h\"\n");
    Write("High/Top.h", "#pragma once\n");
    EXPECT_TRUE(Check().empty());
}

TEST_F(LayeredTree, AnUpwardIncludeIsReportedWithItsLine)
{
    Write("High/Top.h", "#pragma once\n");
    Write("Middle/Part.cpp", "#include \"Low/Base.h\"\n\n  #  include \"High/Top.h\"  // upward\n");
    Write("Low/Base.h", "#pragma once\n");
    const auto violations = Check();
    ASSERT_EQ(violations.size(), 1u);
    EXPECT_EQ(violations[0].file, "Source/Middle/Part.cpp");
    EXPECT_EQ(violations[0].line, 3);
    EXPECT_EQ(violations[0].message, "includes \"High/Top.h\": layer Source/Middle may not include layer "
                                     "Source/High, which lies above it");
}

TEST_F(LayeredTree, AnUpwardIncludeByARelativePathIsFoundToo)
{
    Write("High/Top.h", "#pragma once\n");
    Write("Low/Base.cpp", "#include \"../High/Top.h\"\n");
    const auto violations = Check();
    ASSERT_EQ(violations.size(), 1u);
    EXPECT_EQ(violations[0].file, "Source/Low/Base.cpp");
}

TEST_F(LayeredTree, AFileOutsideEveryLayerIsReported)
{
    Write("Low/Base.h", "#pragma once\n");
    Write("Stray/Thing.cpp", "#include \"Low/Base.h\"\n");
    const auto violations = Check();
    ASSERT_EQ(violations.size(), 1u);
    EXPECT_EQ(violations[0].file, "Source/Stray/Thing.cpp");
    EXPECT_EQ(violations[0].line, 0);
    EXPECT_EQ(violations[0].message, "lies in no layer of the order");
}

TEST_F(LayeredTree, TheGraphCountsIncludesAndFindsItsCycles)
{
    Write("Low/A.h", "#include \"Middle/B.h\"\n");
    Write("Middle/B.h", "#include \"Low/A.h\"\n#include \"High/C.h\"\n");
    Write("Middle/B.cpp", "#include \"Low/A.h\"\n");
    Write("High/C.h", "#include \"Middle/B.h\"\n");
    Write("High/D.h", "#include \"Low/A.h\"\n");
    const auto includes = LayerCheck::ScanIncludes(m_Folder.Path() / "Source");
    const auto edges = LayerCheck::FolderGraph(includes, m_Layers);
    std::vector<std::string> written;
    for (const LayerCheck::Edge& edge : edges)
        written.push_back(edge.from + " -> " + edge.to + " " + std::to_string(edge.includes));
    EXPECT_EQ(written,
              (std::vector<std::string>{"Source/Low -> Source/Middle 1", "Source/Middle -> Source/Low 2",
                                        "Source/Middle -> Source/High 1", "Source/High -> Source/Low 1",
                                        "Source/High -> Source/Middle 1"}));
    const auto groups = LayerCheck::CycleGroups(edges);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0], (std::vector<std::string>{"Source/High", "Source/Low", "Source/Middle"}));
}

TEST_F(LayeredTree, WithoutAnOrderTheLibraryFoldersAreTheUnits)
{
    Write("CMakeLists.txt", "");
    Write("Low/CMakeLists.txt", "");
    Write("Low/A.cpp", "");
    Write("Gather/CMakeLists.txt", "");
    Write("Gather/Inner/CMakeLists.txt", "");
    Write("Gather/Inner/B.h", "");
    EXPECT_EQ(LayerCheck::LibraryFolders(m_Folder.Path() / "Source"),
              (std::vector<std::string>{"Source/Gather/Inner", "Source/Low"}));
}
} // namespace
