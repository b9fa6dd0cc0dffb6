#pragma once

// A combo box with an 8-bit interface: entries by index, each with a text
// and a number of item data; entries keep the order in which they were added
// unless the box sorts. -1 stands for "no entry".

#include "platform/base/Types.h"

#include <QComboBox>

#include <string>

namespace ui {

class CComboBox : public QComboBox {
public:
    explicit CComboBox(QWidget* parent = nullptr);

    int AddString(const std::string& text);
    int InsertString(int index, const std::string& text);
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    // -1 clears the selection; false when the index names no entry.
    bool SetCurSel(int index);
    std::string GetLBText(int index) const;
    std::string GetWindowText() const;
    bool SetItemData(int index, UINT_PTR data);
    UINT_PTR GetItemData(int index) const;
    // The first entry after start whose text equals the text, ignoring the
    // letter case of ASCII letters; -1 when none.
    int FindStringExact(int start, const std::string& text) const;
    // Height of the dropped-down list in pixels.
    void SetDroppedHeight(int pixels);
};

} // namespace ui
