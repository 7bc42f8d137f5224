#include "app/Workspace.h"
#include "app/NewProject.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class WorkspaceTest : public ::testing::Test {
protected:
    RecordingSink sink;
    ScopedMessageSink scope{sink};
    TempDir app;
    ProjectContext context;
};

TEST_F(WorkspaceTest, FirstStartCreatesTheDirectoriesAndWorksInProjects)
{
    EXPECT_EQ(StartUpWorkspace(context, app.Path()), "Norvale Zuzududada_GX48802_TRAVEX");
    EXPECT_TRUE(DirectoryExists(app.File("MASTER")));
    EXPECT_TRUE(DirectoryExists(app.File("PROJECTS")));
    EXPECT_EQ(context.ProjectDir, context.ProjectsDir);
    EXPECT_EQ(context.PargenFile, app.File("PROJECTS/pargen.xml"));
    EXPECT_EQ(context.ProjectName, "");
    StoreLastProject(context);
    EXPECT_EQ(ReadAll(app.File("Zuzududada_TRVX.ini")), "[lastproj]\r\nprojectname=\r\n");
    EXPECT_TRUE(sink.Empty());
}

TEST_F(WorkspaceTest, StoredNameGetsItsLeadingSeparator)
{
    app.MakeDir("PROJECTS/Line4");
    for (const char* stored : {"Line4", "/Line4"}) {
        app.Write("Zuzududada_TRVX.ini", std::string("[lastproj]\r\nprojectname=") + stored + "\r\n");
        EXPECT_EQ(StartUpWorkspace(context, app.Path()), "Norvale Zuzududada_GX48802_TRAVEX :/Line4");
        EXPECT_EQ(context.ProjectName, "/Line4");
        EXPECT_EQ(context.ProjectDir, app.File("PROJECTS/Line4"));
        EXPECT_EQ(context.SendInfoFile, app.File("PROJECTS/Line4/Send_Info.xml"));
    }
}

TEST_F(WorkspaceTest, VanishedProjectFallsBackToProjectsSilently)
{
    app.Write("Zuzududada_TRVX.ini", "[lastproj]\r\nprojectname=/Gone\r\n");
    EXPECT_EQ(StartUpWorkspace(context, app.Path()), "Norvale Zuzududada_GX48802_TRAVEX");
    EXPECT_EQ(context.ProjectDir, context.ProjectsDir);
    EXPECT_EQ(context.ProjectName, "/Gone"); // closing stores it unchanged
}

TEST_F(WorkspaceTest, OpenProjectDerivesTheNameFromTheDirectory)
{
    StartUpWorkspace(context, app.Path());
    app.MakeDir("PROJECTS/Line4");
    PrepareOpenProject(context);
    EXPECT_EQ(FinishOpenProject(context, app.File("PROJECTS/Line4/")), "Norvale Zuzududada_GX48802_TRAVEX :/Line4");
    EXPECT_EQ(context.ProjectName, "/Line4");
    EXPECT_EQ(FinishOpenProject(context, context.ProjectsDir), "Norvale Zuzududada_GX48802_TRAVEX :");
    EXPECT_EQ(context.ProjectName, "");
}

TEST_F(WorkspaceTest, OpenProjectCancelledKeepsAnExistingProjectAndClearsAVanishedOne)
{
    StartUpWorkspace(context, app.Path());
    ASSERT_TRUE(CreateNewProject(context, context.ProjectsDir, "Line5"));
    EXPECT_EQ(context.ProjectName, "Line5");
    PrepareOpenProject(context);
    EXPECT_EQ(FinishOpenProject(context, std::nullopt), "Norvale Zuzududada_GX48802_TRAVEX :/Line5");

    context.ProjectDir = app.File("PROJECTS/Gone");
    PrepareOpenProject(context);
    FinishOpenProject(context, std::nullopt);
    EXPECT_EQ(context.ProjectDir, "");
    EXPECT_EQ(context.ProjectName, "");
}

TEST_F(WorkspaceTest, OpenProjectRefusesAFolderOutsideProjects)
{
    StartUpWorkspace(context, app.Path());
    app.MakeDir("elsewhere");
    const std::string before = context.ProjectDir;
    FinishOpenProject(context, app.File("elsewhere"));
    EXPECT_EQ(context.ProjectDir, before);
    EXPECT_EQ(sink.Texts().size(), 1u);
    FinishOpenProject(context, app.File("PROJECTSX"));
    EXPECT_EQ(context.ProjectDir, before);
}

TEST_F(WorkspaceTest, NewProjectCreatesTheDirectoryWithBin)
{
    StartUpWorkspace(context, app.Path());
    ASSERT_TRUE(CreateNewProject(context, context.ProjectsDir, " Line5 "));
    EXPECT_TRUE(DirectoryExists(app.File("PROJECTS/ Line5 /bin")));
    EXPECT_EQ(context.ProjectDir, app.File("PROJECTS/ Line5 "));
    EXPECT_EQ(context.ReceiveFrameFile, app.File("PROJECTS/ Line5 /Receive_Frame.xml"));
    EXPECT_TRUE(sink.Empty());
}

TEST_F(WorkspaceTest, NewProjectRefusals)
{
    StartUpWorkspace(context, app.Path());
    ASSERT_TRUE(CreateNewProject(context, context.ProjectsDir, "Line5"));
    const ProjectContext before = context;

    EXPECT_FALSE(CreateNewProject(context, context.ProjectsDir, "Line5"));
    EXPECT_FALSE(CreateNewProject(context, "", ""));
    for (const char* escaping : {"../out", "a/b", "a\\b", ".", ".."})
        EXPECT_FALSE(CreateNewProject(context, context.ProjectsDir, escaping));
    EXPECT_EQ(sink.Texts(),
              (std::vector<std::string>{"Name project not valid because directory already exists",
                                        "directory destination not valid", "Name project not valid",
                                        "Name project not valid", "Name project not valid", "Name project not valid",
                                        "Name project not valid", "Name project not valid"}));
    EXPECT_EQ(context.ProjectDir, before.ProjectDir);
    EXPECT_FALSE(DirectoryExists(app.File("out")));
}

} // namespace
