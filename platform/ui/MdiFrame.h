#pragma once

// The main window of a multi-document program: a menu bar, tool bars that
// dock on any side, a status bar, and a multi-document area in which child
// frames float (cascade, tile, arrange; a Window menu lists them). The frame
// decides the order in which commands visit their targets (CommandChain), runs
// them like menu choices (only when enabled), keeps the bars' command states
// current, switches to the menu of the active child's template, puts the
// active document's title after its own, and saves and restores the layout
// of its bars in a profile section.

#include "platform/base/Types.h"
#include "platform/ui/CommandTarget.h"
#include "platform/ui/Window.h"

#include <QMainWindow>

#include <string>
#include <vector>

class QMdiArea;
class QMenu;
class QTimer;

namespace ui {

class CChildFrame;
class CDocument;
class CStatusBar;
class CToolBar;
class CView;

class CMdiFrame : public QMainWindow, public CCommandTarget, public CWindow {
public:
    CMdiFrame();
    ~CMdiFrame() override;

    // Menu and accelerators of that resource number (either may be missing;
    // false when both are).
    bool LoadFrame(UINT resourceId);
    // The frame's own title; the active document's title follows it.
    void SetTitle(const std::string& title);
    const std::string& GetTitle() const { return m_title; }
    void UpdateFrameTitle();

    QMdiArea* GetMdiClient() const { return m_mdiArea; }
    CChildFrame* MDIGetActive() const;
    void MDIActivate(CChildFrame* frame);
    void MDICascade();
    void MDITile();
    void MDIIconArrange();
    std::vector<CChildFrame*> GetChildFrames() const;
    CView* GetActiveView() const;
    CDocument* GetActiveDocument() const;
    // Places a new child frame in the area (at its initial size).
    void AddChildFrame(CChildFrame* frame);

    // The frame takes the bar. Tool bars dock at the given side; a bar's id
    // is the command that shows and hides it.
    void AddToolBar(CToolBar* bar, Qt::ToolBarArea side = Qt::TopToolBarArea);
    void SetStatusBar(CStatusBar* bar);
    CStatusBar* GetStatusBar() const { return m_statusBar; }
    CToolBar* GetToolBar(WORD barId) const;
    const std::vector<CToolBar*>& GetToolBars() const { return m_toolBars; }
    // Shows or hides the bar with that id (tool bar or status bar).
    void ShowControlBar(WORD barId, bool show);
    bool IsControlBarVisible(WORD barId) const;
    // Where the bars are docked and which are shown, kept in one profile
    // section; false when nothing usable was stored.
    bool SaveBarState(const std::string& section) const;
    bool LoadBarState(const std::string& section);

    // The active view (which goes on to its document), the active child
    // frame, this frame and the application.
    std::vector<CCommandTarget*> CommandChain() override;
    // As a menu choice: runs the command when its state is enabled.
    bool ExecuteCommand(WORD id);
    // Enabled and check state of tool bars and status indicators.
    void UpdateCommandStates();
    // Enabled state, check marks and texts of a menu's items.
    void UpdateMenuStates(QMenu* menu);

    // The menu resource in use; the frame switches to the active child's
    // template menu and back to its own.
    void SetMenuResource(UINT resourceId);
    UINT GetMenuResource() const { return m_menuResource; }
    // The popup whose items include the window commands; null when none.
    QMenu* GetWindowMenu() const;

protected:
    // Called after the Window menu's list of child windows was rebuilt.
    virtual void OnWindowMenuRefreshed(QMenu* windowMenu);
    // Called when the active child frame changed (null: none active).
    virtual void OnChildActivated(CChildFrame* frame);
    // The close request: true lets the frame close (all documents close and
    // the program ends).
    virtual bool OnClose();
    bool OnCommandMessage(WORD id) override;

    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void ChildActivated();
    void RefreshWindowMenu();
    void BuildMenu();
    void ToggleBar(WORD barId);
    void RefreshRecentFiles(QMenu* menu);
    void ConnectMenuUpdates(QMenu* menu);

    std::string m_title;
    QMdiArea* m_mdiArea = nullptr;
    CStatusBar* m_statusBar = nullptr;
    std::vector<CToolBar*> m_toolBars;
    UINT m_frameResource = 0;
    UINT m_menuResource = 0;
    CChildFrame* m_lastActive = nullptr;
    QTimer* m_idleTimer = nullptr;
    std::vector<QAction*> m_accelerators;
    bool m_destroying = false;
};

} // namespace ui
