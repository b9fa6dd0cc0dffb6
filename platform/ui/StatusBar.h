#pragma once

// A status bar of panes. Each pane has a command id (0 for a text pane; an
// indicator's id shows its string while its update handler enables it), a
// width in pixels and a style; pane 0 also shows the prompt of the menu item
// or button under the mouse, and the idle text otherwise. Panes report mouse
// clicks and may have a cursor of their own.

#include "platform/base/Types.h"

#include <QStatusBar>

#include <functional>
#include <string>
#include <vector>

class QCursor;
class QLabel;

constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = 0x0100;
constexpr UINT SBPS_POPOUT = 0x0200;
constexpr UINT SBPS_DISABLED = 0x0400;
constexpr UINT SBPS_STRETCH = 0x0800;

namespace ui {

class CCommandRouter;

class CStatusBar : public QStatusBar {
public:
    using ClickHandler = std::function<void(int pane, POINT point)>;

    explicit CStatusBar(QWidget* parent = nullptr);
    ~CStatusBar() override;

    // One pane per id; the first text pane stretches.
    bool SetIndicators(const std::vector<UINT>& ids);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int index) const;
    int CommandToIndex(UINT id) const;

    void SetPaneInfo(int index, UINT id, UINT style, int width);
    void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
    bool SetPaneText(int index, const std::string& text);
    std::string GetPaneText(int index) const;

    // In the bar's client coordinates; empty for an unknown index.
    RECT GetItemRect(int index) const;
    // The pane under a point of the bar's client area; -1 when none.
    int HitTest(POINT point) const;
    void SetPaneCursor(int index, const QCursor& cursor);
    void SetClickHandler(ClickHandler handler) { m_clickHandler = std::move(handler); }

    // Shows the prompt in pane 0; an empty prompt brings back the idle text.
    void ShowPrompt(const std::string& prompt);
    // Indicator panes from their update handlers.
    void UpdateCommandStates(const CCommandRouter& router);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Pane {
        UINT id = 0;
        UINT style = 0;
        int width = 0;
        QLabel* label = nullptr;
    };
    void ApplyPane(Pane& pane);

    QWidget* m_panesHolder = nullptr;
    std::vector<Pane> m_panes;
    ClickHandler m_clickHandler;
};

} // namespace ui
