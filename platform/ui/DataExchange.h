#pragma once

// Data exchange between a dialog's fields and its controls, in one direction
// per run: from the controls into the fields (saving) or from the fields into
// the controls. A value that does not fit its field (a number edit holding
// text) tells the user, puts the focus on that control and fails the run; the
// remaining exchanges of that run are skipped.

#include "platform/base/Types.h"

#include <string>

class QWidget;

namespace ui {

class CControlContainer;

class CDataExchange {
public:
    CDataExchange(CControlContainer& controls, bool saveAndValidate);

    bool IsSaving() const { return m_save; }
    bool Failed() const { return m_failed; }

    // The control's text: edits, labels, buttons, combo boxes.
    void Text(WORD id, std::string& value);
    // A whole number in an edit or number edit.
    void Text(WORD id, int& value);
    // Check box state: 0, 1 or 2 (indeterminate).
    void Check(WORD id, int& value);
    // The index of the checked radio button of the group that starts with the
    // id, -1 when none is checked.
    void Radio(WORD firstId, int& value);
    // The selected entry of a combo box or list, -1 for none.
    void ComboIndex(WORD id, int& value);
    // Validation of a number already exchanged: outside [minimum, maximum]
    // fails the run while saving.
    void Range(WORD id, int value, int minimum, int maximum);

private:
    QWidget* Control(WORD id);
    void Fail(QWidget* control, const std::string& message);

    CControlContainer& m_controls;
    bool m_save;
    bool m_failed = false;
};

} // namespace ui
