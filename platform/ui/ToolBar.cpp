#include "platform/ui/ToolBar.h"

#include "platform/ui/ComboBox.h"
#include "platform/ui/CommandRouter.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/ImageStrip.h"
#include "platform/ui/ResourceTable.h"
#include "platform/ui/StandardCommands.h"
#include "platform/ui/Text.h"
#include "platform/ui/ToolBarLayout.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QStyleOptionToolButton>
#include <QToolButton>

#include <algorithm>

namespace ui {

// A flat button; as a drop-down button its arrow reports instead of acting.
class CToolBar::Button : public QToolButton {
public:
    Button(CToolBar* bar, WORD id)
        : QToolButton(bar)
        , m_bar(bar)
        , m_id(id)
    {
        setAutoRaise(true);
        setFocusPolicy(Qt::NoFocus);
    }

    void MakeDropDown()
    {
        if (m_dropDown)
            return;
        m_dropDown = true;
        // The empty menu makes the style draw the arrow; it never opens.
        m_arrowMenu = std::make_unique<QMenu>();
        setMenu(m_arrowMenu.get());
        setPopupMode(QToolButton::MenuButtonPopup);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (m_dropDown && event->button() == Qt::LeftButton) {
            QStyleOptionToolButton option;
            initStyleOption(&option);
            QRect arrow = style()->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButtonMenu, this);
            if (arrow.contains(event->position().toPoint())) {
                if (m_bar->m_dropDownSink) {
                    QRect screen(mapToGlobal(QPoint(0, 0)), size());
                    m_bar->m_dropDownSink(m_id, ToRect(screen));
                }
                event->accept();
                return;
            }
        }
        QToolButton::mousePressEvent(event);
    }

private:
    CToolBar* m_bar;
    WORD m_id;
    bool m_dropDown = false;
    std::unique_ptr<QMenu> m_arrowMenu;
};

CToolBar::CToolBar(WORD barId, QWidget* parent)
    : QToolBar(parent)
    , m_barId(barId)
{
    setObjectName(QString("ToolBar-%1").arg(barId));
    setAllowedAreas(Qt::AllToolBarAreas);
    setMovable(true);
    setFloatable(true);
    std::string title = CResourceTable::Instance().ToolTip(barId);
    setWindowTitle(ToQString(title.empty() ? CResourceTable::Instance().Prompt(barId) : title));
}

CToolBar::~CToolBar() = default;

bool CToolBar::LoadToolBar(UINT layoutId)
{
    const ToolBarLayout* layout = CResourceTable::Instance().FindToolBar(layoutId);
    if (!layout)
        return false;
    SetLayout(*layout);
    return true;
}

void CToolBar::SetLayout(const ToolBarLayout& layout)
{
    clear();
    m_items.clear();
    setIconSize(QSize(layout.buttonWidth, layout.buttonHeight));
    // Light grey is the strip's background and shows the bar through it.
    std::vector<QIcon> images
        = SplitImageStrip(layout.imageStrip, layout.buttonWidth, layout.buttonHeight, RGB(192, 192, 192));
    size_t image = 0;
    const CResourceTable& resources = CResourceTable::Instance();
    for (WORD id : layout.buttons) {
        Item item;
        item.id = id;
        if (id == ID_SEPARATOR) {
            item.slot = addSeparator();
            m_items.push_back(item);
            continue;
        }
        std::string tip = resources.ToolTip(id);
        item.command = new QAction(ToQString(tip.empty() ? std::to_string(id) : tip), this);
        item.command->setData(static_cast<uint>(id));
        item.command->setToolTip(ToQString(tip));
        item.command->setStatusTip(ToQString(resources.Prompt(id)));
        if (image < images.size())
            item.command->setIcon(images[image]);
        ++image;
        QAction* command = item.command;
        connect(command, &QAction::triggered, this, [this, id, command] {
            // A button's check mark follows its command's state, not the click.
            if (command->isCheckable())
                command->setChecked(!command->isChecked());
            if (m_commandSink)
                m_commandSink(id);
        });
        item.button = new Button(this, id);
        item.button->setDefaultAction(item.command);
        item.button->setToolButtonStyle(
            item.command->icon().isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
        item.slot = addWidget(item.button);
        m_items.push_back(item);
    }
}

CToolBar::Item* CToolBar::FindItem(WORD id)
{
    auto found = std::find_if(m_items.begin(), m_items.end(), [id](const Item& item) { return item.id == id; });
    return found == m_items.end() ? nullptr : &*found;
}

const CToolBar::Item* CToolBar::FindItem(WORD id) const
{
    return const_cast<CToolBar*>(this)->FindItem(id);
}

WORD CToolBar::GetItemID(int index) const
{
    return index >= 0 && index < GetCount() ? m_items[static_cast<size_t>(index)].id : 0;
}

int CToolBar::CommandToIndex(WORD id) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].id == id)
            return static_cast<int>(i);
    return -1;
}

RECT CToolBar::GetItemRect(int index) const
{
    if (index < 0 || index >= GetCount())
        return RECT {};
    return ToRect(actionGeometry(m_items[static_cast<size_t>(index)].slot));
}

bool CToolBar::SetDropDownButton(WORD id)
{
    Item* item = FindItem(id);
    if (!item || !item->button)
        return false;
    item->button->MakeDropDown();
    return true;
}

CComboBox* CToolBar::AddComboBox(const RECT& rect, WORD id)
{
    Item* item = FindItem(id);
    if (!item || !item->button)
        return nullptr;
    auto* combo = new CComboBox(this);
    combo->setObjectName(QString("Combo-%1").arg(id));
    combo->setFixedWidth(std::max<LONG>(1, rect.right - rect.left));
    combo->SetDroppedHeight(std::max<LONG>(1, rect.bottom - rect.top));
    combo->setFont(font());
    combo->setFocusPolicy(Qt::ClickFocus);
    QAction* slot = insertWidget(item->slot, combo);
    removeAction(item->slot);
    item->button->deleteLater();
    item->button = nullptr;
    item->slot = slot;
    item->control = combo;
    slot->setVisible(true);
    return combo;
}

void CToolBar::CheckButton(WORD id, bool checked)
{
    if (Item* item = FindItem(id); item && item->command) {
        item->command->setCheckable(true);
        item->command->setChecked(checked);
    }
}

bool CToolBar::IsButtonChecked(WORD id) const
{
    const Item* item = FindItem(id);
    return item && item->command && item->command->isChecked();
}

void CToolBar::EnableButton(WORD id, bool enabled)
{
    if (Item* item = FindItem(id); item && item->command)
        item->command->setEnabled(enabled);
}

void CToolBar::HideButton(WORD id, bool hidden)
{
    if (Item* item = FindItem(id))
        item->slot->setVisible(!hidden);
}

void CToolBar::UpdateCommandStates(const CCommandRouter& router)
{
    for (Item& item : m_items) {
        if (!item.command)
            continue;
        CCommandState state = router.QueryState(item.id);
        item.command->setEnabled(state.Enabled().value_or(false));
        if (state.Check()) {
            item.command->setCheckable(true);
            item.command->setChecked(*state.Check() != 0);
        }
    }
}

} // namespace ui
