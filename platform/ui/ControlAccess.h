#pragma once

// Reads and sets the value of any control the framework makes, whatever its
// Qt class: text of edits, labels, buttons and combo boxes, the number of a
// spin box, the check state of check boxes and radio buttons. Dialogs, data
// exchange and the test hook share these.

#include <string>

class QWidget;

namespace ui {

std::string GetControlText(const QWidget* control);
void SetControlText(QWidget* control, const std::string& text);
// 0 unchecked, 1 checked, 2 indeterminate; 0 for controls without a check.
int GetControlCheck(const QWidget* control);
void SetControlCheck(QWidget* control, int check);
// Clicks a button (the click's own handling runs); false for other controls.
bool PressControl(QWidget* control);

} // namespace ui
