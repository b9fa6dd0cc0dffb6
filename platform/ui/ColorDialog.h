#pragma once

// The colour dialog: an initial colour, optionally opened in full (with the
// custom-colour part shown), answering IDOK with the chosen colour.

#include "platform/base/Types.h"

class QWidget;

constexpr DWORD CC_RGBINIT = 0x00000001;
constexpr DWORD CC_FULLOPEN = 0x00000002;

namespace ui {

class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, QWidget* owner = nullptr);

    int DoModal();
    COLORREF GetColor() const { return m_color; }

private:
    COLORREF m_color;
    DWORD m_flags;
    QWidget* m_owner;
};

} // namespace ui
