#include "platform/ui/ControlContainer.h"

#include "platform/ui/ComboBox.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Text.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <climits>

namespace ui {
namespace {

int MulDiv(int value, int numerator, int denominator)
{
    long long product = static_cast<long long>(value) * numerator;
    // Rounded half away from zero, like the platform's scaling.
    return static_cast<int>((product >= 0 ? product + denominator / 2 : product - denominator / 2) / denominator);
}

} // namespace

CControlContainer::CControlContainer(QWidget* parent)
    : QObject(parent)
    , m_parent(parent)
{
}

CControlContainer::~CControlContainer() = default;

SIZE CControlContainer::BaseUnitsOf(const QFont& font)
{
    QFontMetrics metrics(font);
    int width = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return SIZE { (width / 26 + 1) / 2, metrics.height() };
}

RECT CControlContainer::DialogUnitsToPixels(short x, short y, short cx, short cy) const
{
    int left = MulDiv(x, m_baseUnits.cx, 4);
    int top = MulDiv(y, m_baseUnits.cy, 8);
    return RECT { left, top, left + MulDiv(cx, m_baseUnits.cx, 4), top + MulDiv(cy, m_baseUnits.cy, 8) };
}

void CControlContainer::Create(const DialogTemplate& dialog, const HostedFactory& hosted)
{
    QFont font = QApplication::font();
    if (!dialog.fontName.empty())
        font.setFamily(ToQString(dialog.fontName));
    if (dialog.fontPointSize > 0)
        font.setPointSize(dialog.fontPointSize);
    m_parent->setFont(font);
    m_baseUnits = BaseUnitsOf(font);

    WORD currentGroup = 0;
    for (const DialogControl& control : dialog.controls) {
        QWidget* widget = MakeControl(control, hosted);
        if (!widget)
            continue;
        QRect rect = ToQRect(DialogUnitsToPixels(control.x, control.y, control.cx, control.cy));
        if (auto* combo = dynamic_cast<CComboBox*>(widget)) {
            // A combo box's height in the template includes its dropped list.
            combo->SetDroppedHeight(rect.height());
            rect.setHeight(combo->sizeHint().height());
        }
        widget->setGeometry(rect);
        widget->setEnabled(!(control.style & ControlStyle::Disabled));
        widget->setVisible(!(control.style & ControlStyle::Hidden));
        if (control.style & ControlStyle::NoTabStop)
            widget->setFocusPolicy(Qt::ClickFocus);
        if (control.id != 0 && !m_controls.count(control.id)) {
            m_controls[control.id] = widget;
            m_kinds[control.id] = control.kind;
        }
        m_ids[widget] = control.id;
        widget->installEventFilter(this);
        // Radio buttons form a group from one carrying the group style up
        // to the next control that carries it.
        if (control.style & ControlStyle::Group)
            currentGroup = 0;
        if (control.kind == ControlKind::RadioButton) {
            if (currentGroup == 0)
                currentGroup = control.id;
            m_radioGroups[currentGroup].push_back(widget);
        }
    }
    for (auto& [first, members] : m_radioGroups) {
        auto* group = new QButtonGroup(this);
        group->setExclusive(true);
        for (QWidget* member : members) {
            auto* radio = static_cast<QRadioButton*>(member);
            radio->setAutoExclusive(false);
            group->addButton(radio);
        }
    }
    RECT size = DialogUnitsToPixels(0, 0, dialog.cx, dialog.cy);
    if (size.right > 0 && size.bottom > 0)
        m_parent->resize(size.right, size.bottom);
}

QWidget* CControlContainer::MakeControl(const DialogControl& control, const HostedFactory& hosted)
{
    QString text = ToQString(control.text);
    WORD id = control.id;
    switch (control.kind) {
    case ControlKind::Label:
        return new QLabel(text, m_parent);
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(text, m_parent);
        edit->setReadOnly(control.style & ControlStyle::ReadOnly);
        if (control.style & ControlStyle::Password)
            edit->setEchoMode(QLineEdit::Password);
        connect(edit, &QLineEdit::textChanged, this, [this, id] { Notify(id, Notification::TextChange); });
        return edit;
    }
    case ControlKind::MultiLineEdit: {
        auto* edit = new QPlainTextEdit(text, m_parent);
        edit->setReadOnly(control.style & ControlStyle::ReadOnly);
        connect(edit, &QPlainTextEdit::textChanged, this, [this, id] { Notify(id, Notification::TextChange); });
        return edit;
    }
    case ControlKind::NumberEdit: {
        auto* spin = new QSpinBox(m_parent);
        spin->setRange(INT_MIN, INT_MAX);
        spin->setValue(text.toInt());
        connect(spin, &QSpinBox::valueChanged, this, [this, id] { Notify(id, Notification::TextChange); });
        return spin;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(text, m_parent);
        connect(box, &QCheckBox::clicked, this, [this, id] { Notify(id, Notification::Clicked); });
        return box;
    }
    case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(text, m_parent);
        connect(radio, &QRadioButton::clicked, this, [this, id] { Notify(id, Notification::Clicked); });
        return radio;
    }
    case ControlKind::PushButton:
    case ControlKind::DefaultButton: {
        auto* button = new QPushButton(text, m_parent);
        button->setAutoDefault(false);
        if (control.kind == ControlKind::DefaultButton) {
            button->setDefault(true);
            m_defaultButton = button;
        }
        connect(button, &QPushButton::clicked, this, [this, id] { Notify(id, Notification::Clicked); });
        return button;
    }
    case ControlKind::GroupBox: {
        auto* group = new QGroupBox(text, m_parent);
        // A frame drawn behind the controls it surrounds, not their parent.
        group->lower();
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
        return group;
    }
    case ControlKind::ComboBox:
    case ControlKind::DropDownList: {
        auto* combo = new CComboBox(m_parent);
        combo->setEditable(control.kind == ControlKind::ComboBox);
        if (control.style & ControlStyle::Sort)
            combo->setInsertPolicy(QComboBox::InsertAlphabetically);
        connect(combo, &QComboBox::activated, this, [this, id] { Notify(id, Notification::SelectionChange); });
        connect(combo, &QComboBox::editTextChanged, this, [this, id] { Notify(id, Notification::TextChange); });
        return combo;
    }
    case ControlKind::ListView: {
        auto* list = new CListView(m_parent);
        connect(
            list, &QTableWidget::itemSelectionChanged, this, [this, id] { Notify(id, Notification::SelectionChange); });
        connect(list, &QTableWidget::cellClicked, this, [this, id] { Notify(id, Notification::Clicked); });
        connect(list, &QTableWidget::cellDoubleClicked, this, [this, id] { Notify(id, Notification::DoubleClick); });
        return list;
    }
    case ControlKind::Hosted: {
        QWidget* widget = hosted ? hosted(control, m_parent) : nullptr;
        return widget ? widget : new QWidget(m_parent);
    }
    }
    return nullptr;
}

QWidget* CControlContainer::GetControl(WORD id) const
{
    auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

ControlKind CControlContainer::GetKind(WORD id) const
{
    auto found = m_kinds.find(id);
    return found == m_kinds.end() ? ControlKind::Label : found->second;
}

WORD CControlContainer::GetId(const QWidget* control) const
{
    auto found = m_ids.find(control);
    return found == m_ids.end() ? 0 : found->second;
}

std::vector<QWidget*> CControlContainer::RadioGroup(WORD firstId) const
{
    auto found = m_radioGroups.find(firstId);
    return found == m_radioGroups.end() ? std::vector<QWidget*> {} : found->second;
}

void CControlContainer::Notify(WORD id, Notification notification)
{
    if (m_sink && id != 0)
        m_sink(id, notification);
}

bool CControlContainer::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = dynamic_cast<QWidget*>(watched);
    if (widget && (event->type() == QEvent::FocusOut || event->type() == QEvent::MouseButtonDblClick)) {
        WORD id = GetId(widget);
        Notify(id, event->type() == QEvent::FocusOut ? Notification::FocusLost : Notification::DoubleClick);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
