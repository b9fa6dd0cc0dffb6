#include "platform/ui/CommandLineInfo.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/RecentFileList.h"
#include "platform/ui/StandardCommands.h"
#include "platform/ui/TestHook.h"
#include "tests/platform/ui/QtEnvironment.h"
#include "tests/platform/ui/UiFixture.h"

#include <QMenu>
#include <QMenuBar>

#include <filesystem>

namespace uitest {
namespace {

using OpenDocumentTest = UiFixture;

std::vector<std::string> Recent(TestApp& app)
{
    return app.GetRecentFileList()->GetFiles();
}

TEST_F(OpenDocumentTest, SamePathOpenedAgainActivatesTheOpenDocument)
{
    std::string a = MakeFile("a.orn");
    std::string b = MakeFile("b.orn");
    ui::CDocument* first = app->OpenDocumentFile(a);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(app->OpenDocumentFile(b), nullptr);
    ASSERT_NE(Frame().GetActiveDocument(), first);

    // Another spelling of the same file.
    std::string again = (files / "." / "a.orn").string();
    EXPECT_EQ(app->OpenDocumentFile(again), first);
    EXPECT_EQ(Template().GetDocuments().size(), 2u);
    EXPECT_EQ(Frame().GetActiveDocument(), first);
    EXPECT_EQ(first->GetPathName(), a);
    EXPECT_EQ(first->GetTitle(), "a.orn");
}

TEST_F(OpenDocumentTest, OpenedPathsJoinRecentListNewestFirstAndActivationDoesNotReorder)
{
    std::string a = MakeFile("a.orn");
    std::string b = MakeFile("b.orn");
    app->OpenDocumentFile(a);
    app->OpenDocumentFile(b);
    app->OpenDocumentFile(a);
    EXPECT_EQ(Recent(*app), (std::vector<std::string> { b, a }));

    std::vector<std::string> more;
    for (const char* name : { "c.orn", "d.orn", "e.orn" })
        app->OpenDocumentFile(more.emplace_back(MakeFile(name)));
    EXPECT_EQ(Recent(*app), (std::vector<std::string> { more[2], more[1], more[0], b }));
}

TEST_F(OpenDocumentTest, ClosedAndReopenedFileMovesToTopOfRecentList)
{
    std::string a = MakeFile("a.orn");
    std::string b = MakeFile("b.orn");
    ui::CDocument* document = app->OpenDocumentFile(a);
    app->OpenDocumentFile(b);
    document->OnCloseDocument();
    EXPECT_EQ(Template().GetDocuments().size(), 1u);
    EXPECT_NE(app->OpenDocumentFile(a), nullptr);
    EXPECT_EQ(Recent(*app), (std::vector<std::string> { a, b }));
}

TEST_F(OpenDocumentTest, RecentListIsKeptInTheProfileAcrossRuns)
{
    std::string a = MakeFile("a.orn");
    std::string b = MakeFile("b.orn");
    app->OpenDocumentFile(a);
    app->OpenDocumentFile(b);
    StartApplication();
    EXPECT_EQ(Recent(*app), (std::vector<std::string> { b, a }));
    EXPECT_EQ(app->GetProfileString("Recent File List", "File1"), b);
}

TEST_F(OpenDocumentTest, RecentListShowsInFileMenuInPlaceOfItsPlaceholder)
{
    QMenu* file = Frame().menuBar()->actions().front()->menu();
    Frame().UpdateMenuStates(file);
    QAction* placeholder = ui::FindMenuItem(file, ID_FILE_MRU_FILE1);
    ASSERT_NE(placeholder, nullptr);
    EXPECT_FALSE(placeholder->isEnabled());

    std::string a = MakeFile("a&b.orn");
    app->OpenDocumentFile(a);
    // The document's menu is in use now.
    file = Frame().menuBar()->actions().front()->menu();
    Frame().UpdateMenuStates(file);
    QAction* entry = ui::FindMenuItem(file, ID_FILE_MRU_FILE1);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->isEnabled());
    EXPECT_EQ(entry->text().toStdString(), "&1 " + (files / "a&&b.orn").string());
}

TEST_F(OpenDocumentTest, MissingFileIsReportedAndOpensNothing)
{
    std::string missing = (files / "missing.orn").string();
    std::vector<std::string> seen;
    ui::CTestHook hook([&seen](ui::CModalWindow& window) {
        seen.push_back(window.Text());
        window.Press(IDOK);
    });
    EXPECT_EQ(app->OpenDocumentFile(missing), nullptr);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].find(missing), std::string::npos);
    ProcessEvents();
    EXPECT_TRUE(Template().GetDocuments().empty());
    EXPECT_TRUE(Frame().GetChildFrames().empty());
    EXPECT_TRUE(Recent(*app).empty());
}

TEST_F(OpenDocumentTest, RecentEntryThatNoLongerOpensLeavesTheList)
{
    std::string a = MakeFile("a.orn");
    std::string b = MakeFile("b.orn");
    app->OpenDocumentFile(a);
    app->OpenDocumentFile(b);
    for (ui::CDocumentTemplate* docTemplate : app->GetDocTemplates())
        docTemplate->CloseAllDocuments();
    std::filesystem::remove(b);
    ui::CTestHook hook([](ui::CModalWindow& window) { window.Press(IDOK); });
    EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_MRU_FILE1));
    EXPECT_EQ(Recent(*app), std::vector<std::string> { a });
    EXPECT_EQ(app->GetProfileString("Recent File List", "File1"), a);
    EXPECT_EQ(app->GetProfileString("Recent File List", "File2"), "");
}

TEST_F(OpenDocumentTest, NewDocumentIsUntitledAndNotInRecentList)
{
    EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_NEW));
    ASSERT_EQ(Template().GetDocuments().size(), 1u);
    ui::CDocument* document = Template().GetDocuments().front();
    EXPECT_EQ(document->GetTitle(), "Untitled");
    EXPECT_TRUE(document->GetPathName().empty());
    EXPECT_TRUE(Recent(*app).empty());
    EXPECT_EQ(Frame().windowTitle().toStdString(), "Test Frame - Untitled");
}

TEST_F(OpenDocumentTest, FrameUsesDocumentMenuWhileADocumentIsActive)
{
    EXPECT_EQ(Frame().GetMenuResource(), FrameResource);
    ui::CDocument* document = app->OpenDocumentFile(MakeFile("a.orn"));
    EXPECT_EQ(Frame().GetMenuResource(), DocumentResource);
    ASSERT_NE(Frame().GetWindowMenu(), nullptr);
    ASSERT_NE(ui::FindMenuItem(Frame().GetWindowMenu(), ID_FIRST_MDICHILD), nullptr);
    EXPECT_EQ(ui::FindMenuItem(Frame().GetWindowMenu(), ID_FIRST_MDICHILD)->text().toStdString(), "&1 a.orn");
    document->OnCloseDocument();
    ProcessEvents();
    EXPECT_EQ(Frame().GetMenuResource(), FrameResource);
    EXPECT_EQ(Frame().windowTitle().toStdString(), "Test Frame");
}

TEST_F(OpenDocumentTest, ClosingTheChildFrameClosesItsDocument)
{
    ui::CDocument* document = app->OpenDocumentFile(MakeFile("a.orn"));
    ASSERT_NE(document, nullptr);
    Frame().GetChildFrames().front()->close();
    EXPECT_TRUE(Template().GetDocuments().empty());
    EXPECT_EQ(Template().FindDocument(MakeFile("a.orn")), nullptr);
    ProcessEvents();
    EXPECT_TRUE(Frame().GetChildFrames().empty());
}

struct CommandLineCase {
    const char* name;
    std::vector<std::string> arguments;
    ui::CCommandLineInfo::Action action;
    std::string file;
};

class CommandLineTest : public testing::TestWithParam<CommandLineCase> { };

TEST_P(CommandLineTest, ParsesToNewOrOpen)
{
    ui::CCommandLineInfo info = ui::CCommandLineInfo::Parse(GetParam().arguments);
    EXPECT_EQ(info.action, GetParam().action);
    EXPECT_EQ(info.fileName, GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLineTest,
    testing::Values(CommandLineCase { "none", {}, ui::CCommandLineInfo::Action::FileNew, "" },
        CommandLineCase { "path", { "/tmp/r.orn" }, ui::CCommandLineInfo::Action::FileOpen, "/tmp/r.orn" },
        CommandLineCase {
            "webPath", { "HTTP://h/a.htm::d.xml" }, ui::CCommandLineInfo::Action::FileOpen, "HTTP://h/a.htm::d.xml" },
        CommandLineCase { "optionSkipped", { "-style", "r.orn" }, ui::CCommandLineInfo::Action::FileOpen, "r.orn" },
        CommandLineCase { "firstPathWins", { "a.orn", "b.orn" }, ui::CCommandLineInfo::Action::FileOpen, "a.orn" }),
    [](const testing::TestParamInfo<CommandLineCase>& info) { return std::string(info.param.name); });

TEST_F(OpenDocumentTest, ShellCommandOpensNamedFileOrMakesNewDocument)
{
    EXPECT_TRUE(app->ProcessShellCommand(ui::CCommandLineInfo {}));
    EXPECT_EQ(Template().GetDocuments().size(), 1u);
    ui::CCommandLineInfo open { ui::CCommandLineInfo::Action::FileOpen, MakeFile("a.orn") };
    EXPECT_TRUE(app->ProcessShellCommand(open));
    EXPECT_EQ(Frame().GetActiveDocument()->GetTitle(), "a.orn");
    ui::CTestHook hook([](ui::CModalWindow& window) { window.Press(IDOK); });
    EXPECT_FALSE(app->ProcessShellCommand({ ui::CCommandLineInfo::Action::FileOpen, (files / "none").string() }));
}

} // namespace
} // namespace uitest
