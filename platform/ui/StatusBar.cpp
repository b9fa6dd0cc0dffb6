#include "platform/ui/StatusBar.h"

#include "platform/ui/CommandRouter.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/ResourceTable.h"
#include "platform/ui/StandardCommands.h"
#include "platform/ui/Text.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace ui {

CStatusBar::CStatusBar(QWidget* parent)
    : QStatusBar(parent)
{
    setObjectName("StatusBar");
    setSizeGripEnabled(true);
    m_panesHolder = new QWidget(this);
    auto* layout = new QHBoxLayout(m_panesHolder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    addWidget(m_panesHolder, 1);
}

CStatusBar::~CStatusBar() = default;

bool CStatusBar::SetIndicators(const std::vector<UINT>& ids)
{
    for (Pane& pane : m_panes)
        delete pane.label;
    m_panes.clear();
    auto* layout = static_cast<QHBoxLayout*>(m_panesHolder->layout());
    bool stretched = false;
    for (UINT id : ids) {
        Pane pane;
        pane.id = id;
        pane.label = new QLabel(m_panesHolder);
        pane.label->setFrameShape(QFrame::Panel);
        pane.label->setFrameShadow(QFrame::Sunken);
        pane.label->setMargin(1);
        if (id == ID_SEPARATOR && !stretched) {
            pane.style = SBPS_STRETCH | SBPS_NOBORDERS;
            stretched = true;
        } else if (id != ID_SEPARATOR) {
            std::string text = LoadString(id);
            pane.width = pane.label->fontMetrics().horizontalAdvance(ToQString(text)) + 8;
            pane.label->setAlignment(Qt::AlignCenter);
        }
        layout->addWidget(pane.label);
        m_panes.push_back(pane);
        ApplyPane(m_panes.back());
    }
    ShowPrompt({});
    return true;
}

void CStatusBar::ApplyPane(Pane& pane)
{
    auto* layout = static_cast<QHBoxLayout*>(m_panesHolder->layout());
    bool stretch = pane.style & SBPS_STRETCH;
    if (stretch) {
        pane.label->setMinimumWidth(pane.width);
        pane.label->setMaximumWidth(QWIDGETSIZE_MAX);
    } else {
        pane.label->setFixedWidth(pane.width + 2 * pane.label->frameWidth());
    }
    layout->setStretchFactor(pane.label, stretch ? 1 : 0);
    pane.label->setFrameShape(pane.style & SBPS_NOBORDERS ? QFrame::NoFrame : QFrame::Panel);
    pane.label->setFrameShadow(pane.style & SBPS_POPOUT ? QFrame::Raised : QFrame::Sunken);
    pane.label->setEnabled(!(pane.style & SBPS_DISABLED));
}

UINT CStatusBar::GetItemID(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].id : 0;
}

int CStatusBar::CommandToIndex(UINT id) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].id == id)
            return static_cast<int>(i);
    return -1;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width)
{
    if (index < 0 || index >= GetCount())
        return;
    Pane& pane = m_panes[static_cast<size_t>(index)];
    pane.id = id;
    pane.style = style;
    pane.width = width;
    ApplyPane(pane);
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const
{
    if (index < 0 || index >= GetCount()) {
        id = style = 0;
        width = 0;
        return;
    }
    const Pane& pane = m_panes[static_cast<size_t>(index)];
    id = pane.id;
    style = pane.style;
    width = pane.width;
}

bool CStatusBar::SetPaneText(int index, const std::string& text)
{
    if (index < 0 || index >= GetCount())
        return false;
    m_panes[static_cast<size_t>(index)].label->setText(ToQString(text));
    return true;
}

std::string CStatusBar::GetPaneText(int index) const
{
    if (index < 0 || index >= GetCount())
        return {};
    return FromQString(m_panes[static_cast<size_t>(index)].label->text());
}

RECT CStatusBar::GetItemRect(int index) const
{
    if (index < 0 || index >= GetCount())
        return RECT {};
    const QLabel* label = m_panes[static_cast<size_t>(index)].label;
    return ToRect(QRect(label->mapTo(this, QPoint(0, 0)), label->size()));
}

int CStatusBar::HitTest(POINT point) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (ToQRect(GetItemRect(i)).contains(ToQPoint(point)))
            return i;
    return -1;
}

void CStatusBar::SetPaneCursor(int index, const QCursor& cursor)
{
    if (index >= 0 && index < GetCount())
        m_panes[static_cast<size_t>(index)].label->setCursor(cursor);
}

void CStatusBar::ShowPrompt(const std::string& prompt)
{
    if (m_panes.empty())
        return;
    m_panes.front().label->setText(ToQString(prompt.empty() ? LoadString(IDS_IDLEMESSAGE) : prompt));
}

void CStatusBar::UpdateCommandStates(const CCommandRouter& router)
{
    for (Pane& pane : m_panes) {
        if (pane.id == ID_SEPARATOR)
            continue;
        CCommandState state = router.QueryState(static_cast<WORD>(pane.id));
        if (state.Text())
            pane.label->setText(ToQString(*state.Text()));
        else
            pane.label->setText(state.Enabled().value_or(false) ? ToQString(LoadString(pane.id)) : QString());
    }
}

void CStatusBar::mousePressEvent(QMouseEvent* event)
{
    int pane = HitTest(ToPoint(event->position().toPoint()));
    if (pane >= 0 && m_clickHandler)
        m_clickHandler(pane, ToPoint(event->position().toPoint()));
    QStatusBar::mousePressEvent(event);
}

} // namespace ui
