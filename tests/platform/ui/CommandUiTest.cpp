#include "platform/ui/ComboBox.h"
#include "platform/ui/CommandRouter.h"
#include "platform/ui/Menu.h"
#include "platform/ui/StandardCommands.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"
#include "tests/platform/ui/QtEnvironment.h"
#include "tests/platform/ui/UiFixture.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusTipEvent>
#include <QStyleOptionToolButton>
#include <QToolButton>

namespace uitest {
namespace {

constexpr WORD ID_FRAME_ONLY = 32900;
constexpr WORD ID_DOCUMENT_ONLY = 32901;
constexpr WORD ID_EVERYWHERE = 32902;
constexpr WORD ID_CHART = 32782;
constexpr UINT MainBarLayout = 128;
constexpr UINT DropMenu = 139;

// A frame that offers commands first to a workspace object, as the designer's
// frame does.
class WorkspaceFrame : public ui::CMdiFrame {
public:
    ui::CCommandTarget workspace;
    std::vector<ui::CCommandTarget*> CommandChain() override
    {
        std::vector<ui::CCommandTarget*> chain = CMdiFrame::CommandChain();
        chain.insert(chain.begin(), &workspace);
        return chain;
    }
};

class CommandUiTest : public UiFixture {
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        auto frame = std::make_unique<WorkspaceFrame>();
        m_frame = frame.get();
        frame->LoadFrame(FrameResource);
        app->SetMainWnd(std::move(frame));
        document = app->OpenDocumentFile(MakeFile("a.orn"));
        ASSERT_NE(document, nullptr);
        view = Frame().GetActiveView();
        // Every target handles ID_EVERYWHERE and logs its name.
        auto log = [](const char* name) { return [name] { CommandLog().push_back(name); }; };
        m_frame->workspace.MapCommand(ID_EVERYWHERE, log("workspace"));
        view->MapCommand(ID_EVERYWHERE, log("view"));
        document->MapCommand(ID_EVERYWHERE, log("document"));
        Frame().MapCommand(ID_EVERYWHERE, log("frame"));
        app->MapCommand(ID_EVERYWHERE, log("app"));
        Frame().MapCommand(ID_FRAME_ONLY, log("frame"));
        document->MapCommand(ID_DOCUMENT_ONLY, log("document"));
    }

    ui::CToolBar* MakeToolBar()
    {
        ui::ToolBarLayout layout;
        layout.buttons = { ID_FILE_NEW, ID_CHART, 0, ID_VIEW_ONLY, ID_UNHANDLED };
        ui::CResourceTable::Instance().AddToolBar(MainBarLayout, ui::LanguageEnglish, layout);
        auto* bar = new ui::CToolBar(ID_VIEW_TOOLBAR);
        EXPECT_TRUE(bar->LoadToolBar(MainBarLayout));
        Frame().AddToolBar(bar);
        return bar;
    }

    static QToolButton* ButtonOf(ui::CToolBar* bar, WORD id)
    {
        for (QToolButton* button : bar->findChildren<QToolButton*>())
            if (button->defaultAction() && ui::CommandIdOf(button->defaultAction()) == id)
                return button;
        return nullptr;
    }

    WorkspaceFrame* m_frame = nullptr;
    ui::CDocument* document = nullptr;
    ui::CView* view = nullptr;
};

TEST_F(CommandUiTest, FrameChainOffersWorkspaceThenViewDocumentFrameApplication)
{
    // Each step takes the handler away from the target that ran last.
    EXPECT_TRUE(Frame().ExecuteCommand(ID_EVERYWHERE));
    m_frame->workspace.MapCommand(ID_EVERYWHERE, nullptr);
    EXPECT_TRUE(Frame().ExecuteCommand(ID_EVERYWHERE));
    view->MapCommand(ID_EVERYWHERE, nullptr);
    EXPECT_TRUE(Frame().ExecuteCommand(ID_EVERYWHERE));
    document->MapCommand(ID_EVERYWHERE, nullptr);
    EXPECT_TRUE(Frame().ExecuteCommand(ID_EVERYWHERE));
    Frame().MapCommand(ID_EVERYWHERE, nullptr);
    EXPECT_TRUE(Frame().ExecuteCommand(ID_EVERYWHERE));
    app->MapCommand(ID_EVERYWHERE, nullptr);
    EXPECT_FALSE(Frame().ExecuteCommand(ID_EVERYWHERE));
    EXPECT_EQ(CommandLog(), (std::vector<std::string> { "workspace", "view", "document", "frame", "app" }));
}

TEST_F(CommandUiTest, MenuBarShowsUnhandledCommandsDisabled)
{
    QMenu* file = Frame().menuBar()->actions().front()->menu();
    Frame().UpdateMenuStates(file);
    EXPECT_TRUE(ui::FindMenuItem(file, ID_FILE_NEW)->isEnabled());
    EXPECT_TRUE(ui::FindMenuItem(file, ID_FILE_CLOSE)->isEnabled());
    EXPECT_FALSE(ui::FindMenuItem(file, ID_UNHANDLED)->isEnabled());
    // A disabled item does not run when chosen, nor through the frame.
    ui::FindMenuItem(file, ID_UNHANDLED)->trigger();
    EXPECT_FALSE(Frame().ExecuteCommand(ID_UNHANDLED));
}

TEST_F(CommandUiTest, UpdateHandlerSetsEnabledCheckAndTextAndDisabledCommandDoesNotRun)
{
    bool ruler = false;
    view->MapUpdate(ID_VIEW_ONLY, [&ruler](ui::CCommandState& state) {
        state.SetCheck(ruler ? 1 : 0);
        state.SetText(ruler ? "Hide Ruler" : "Show Ruler");
    });
    QMenu* table = Frame().menuBar()->actions().at(1)->menu();
    QAction* item = ui::FindMenuItem(table, ID_VIEW_ONLY);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isChecked()) << "created with a check mark";
    Frame().UpdateMenuStates(table);
    EXPECT_TRUE(item->isEnabled());
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(item->text().toStdString(), "Show Ruler");
    ruler = true;
    Frame().UpdateMenuStates(table);
    EXPECT_TRUE(item->isChecked());

    view->MapUpdate(ID_VIEW_ONLY, [](ui::CCommandState& state) { state.Enable(false); });
    EXPECT_FALSE(Frame().ExecuteCommand(ID_VIEW_ONLY));
    EXPECT_TRUE(CommandLog().empty());
}

TEST_F(CommandUiTest, SendMessageCommandToFrameRunsLikeAMenuChoice)
{
    EXPECT_EQ(SendMessage(Frame().GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(ID_DOCUMENT_ONLY, 0), 0), 1);
    EXPECT_EQ(SendMessage(Frame().GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(ID_UNHANDLED, 0), 0), 0);
    EXPECT_EQ(CommandLog(), std::vector<std::string> { "document" });
}

TEST_F(CommandUiTest, AcceleratorSendsItsCommand)
{
    size_t before = Template().GetDocuments().size();
    QList<QAction*> actions = Frame().actions();
    ASSERT_FALSE(actions.isEmpty());
    EXPECT_EQ(actions.front()->shortcut(), QKeySequence("Ctrl+N"));
    actions.front()->trigger();
    EXPECT_EQ(Template().GetDocuments().size(), before + 1);
}

TEST_F(CommandUiTest, TrackedPopupKeepsUnhandledItemsEnabledAndInert)
{
    ui::CResourceTable::Instance().AddMenu(DropMenu, ui::LanguageEnglish,
        { { ui::MenuItem::Popup("Chart",
            { ui::MenuItem::Command(ID_UNHANDLED, "BAR"), ui::MenuItem::Command(ID_FRAME_ONLY, "PIE"),
                ui::MenuItem::Command(ID_EVERYWHERE, "LINE"),
                ui::MenuItem::Command(ID_DOCUMENT_ONLY, "New Plovis", MF_GRAYED) }) } });
    ui::CPopupMenu popup(*ui::CResourceTable::Instance().FindMenu(DropMenu), 0, view);
    QMenu* menu = popup.GetMenu();
    QAction* unhandled = ui::FindMenuItem(menu, ID_UNHANDLED);
    QAction* frameOnly = ui::FindMenuItem(menu, ID_FRAME_ONLY);
    EXPECT_TRUE(unhandled->isEnabled());
    EXPECT_TRUE(frameOnly->isEnabled());
    EXPECT_FALSE(ui::FindMenuItem(menu, ID_DOCUMENT_ONLY)->isEnabled());
    unhandled->trigger();
    // The owner's chain is the view and its document, not the frame.
    frameOnly->trigger();
    EXPECT_TRUE(CommandLog().empty());
    ui::FindMenuItem(menu, ID_EVERYWHERE)->trigger();
    EXPECT_EQ(CommandLog(), std::vector<std::string> { "view" });
}

TEST_F(CommandUiTest, ToolBarButtonsFollowCommandStatesAndCarryTipAndPrompt)
{
    ui::CToolBar* bar = MakeToolBar();
    Frame().UpdateCommandStates();
    EXPECT_EQ(bar->GetCount(), 5);
    EXPECT_TRUE(ButtonOf(bar, ID_FILE_NEW)->isEnabled());
    EXPECT_TRUE(ButtonOf(bar, ID_VIEW_ONLY)->isEnabled());
    EXPECT_FALSE(ButtonOf(bar, ID_UNHANDLED)->isEnabled());
    EXPECT_EQ(ButtonOf(bar, ID_FILE_NEW)->toolTip().toStdString(), "New");
    EXPECT_EQ(ButtonOf(bar, ID_FILE_NEW)->defaultAction()->statusTip().toStdString(), "Create a new document");

    ButtonOf(bar, ID_VIEW_ONLY)->click();
    EXPECT_EQ(CommandLog(), std::vector<std::string> { "view" });
}

TEST_F(CommandUiTest, CheckedButtonKeepsItsStateUntilTheCommandSetsIt)
{
    ui::CToolBar* bar = MakeToolBar();
    bar->CheckButton(ID_VIEW_ONLY, true);
    ButtonOf(bar, ID_VIEW_ONLY)->click();
    EXPECT_TRUE(bar->IsButtonChecked(ID_VIEW_ONLY));
    bar->CheckButton(ID_VIEW_ONLY, false);
    EXPECT_FALSE(bar->IsButtonChecked(ID_VIEW_ONLY));
}

TEST_F(CommandUiTest, DropDownArrowReportsButtonAndScreenRectangleToTheChain)
{
    ui::CToolBar* bar = MakeToolBar();
    EXPECT_TRUE(bar->SetDropDownButton(ID_CHART));
    EXPECT_FALSE(bar->SetDropDownButton(40000));
    view->MapCommand(ID_CHART, [] { CommandLog().push_back("chart"); });
    Frame().show();
    ProcessEvents();
    QToolButton* button = ButtonOf(bar, ID_CHART);
    ASSERT_NE(button, nullptr);
    QStyleOptionToolButton option;
    option.initFrom(button);
    option.subControls = QStyle::SC_ToolButton | QStyle::SC_ToolButtonMenu;
    option.features = QStyleOptionToolButton::MenuButtonPopup | QStyleOptionToolButton::HasMenu;
    QRect arrow = button->style()->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButtonMenu, button);
    ASSERT_TRUE(arrow.isValid());

    QPoint inArrow = arrow.center();
    QMouseEvent press(QEvent::MouseButtonPress, inArrow, button->mapToGlobal(inArrow), Qt::LeftButton, Qt::LeftButton,
        Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    // The workspace passes, the view (next in the chain) takes it.
    EXPECT_EQ(TestView::lastDropDown, ID_CHART);
    QPoint topLeft = button->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(TestView::lastDropDownRect,
        (RECT { topLeft.x(), topLeft.y(), topLeft.x() + button->width(), topLeft.y() + button->height() }));
    EXPECT_TRUE(CommandLog().empty()) << "the arrow does not run the command";

    button->click();
    EXPECT_EQ(CommandLog(), std::vector<std::string> { "chart" });
}

TEST_F(CommandUiTest, ComboBoxTakesTheButtonSlot)
{
    ui::CToolBar* bar = MakeToolBar();
    EXPECT_EQ(bar->AddComboBox(RECT { 0, 0, 120, 120 }, 40000), nullptr);
    ui::CComboBox* combo = bar->AddComboBox(RECT { 0, 0, 120, 120 }, ID_FILE_NEW);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->width(), 120);
    EXPECT_EQ(bar->CommandToIndex(ID_FILE_NEW), 0);
    EXPECT_EQ(bar->GetItemID(1), ID_CHART);
    EXPECT_EQ(ButtonOf(bar, ID_FILE_NEW), nullptr);
    EXPECT_EQ(combo->AddString("6"), 0);
    EXPECT_EQ(combo->AddString("宋体"), 1);
    combo->SetItemData(1, 134);
    EXPECT_EQ(combo->GetItemData(1), 134u);
    EXPECT_EQ(combo->GetLBText(1), "宋体");
    EXPECT_EQ(combo->FindStringExact(-1, "宋体"), 1);
}

TEST_F(CommandUiTest, StatusBarPanesTextHitTestAndPrompt)
{
    auto* status = new ui::CStatusBar;
    Frame().SetStatusBar(status);
    ASSERT_TRUE(status->SetIndicators({ ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL }));
    status->SetPaneInfo(0, 0, SBPS_NORMAL, 180);
    status->SetPaneInfo(1, 0, SBPS_NORMAL, 220);
    status->SetPaneInfo(2, 0, SBPS_STRETCH, 50);
    EXPECT_TRUE(status->SetPaneText(1, "HTTP://SITE/"));
    EXPECT_FALSE(status->SetPaneText(4, "x"));
    EXPECT_EQ(status->GetPaneText(1), "HTTP://SITE/");
    EXPECT_EQ(status->GetItemID(3), ID_INDICATOR_SCRL);
    Frame().resize(900, 600);
    Frame().show();
    ProcessEvents();
    RECT pane1 = status->GetItemRect(1);
    EXPECT_EQ(pane1.right - pane1.left, 220 + 2 * 1);
    EXPECT_EQ(status->HitTest(POINT { pane1.left + 5, pane1.top + 2 }), 1);
    EXPECT_EQ(status->HitTest(POINT { -5, -5 }), -1);

    std::vector<int> clicks;
    status->SetClickHandler([&clicks](int pane, POINT) { clicks.push_back(pane); });
    QPoint inPane(pane1.left + 5, pane1.top + 2);
    QMouseEvent press(
        QEvent::MouseButtonPress, inPane, status->mapToGlobal(inPane), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(status, &press);
    EXPECT_EQ(clicks, std::vector<int> { 1 });

    QStatusTipEvent tip(QString("Create a new document"));
    QApplication::sendEvent(&Frame(), &tip);
    EXPECT_EQ(status->GetPaneText(0), "Create a new document");
    QStatusTipEvent none { QString() };
    QApplication::sendEvent(&Frame(), &none);
    EXPECT_EQ(status->GetPaneText(0), "");
}

TEST_F(CommandUiTest, BarShowAndHideCommandsToggleTheirBar)
{
    MakeToolBar();
    Frame().SetStatusBar(new ui::CStatusBar);
    for (WORD bar : { ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR }) {
        EXPECT_TRUE(Frame().IsControlBarVisible(bar));
        EXPECT_EQ(ui::CCommandRouter(Frame().CommandChain()).QueryState(bar).Check(), 1);
        EXPECT_TRUE(Frame().ExecuteCommand(bar));
        EXPECT_FALSE(Frame().IsControlBarVisible(bar));
        EXPECT_EQ(ui::CCommandRouter(Frame().CommandChain()).QueryState(bar).Check(), 0);
        EXPECT_TRUE(Frame().ExecuteCommand(bar));
        EXPECT_TRUE(Frame().IsControlBarVisible(bar));
    }
}

} // namespace
} // namespace uitest
