#include "platform/ui/ComboBox.h"

#include "platform/ui/Text.h"

#include <QAbstractItemView>

#include <algorithm>
#include <cctype>

namespace ui {

CComboBox::CComboBox(QWidget* parent)
    : QComboBox(parent)
{
}

int CComboBox::AddString(const std::string& text)
{
    addItem(ToQString(text), QVariant::fromValue<qulonglong>(0));
    return count() - 1;
}

int CComboBox::InsertString(int index, const std::string& text)
{
    if (index < 0 || index > count())
        index = count();
    insertItem(index, ToQString(text), QVariant::fromValue<qulonglong>(0));
    return index;
}

int CComboBox::DeleteString(int index)
{
    if (index < 0 || index >= count())
        return -1;
    removeItem(index);
    return count();
}

void CComboBox::ResetContent()
{
    clear();
}

int CComboBox::GetCount() const
{
    return count();
}

int CComboBox::GetCurSel() const
{
    return currentIndex();
}

bool CComboBox::SetCurSel(int index)
{
    if (index < -1 || index >= count())
        return false;
    setCurrentIndex(index);
    return true;
}

std::string CComboBox::GetLBText(int index) const
{
    return index >= 0 && index < count() ? FromQString(itemText(index)) : std::string();
}

std::string CComboBox::GetWindowText() const
{
    return FromQString(currentText());
}

bool CComboBox::SetItemData(int index, UINT_PTR data)
{
    if (index < 0 || index >= count())
        return false;
    setItemData(index, QVariant::fromValue<qulonglong>(data));
    return true;
}

UINT_PTR CComboBox::GetItemData(int index) const
{
    return index >= 0 && index < count() ? static_cast<UINT_PTR>(itemData(index).toULongLong()) : 0;
}

int CComboBox::FindStringExact(int start, const std::string& text) const
{
    // Only single-byte letters fold: the second byte of a double-byte
    // character is compared as it is.
    auto equal = [](const std::string& a, const std::string& b) {
        if (a.size() != b.size())
            return false;
        for (size_t i = 0; i < a.size(); ++i) {
            auto x = static_cast<unsigned char>(a[i]);
            auto y = static_cast<unsigned char>(b[i]);
            if (x >= 0x81 && i + 1 < a.size()) {
                if (x != y || a[i + 1] != b[i + 1])
                    return false;
                ++i;
            } else if (std::tolower(x) != std::tolower(y)) {
                return false;
            }
        }
        return true;
    };
    for (int i = std::max(start + 1, 0); i < count(); ++i)
        if (equal(GetLBText(i), text))
            return i;
    return -1;
}

void CComboBox::SetDroppedHeight(int pixels)
{
    int row = std::max(1, view()->sizeHintForRow(0) > 0 ? view()->sizeHintForRow(0) : fontMetrics().height() + 2);
    setMaxVisibleItems(std::max(1, pixels / row));
}

} // namespace ui
