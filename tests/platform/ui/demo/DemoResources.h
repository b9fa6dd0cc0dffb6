#pragma once

// The resources of the ui demo: menus, accelerators, tool bars, strings and
// the report form, in English and Chinese.

#include "platform/base/Types.h"

namespace demo {

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDR_REPORT = 129;
constexpr UINT IDR_FORMAT = 133;
constexpr UINT IDR_NEW_MENU = 140;
constexpr UINT IDD_REPORT_FORM = 101;

constexpr WORD ID_INSERT_CHART = 32782;
constexpr WORD ID_FONT_NAME = 32867;
constexpr WORD ID_FONT_SIZE = 32868;
constexpr WORD ID_FONT_BOLD = 32869;
constexpr WORD ID_FONT_ITALIC = 32870;
constexpr WORD ID_FONT_UNDERLINE = 32871;
constexpr WORD ID_CELL_BACKCOLOR = 32872;
constexpr WORD ID_FORMAT_BAR = 32978;
constexpr WORD IDC_CELLS = 1000;

void RegisterResources();

} // namespace demo
