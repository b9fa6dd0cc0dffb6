#include "platform/ui/ColorDialog.h"

#include "platform/ui/DialogResults.h"
#include "platform/ui/TestHook.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace ui {

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, QWidget* owner)
    : m_color(initial)
    , m_flags(flags)
    , m_owner(owner)
{
}

int CColorDialog::DoModal()
{
    QColorDialog dialog(QColor(GetRValue(m_color), GetGValue(m_color), GetBValue(m_color)), m_owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    // Qt's colour dialog always shows its custom-colour part, so the
    // dialog is always "full" (CC_FULLOPEN changes nothing).
    CTestHook::ModalWindowOpening(&dialog, [&dialog](int id) -> QWidget* {
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        if (!buttons)
            return nullptr;
        if (id == IDOK)
            return buttons->button(QDialogButtonBox::Ok);
        if (id == IDCANCEL)
            return buttons->button(QDialogButtonBox::Cancel);
        return nullptr;
    });
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    QColor chosen = dialog.selectedColor();
    m_color = RGB(static_cast<BYTE>(chosen.red()), static_cast<BYTE>(chosen.green()), static_cast<BYTE>(chosen.blue()));
    return IDOK;
}

} // namespace ui
