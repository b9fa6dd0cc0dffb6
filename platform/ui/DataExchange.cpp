#include "platform/ui/DataExchange.h"

#include "platform/base/Language.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ControlAccess.h"
#include "platform/ui/ControlContainer.h"
#include "platform/ui/MessageBox.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QWidget>

#include <cerrno>
#include <cstdlib>

namespace ui {

CDataExchange::CDataExchange(CControlContainer& controls, bool saveAndValidate)
    : m_controls(controls)
    , m_save(saveAndValidate)
{
}

QWidget* CDataExchange::Control(WORD id)
{
    return m_failed ? nullptr : m_controls.GetControl(id);
}

void CDataExchange::Fail(QWidget* control, const std::string& message)
{
    m_failed = true;
    MessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    if (control)
        control->setFocus();
}

void CDataExchange::Text(WORD id, std::string& value)
{
    QWidget* control = Control(id);
    if (!control)
        return;
    if (m_save)
        value = GetControlText(control);
    else
        SetControlText(control, value);
}

void CDataExchange::Text(WORD id, int& value)
{
    QWidget* control = Control(id);
    if (!control)
        return;
    if (!m_save) {
        SetControlText(control, std::to_string(value));
        return;
    }
    std::string text = GetControlText(control);
    const char* begin = text.c_str();
    while (*begin == ' ' || *begin == '\t')
        ++begin;
    char* end = nullptr;
    errno = 0;
    long number = std::strtol(begin, &end, 10);
    while (end && (*end == ' ' || *end == '\t'))
        ++end;
    if (end == begin || *end != '\0' || errno == ERANGE || number < INT32_MIN || number > INT32_MAX) {
        Fail(control, base::IsChineseUserInterface() ? "请输入一个整数。" : "Please enter an integer.");
        return;
    }
    value = static_cast<int>(number);
}

void CDataExchange::Check(WORD id, int& value)
{
    QWidget* control = Control(id);
    if (!control)
        return;
    if (m_save)
        value = GetControlCheck(control);
    else
        SetControlCheck(control, value);
}

void CDataExchange::Radio(WORD firstId, int& value)
{
    if (m_failed)
        return;
    std::vector<QWidget*> group = m_controls.RadioGroup(firstId);
    if (m_save) {
        value = -1;
        for (size_t i = 0; i < group.size(); ++i)
            if (GetControlCheck(group[i]))
                value = static_cast<int>(i);
        return;
    }
    // An exclusive group refuses to uncheck its checked button; "none" must
    // still be settable.
    QButtonGroup* buttons = group.empty() ? nullptr : static_cast<QAbstractButton*>(group.front())->group();
    if (buttons)
        buttons->setExclusive(false);
    for (size_t i = 0; i < group.size(); ++i)
        SetControlCheck(group[i], static_cast<int>(i) == value ? 1 : 0);
    if (buttons)
        buttons->setExclusive(true);
}

void CDataExchange::ComboIndex(WORD id, int& value)
{
    auto* combo = dynamic_cast<CComboBox*>(Control(id));
    if (!combo)
        return;
    if (m_save)
        value = combo->GetCurSel();
    else
        combo->SetCurSel(value);
}

void CDataExchange::Range(WORD id, int value, int minimum, int maximum)
{
    if (!m_save || m_failed || (value >= minimum && value <= maximum))
        return;
    std::string range
        = std::to_string(minimum) + (base::IsChineseUserInterface() ? " 到 " : " and ") + std::to_string(maximum);
    Fail(m_controls.GetControl(id),
        base::IsChineseUserInterface() ? "请输入一个介于 " + range + " 之间的整数。"
                                       : "Please enter an integer between " + range + ".");
}

} // namespace ui
