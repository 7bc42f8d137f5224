#include "common/GridCells.h"
#include "editors/gateway/FrameMappingDocument.h"
#include "editors/gateway/FrameTableDocument.h"
#include "editors/gateway/PargenDocument.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

// The demo project must hold a valid configuration in exactly the bytes the editors write, so
// that opening and saving any of its windows changes nothing.
namespace {

const std::string kDemo = ZZ_DEMO_PROJECT_DIR;

TEST(DemoProject, ParametersAreValidAndAsTheEditorWritesThem)
{
    TempDir dir;
    ProjectDocument document;
    PargenSettings settings = PargenDefaults(true);
    ASSERT_TRUE(LoadPargen(document, kDemo + "/pargen.xml", settings));
    EXPECT_FALSE(ValidatePargen(settings));
    SavePargen(document, dir.File("pargen.xml"), settings);
    EXPECT_EQ(ReadAll(dir.File("pargen.xml")), ReadAll(kDemo + "/pargen.xml"));
}

TEST(DemoProject, FrameTablesAndMappingsAreValidAndAsTheEditorsWriteThem)
{
    TempDir dir;
    ProjectDocument document;
    const bool is29Bit = ReadIs29Bit(document, kDemo + "/pargen.xml");
    struct Side {
        FrameSide frames;
        MappingSide mapping;
        const char* frameFile;
        const char* infoFile;
    };
    for (const Side side : {Side{FrameSide::Receive, MappingSide::Receive, "Receive_Frame.xml", "Receive_Info.xml"},
                            Side{FrameSide::Send, MappingSide::Send, "Send_Frame.xml", "Send_Info.xml"}}) {
        const std::string frameFile = kDemo + "/" + side.frameFile;
        const std::string infoFile = kDemo + "/" + side.infoFile;
        GridCells cells(ColumnCountOf(side.frames), kFrameGridRows + 1);
        ResetFrameGrid(cells, side.frames);
        LoadFrameTable(document, frameFile, side.frames, cells);
        const std::vector<FrameRow> frames = FrameTableRun(cells, side.frames);
        EXPECT_GE(frames.size(), 4u) << side.frameFile;
        EXPECT_FALSE(ValidateFrames(frames, is29Bit)) << side.frameFile;
        SaveFrameTable(document, dir.File(side.frameFile), side.frames, frames);
        EXPECT_EQ(ReadAll(dir.File(side.frameFile)), ReadAll(frameFile));

        MappingList list;
        LoadMappings(document, frameFile, infoFile, list);
        EXPECT_EQ(list.Records.size(), frames.size()) << side.infoFile;
        EXPECT_FALSE(CheckMappings(list, MappingSide::Receive)) << side.infoFile << ": no byte used twice";
        SaveMappings(document, dir.File(side.infoFile), side.mapping, list.Records);
        EXPECT_EQ(ReadAll(dir.File(side.infoFile)), ReadAll(infoFile));
    }
}

} // namespace
