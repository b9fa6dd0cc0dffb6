#pragma once

// A dialog as data: caption, size and font, and its controls, each with an id,
// a kind, a style, a text and a rectangle in dialog units. Dialog units are
// turned into pixels with the base units of the dialog's font: a horizontal
// unit is a quarter of the font's average character width, a vertical unit an
// eighth of its height.

#include "platform/base/Types.h"

#include <string>
#include <vector>

namespace ui {

enum class ControlKind {
    Label,
    Edit,
    MultiLineEdit,
    NumberEdit, // an edit for whole numbers with a spin button
    CheckBox,
    RadioButton,
    PushButton,
    DefaultButton,
    GroupBox,
    ComboBox, // editable text with a drop-down list
    DropDownList, // choice from a list only
    ListView, // report mode: columns, rows, item data
    Hosted, // a control component, text = its ProgID
};

namespace ControlStyle {
constexpr DWORD Group = 0x0001; // starts a group of radio buttons
constexpr DWORD Disabled = 0x0002;
constexpr DWORD Hidden = 0x0004;
constexpr DWORD ReadOnly = 0x0008;
constexpr DWORD Password = 0x0010;
constexpr DWORD Sort = 0x0020;
constexpr DWORD NoTabStop = 0x0040;
} // namespace ControlStyle

struct DialogControl {
    WORD id = 0;
    ControlKind kind = ControlKind::Label;
    std::string text;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    DWORD style = 0;
};

struct DialogTemplate {
    std::string caption;
    short cx = 0;
    short cy = 0;
    // Empty: the application's font.
    std::string fontName;
    int fontPointSize = 9;
    std::vector<DialogControl> controls;
};

} // namespace ui
