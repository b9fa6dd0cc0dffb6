#include "platform/ui/StandardCommands.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"
#include "tests/platform/ui/QtEnvironment.h"
#include "tests/platform/ui/UiFixture.h"

namespace uitest {
namespace {

constexpr WORD TableBar = 32977;
constexpr WORD FormatBar = 32978;

class BarStateTest : public UiFixture {
protected:
    void AddBars()
    {
        ui::ToolBarLayout layout;
        layout.buttons = { ID_FILE_NEW };
        ui::CResourceTable::Instance().AddToolBar(128, ui::LanguageEnglish, layout);
        for (WORD id : { ID_VIEW_TOOLBAR, TableBar, FormatBar }) {
            auto* bar = new ui::CToolBar(id);
            bar->LoadToolBar(128);
            Frame().AddToolBar(bar);
        }
        Frame().SetStatusBar(new ui::CStatusBar);
        Frame().resize(800, 600);
        Frame().show();
        ProcessEvents();
    }
};

TEST_F(BarStateTest, SavedLayoutComesBackInTheNextRun)
{
    AddBars();
    Frame().addToolBar(Qt::LeftToolBarArea, Frame().GetToolBar(TableBar));
    Frame().ShowControlBar(FormatBar, false);
    Frame().ShowControlBar(ID_VIEW_STATUS_BAR, false);
    ASSERT_TRUE(Frame().SaveBarState("General"));

    StartApplication();
    AddBars();
    EXPECT_EQ(Frame().toolBarArea(Frame().GetToolBar(TableBar)), Qt::TopToolBarArea);
    ASSERT_TRUE(Frame().LoadBarState("General"));
    ProcessEvents();
    EXPECT_EQ(Frame().toolBarArea(Frame().GetToolBar(TableBar)), Qt::LeftToolBarArea);
    EXPECT_EQ(Frame().toolBarArea(Frame().GetToolBar(ID_VIEW_TOOLBAR)), Qt::TopToolBarArea);
    EXPECT_FALSE(Frame().IsControlBarVisible(FormatBar));
    EXPECT_TRUE(Frame().IsControlBarVisible(TableBar));
    EXPECT_FALSE(Frame().IsControlBarVisible(ID_VIEW_STATUS_BAR));
}

TEST_F(BarStateTest, NothingStoredOrDamagedLayoutLeavesTheBarsAlone)
{
    AddBars();
    EXPECT_FALSE(Frame().LoadBarState("General"));
    app->WriteProfileBinary("General", "BarState", { 1, 2, 3, 4 });
    EXPECT_FALSE(Frame().LoadBarState("General"));
    EXPECT_TRUE(Frame().IsControlBarVisible(TableBar));
    EXPECT_EQ(Frame().toolBarArea(Frame().GetToolBar(TableBar)), Qt::TopToolBarArea);
}

} // namespace
} // namespace uitest
