#include "platform/ui/ControlAccess.h"

#include "platform/ui/Text.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace ui {

std::string GetControlText(const QWidget* control)
{
    if (auto* edit = dynamic_cast<const QLineEdit*>(control))
        return FromQString(edit->text());
    if (auto* text = dynamic_cast<const QPlainTextEdit*>(control))
        return FromQString(text->toPlainText());
    if (auto* spin = dynamic_cast<const QAbstractSpinBox*>(control))
        return FromQString(spin->text());
    if (auto* combo = dynamic_cast<const QComboBox*>(control))
        return FromQString(combo->currentText());
    if (auto* label = dynamic_cast<const QLabel*>(control))
        return FromQString(label->text());
    if (auto* button = dynamic_cast<const QAbstractButton*>(control))
        return FromQString(button->text());
    if (auto* group = dynamic_cast<const QGroupBox*>(control))
        return FromQString(group->title());
    return control ? FromQString(control->windowTitle()) : std::string();
}

void SetControlText(QWidget* control, const std::string& text)
{
    QString value = ToQString(text);
    if (auto* edit = dynamic_cast<QLineEdit*>(control))
        edit->setText(value);
    else if (auto* plain = dynamic_cast<QPlainTextEdit*>(control))
        plain->setPlainText(value);
    else if (auto* spin = dynamic_cast<QSpinBox*>(control))
        spin->setValue(value.trimmed().toInt());
    else if (auto* combo = dynamic_cast<QComboBox*>(control)) {
        int index = combo->findText(value, Qt::MatchExactly);
        if (combo->isEditable())
            combo->setEditText(value);
        else
            combo->setCurrentIndex(index);
    } else if (auto* label = dynamic_cast<QLabel*>(control))
        label->setText(value);
    else if (auto* button = dynamic_cast<QAbstractButton*>(control))
        button->setText(value);
    else if (auto* group = dynamic_cast<QGroupBox*>(control))
        group->setTitle(value);
    else if (control)
        control->setWindowTitle(value);
}

int GetControlCheck(const QWidget* control)
{
    auto* button = dynamic_cast<const QAbstractButton*>(control);
    if (!button || !button->isCheckable())
        return 0;
    if (auto* box = dynamic_cast<const QCheckBox*>(button))
        return box->checkState() == Qt::PartiallyChecked ? 2 : (box->isChecked() ? 1 : 0);
    return button->isChecked() ? 1 : 0;
}

void SetControlCheck(QWidget* control, int check)
{
    auto* button = dynamic_cast<QAbstractButton*>(control);
    if (!button || !button->isCheckable())
        return;
    if (auto* box = dynamic_cast<QCheckBox*>(button); box && check == 2) {
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
        return;
    }
    button->setChecked(check != 0);
}

bool PressControl(QWidget* control)
{
    auto* button = dynamic_cast<QAbstractButton*>(control);
    if (!button)
        return false;
    button->click();
    return true;
}

} // namespace ui
