#include "platform/ui/MdiFrame.h"

#include "platform/base/Language.h"
#include "platform/ui/Application.h"
#include "platform/ui/ChildFrame.h"
#include "platform/ui/CommandRouter.h"
#include "platform/ui/Document.h"
#include "platform/ui/DocumentTemplate.h"
#include "platform/ui/Menu.h"
#include "platform/ui/RecentFileList.h"
#include "platform/ui/ResourceTable.h"
#include "platform/ui/StandardCommands.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/Text.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/View.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTimer>

#include <algorithm>

namespace ui {
namespace {

constexpr int IdleUpdateMilliseconds = 250;
constexpr int ListedChildWindows = 9;
const char* const BarStateEntry = "BarState";
const char* const StatusBarEntry = "StatusBar";

bool IsWindowCommand(WORD id)
{
    return id >= ID_WINDOW_NEW && id <= ID_WINDOW_TILE_VERT;
}

bool IsRecentFileCommand(WORD id)
{
    return id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST;
}

bool IsChildWindowCommand(WORD id)
{
    return id >= ID_FIRST_MDICHILD && id <= ID_MORE_WINDOWS;
}

} // namespace

CMdiFrame::CMdiFrame()
    : CWindow(this)
{
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName("MdiClient");
    setCentralWidget(m_mdiArea);
    setDockNestingEnabled(true);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] { ChildActivated(); });

    m_idleTimer = new QTimer(this);
    connect(m_idleTimer, &QTimer::timeout, this, [this] {
        if (isVisible())
            UpdateCommandStates();
    });
    m_idleTimer->start(IdleUpdateMilliseconds);

    auto needsChild = [this](CCommandState& state) { state.Enable(MDIGetActive() != nullptr); };
    MapCommand(ID_WINDOW_CASCADE, [this] { MDICascade(); });
    MapCommand(ID_WINDOW_TILE_HORZ, [this] { MDITile(); });
    MapCommand(ID_WINDOW_TILE_VERT, [this] { MDITile(); });
    MapCommand(ID_WINDOW_ARRANGE, [this] { MDIIconArrange(); });
    MapCommand(ID_WINDOW_NEW, [this] {
        CDocument* document = GetActiveDocument();
        if (document && document->GetDocTemplate())
            if (CChildFrame* frame = document->GetDocTemplate()->CreateNewFrame(document))
                document->GetDocTemplate()->InitialUpdateFrame(frame, document, true);
    });
    MapUpdateRange(ID_WINDOW_NEW, ID_WINDOW_TILE_VERT, needsChild);
    MapCommand(ID_FILE_CLOSE, [this] {
        if (CDocument* document = GetActiveDocument())
            if (document->SaveModified())
                document->OnCloseDocument();
    });
    MapUpdate(ID_FILE_CLOSE, needsChild);
    MapCommand(ID_NEXT_PANE, [this] { m_mdiArea->activateNextSubWindow(); });
    MapCommand(ID_PREV_PANE, [this] { m_mdiArea->activatePreviousSubWindow(); });
    MapCommandRange(ID_FIRST_MDICHILD, ID_FIRST_MDICHILD + ListedChildWindows - 1, [this](WORD id) {
        std::vector<CChildFrame*> children = GetChildFrames();
        size_t index = id - ID_FIRST_MDICHILD;
        if (index < children.size())
            MDIActivate(children[index]);
    });
    MapCommand(ID_MORE_WINDOWS, [this] { m_mdiArea->activateNextSubWindow(); });
    for (WORD bar : { ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR }) {
        MapCommand(bar, [this, bar] { ToggleBar(bar); });
        MapUpdate(bar, [this, bar](CCommandState& state) {
            state.Enable(GetToolBar(bar) != nullptr || (bar == ID_VIEW_STATUS_BAR && m_statusBar));
            state.SetCheck(IsControlBarVisible(bar) ? 1 : 0);
        });
    }
}

CMdiFrame::~CMdiFrame()
{
    m_idleTimer->stop();
    m_destroying = true;
    disconnect(m_mdiArea, nullptr, this, nullptr);
    // Child frames go before the frame's own parts, so that their views can
    // still reach the frame while they close. Closed ones waiting for their
    // deletion are no longer in the area's list but still its children.
    for (QMdiSubWindow* child : m_mdiArea->findChildren<QMdiSubWindow*>())
        delete child;
}

bool CMdiFrame::LoadFrame(UINT resourceId)
{
    m_frameResource = resourceId;
    const CResourceTable& resources = CResourceTable::Instance();
    bool hasMenu = resources.FindMenu(resourceId) != nullptr;
    if (hasMenu)
        SetMenuResource(resourceId);
    for (QAction* action : m_accelerators)
        delete action;
    m_accelerators.clear();
    const AcceleratorTable* table = resources.FindAccelerators(resourceId);
    if (table) {
        for (const Accelerator& accelerator : *table) {
            auto* action = new QAction(this);
            action->setShortcut(QKeySequence(QString::fromLatin1(accelerator.keys.c_str())));
            action->setShortcutContext(Qt::WindowShortcut);
            WORD id = accelerator.command;
            connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
            addAction(action);
            m_accelerators.push_back(action);
        }
    }
    return hasMenu || table;
}

void CMdiFrame::SetTitle(const std::string& title)
{
    m_title = title;
    UpdateFrameTitle();
}

void CMdiFrame::UpdateFrameTitle()
{
    std::string title = m_title;
    if (CDocument* document = GetActiveDocument())
        title += " - " + document->GetTitle();
    setWindowTitle(ToQString(title));
}

CChildFrame* CMdiFrame::MDIGetActive() const
{
    // The current child stays current while another program has the focus.
    return dynamic_cast<CChildFrame*>(m_mdiArea->currentSubWindow());
}

void CMdiFrame::MDIActivate(CChildFrame* frame)
{
    if (frame)
        frame->ActivateFrame();
}

void CMdiFrame::MDICascade()
{
    m_mdiArea->cascadeSubWindows();
}

void CMdiFrame::MDITile()
{
    m_mdiArea->tileSubWindows();
}

void CMdiFrame::MDIIconArrange()
{
    // Minimized children line up along the bottom; the rest stay.
    int x = 0;
    for (QMdiSubWindow* child : m_mdiArea->subWindowList()) {
        if (!child->isMinimized())
            continue;
        child->move(x, m_mdiArea->viewport()->height() - child->height());
        x += child->width();
    }
}

std::vector<CChildFrame*> CMdiFrame::GetChildFrames() const
{
    std::vector<CChildFrame*> children;
    for (QMdiSubWindow* child : m_mdiArea->subWindowList(QMdiArea::CreationOrder))
        if (auto* frame = dynamic_cast<CChildFrame*>(child))
            children.push_back(frame);
    return children;
}

CView* CMdiFrame::GetActiveView() const
{
    CChildFrame* frame = MDIGetActive();
    return frame ? frame->GetActiveView() : nullptr;
}

CDocument* CMdiFrame::GetActiveDocument() const
{
    CChildFrame* frame = MDIGetActive();
    return frame ? frame->GetActiveDocument() : nullptr;
}

void CMdiFrame::AddChildFrame(CChildFrame* frame)
{
    m_mdiArea->addSubWindow(frame);
    SIZE size = frame->InitialSize();
    if (size.cx > 0 && size.cy > 0)
        frame->resize(size.cx, size.cy);
    connect(frame, &QObject::destroyed, this, [this] { RefreshWindowMenu(); });
}

void CMdiFrame::AddToolBar(CToolBar* bar, Qt::ToolBarArea side)
{
    addToolBar(side, bar);
    bar->SetCommandSink([this](WORD id) { ExecuteCommand(id); });
    bar->SetDropDownSink([this](WORD id, const RECT& rect) { CCommandRouter(CommandChain()).DropDown(id, rect); });
    m_toolBars.push_back(bar);
}

void CMdiFrame::SetStatusBar(CStatusBar* bar)
{
    setStatusBar(bar);
    m_statusBar = bar;
}

CToolBar* CMdiFrame::GetToolBar(WORD barId) const
{
    auto found = std::find_if(
        m_toolBars.begin(), m_toolBars.end(), [barId](CToolBar* bar) { return bar->GetBarId() == barId; });
    return found == m_toolBars.end() ? nullptr : *found;
}

void CMdiFrame::ShowControlBar(WORD barId, bool show)
{
    if (CToolBar* bar = GetToolBar(barId))
        bar->setVisible(show);
    else if (barId == ID_VIEW_STATUS_BAR && m_statusBar)
        m_statusBar->setVisible(show);
}

bool CMdiFrame::IsControlBarVisible(WORD barId) const
{
    if (CToolBar* bar = GetToolBar(barId))
        return !bar->isHidden();
    if (barId == ID_VIEW_STATUS_BAR && m_statusBar)
        return !m_statusBar->isHidden();
    return false;
}

void CMdiFrame::ToggleBar(WORD barId)
{
    ShowControlBar(barId, !IsControlBarVisible(barId));
}

bool CMdiFrame::SaveBarState(const std::string& section) const
{
    CApplication* app = GetApp();
    if (!app)
        return false;
    QByteArray state = saveState();
    std::vector<BYTE> data(state.begin(), state.end());
    bool saved = app->WriteProfileBinary(section, BarStateEntry, data);
    if (m_statusBar)
        saved = app->WriteProfileInt(section, StatusBarEntry, m_statusBar->isHidden() ? 0 : 1) && saved;
    return saved;
}

bool CMdiFrame::LoadBarState(const std::string& section)
{
    CApplication* app = GetApp();
    std::vector<BYTE> data;
    if (!app || !app->GetProfileBinary(section, BarStateEntry, data) || data.empty())
        return false;
    if (!restoreState(QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()))))
        return false;
    if (m_statusBar)
        m_statusBar->setVisible(app->GetProfileInt(section, StatusBarEntry, 1) != 0);
    return true;
}

std::vector<CCommandTarget*> CMdiFrame::CommandChain()
{
    CChildFrame* child = MDIGetActive();
    return { GetActiveView(), GetActiveDocument(), child, this, GetApp() };
}

bool CMdiFrame::ExecuteCommand(WORD id)
{
    return CCommandRouter(CommandChain()).ExecuteIfEnabled(id);
}

bool CMdiFrame::OnCommandMessage(WORD id)
{
    return ExecuteCommand(id);
}

void CMdiFrame::UpdateCommandStates()
{
    CCommandRouter router(CommandChain());
    for (CToolBar* bar : m_toolBars)
        if (!bar->isHidden())
            bar->UpdateCommandStates(router);
    if (m_statusBar && !m_statusBar->isHidden())
        m_statusBar->UpdateCommandStates(router);
}

void CMdiFrame::UpdateMenuStates(QMenu* menu)
{
    if (!menu)
        return;
    RefreshRecentFiles(menu);
    CCommandRouter router(CommandChain());
    for (QAction* action : menu->actions()) {
        WORD id = CommandIdOf(action);
        if (action->isSeparator() || action->menu() || id == 0 || IsChildWindowCommand(id))
            continue;
        if (IsRecentFileCommand(id) && !action->isVisible())
            continue;
        CCommandState state = router.QueryState(id);
        action->setEnabled(state.Enabled().value_or(false));
        if (state.Check()) {
            action->setCheckable(true);
            action->setChecked(*state.Check() != 0);
        }
        if (state.Text())
            action->setText(ToQString(*state.Text()));
    }
}

void CMdiFrame::RefreshRecentFiles(QMenu* menu)
{
    CApplication* app = GetApp();
    CRecentFileList* recent = app ? app->GetRecentFileList() : nullptr;
    QAction* placeholder = nullptr;
    for (QAction* action : menu->actions()) {
        if (!IsRecentFileCommand(CommandIdOf(action)))
            continue;
        if (action->property("recentEntry").toBool())
            delete action;
        else
            placeholder = action;
    }
    if (!placeholder || !recent)
        return;
    const std::vector<std::string>& files = recent->GetFiles();
    placeholder->setVisible(files.empty());
    for (size_t i = 0; i < files.size(); ++i) {
        auto* entry = new QAction(ToQString(recent->MenuText(i)), menu);
        WORD id = static_cast<WORD>(ID_FILE_MRU_FILE1 + i);
        entry->setData(static_cast<uint>(id));
        entry->setProperty("recentEntry", true);
        entry->setStatusTip(ToQString(files[i]));
        connect(entry, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        menu->insertAction(placeholder, entry);
    }
}

void CMdiFrame::SetMenuResource(UINT resourceId)
{
    m_menuResource = resourceId;
    BuildMenu();
}

void CMdiFrame::BuildMenu()
{
    const MenuResource* menu = CResourceTable::Instance().FindMenu(m_menuResource);
    if (!menu) {
        setMenuBar(new QMenuBar(this));
        return;
    }
    // A new bar each time: the old one may be the sender of the command that
    // switched menus, and Qt deletes a replaced bar only later.
    auto* bar = new QMenuBar(this);
    BuildMenuBar(bar, *menu, [this](WORD id) { ExecuteCommand(id); });
    setMenuBar(bar);
    for (QAction* action : bar->actions())
        if (action->menu())
            ConnectMenuUpdates(action->menu());
    RefreshWindowMenu();
}

void CMdiFrame::ConnectMenuUpdates(QMenu* menu)
{
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        if (menu == GetWindowMenu())
            RefreshWindowMenu();
        UpdateMenuStates(menu);
    });
    for (QAction* action : menu->actions())
        if (action->menu())
            ConnectMenuUpdates(action->menu());
}

QMenu* CMdiFrame::GetWindowMenu() const
{
    for (QAction* top : menuBar()->actions()) {
        QMenu* menu = top->menu();
        if (!menu)
            continue;
        for (QAction* action : menu->actions())
            if (!action->menu() && IsWindowCommand(CommandIdOf(action)))
                return menu;
    }
    return nullptr;
}

void CMdiFrame::RefreshWindowMenu()
{
    if (m_destroying)
        return;
    QMenu* menu = GetWindowMenu();
    if (!menu)
        return;
    for (QAction* action : menu->actions())
        if (action->property("childList").toBool())
            delete action;
    std::vector<CChildFrame*> children = GetChildFrames();
    if (!children.empty()) {
        QAction* separator = menu->addSeparator();
        separator->setProperty("childList", true);
    }
    CChildFrame* active = MDIGetActive();
    for (size_t i = 0; i < children.size() && i < ListedChildWindows; ++i) {
        QString text = QString("&%1 %2").arg(i + 1).arg(children[i]->windowTitle());
        QAction* entry = menu->addAction(text);
        WORD id = static_cast<WORD>(ID_FIRST_MDICHILD + i);
        entry->setData(static_cast<uint>(id));
        entry->setProperty("childList", true);
        entry->setCheckable(true);
        entry->setChecked(children[i] == active);
        connect(entry, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    }
    if (children.size() > ListedChildWindows) {
        bool chinese = base::IsChineseUserInterface();
        QAction* more = menu->addAction(ToQString(chinese ? "其他窗口(&M)..." : "&More Windows..."));
        more->setData(static_cast<uint>(ID_MORE_WINDOWS));
        more->setProperty("childList", true);
        connect(more, &QAction::triggered, this, [this] { ExecuteCommand(ID_MORE_WINDOWS); });
    }
    OnWindowMenuRefreshed(menu);
}

void CMdiFrame::OnWindowMenuRefreshed(QMenu*)
{
}

void CMdiFrame::OnChildActivated(CChildFrame*)
{
}

void CMdiFrame::ChildActivated()
{
    CChildFrame* active = MDIGetActive();
    if (active == m_lastActive)
        return;
    bool stillOpen = false;
    for (CChildFrame* child : GetChildFrames())
        stillOpen = stillOpen || child == m_lastActive;
    if (stillOpen && m_lastActive->GetActiveView())
        m_lastActive->GetActiveView()->OnActivateView(false);
    m_lastActive = active;
    if (active && active->GetActiveView())
        active->GetActiveView()->OnActivateView(true);

    UINT wanted = m_frameResource;
    if (CDocument* document = GetActiveDocument())
        if (CDocumentTemplate* owner = document->GetDocTemplate())
            if (CResourceTable::Instance().FindMenu(owner->GetResourceId()))
                wanted = owner->GetResourceId();
    if (wanted != m_menuResource && wanted != 0)
        SetMenuResource(wanted);
    else
        RefreshWindowMenu();
    UpdateFrameTitle();
    OnChildActivated(active);
}

bool CMdiFrame::OnClose()
{
    return true;
}

void CMdiFrame::closeEvent(QCloseEvent* event)
{
    if (!OnClose()) {
        event->ignore();
        return;
    }
    if (CApplication* app = GetApp())
        for (CDocumentTemplate* docTemplate : app->GetDocTemplates())
            for (CDocument* document : docTemplate->GetDocuments())
                if (!document->SaveModified()) {
                    event->ignore();
                    return;
                }
    if (CApplication* app = GetApp())
        for (CDocumentTemplate* docTemplate : app->GetDocTemplates())
            docTemplate->CloseAllDocuments();
    QMainWindow::closeEvent(event);
}

bool CMdiFrame::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        if (m_statusBar)
            m_statusBar->ShowPrompt(FromQString(static_cast<QStatusTipEvent*>(event)->tip()));
        return true;
    }
    return QMainWindow::event(event);
}

} // namespace ui
