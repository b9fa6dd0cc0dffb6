#pragma once

// The framework's own command, string and bar numbers (57344 and above).
// The system's commands lie below 57344.

#include "platform/base/Types.h"

constexpr WORD ID_SEPARATOR = 0;

constexpr WORD ID_FILE_NEW = 0xE100;
constexpr WORD ID_FILE_OPEN = 0xE101;
constexpr WORD ID_FILE_CLOSE = 0xE102;
constexpr WORD ID_FILE_SAVE = 0xE103;
constexpr WORD ID_FILE_SAVE_AS = 0xE104;
constexpr WORD ID_FILE_PRINT_SETUP = 0xE106;
constexpr WORD ID_FILE_PRINT = 0xE107;
constexpr WORD ID_FILE_PRINT_PREVIEW = 0xE109;
constexpr WORD ID_FILE_SEND_MAIL = 0xE10C;
constexpr WORD ID_FILE_MRU_FILE1 = 0xE110;
constexpr WORD ID_FILE_MRU_LAST = 0xE11F;

constexpr WORD ID_EDIT_COPY = 0xE122;
constexpr WORD ID_EDIT_CUT = 0xE123;
constexpr WORD ID_EDIT_PASTE = 0xE125;
constexpr WORD ID_EDIT_UNDO = 0xE12B;

constexpr WORD ID_WINDOW_NEW = 0xE130;
constexpr WORD ID_WINDOW_ARRANGE = 0xE131;
constexpr WORD ID_WINDOW_CASCADE = 0xE132;
constexpr WORD ID_WINDOW_TILE_HORZ = 0xE133;
constexpr WORD ID_WINDOW_TILE_VERT = 0xE134;

constexpr WORD ID_APP_ABOUT = 0xE140;
constexpr WORD ID_APP_EXIT = 0xE141;
constexpr WORD ID_HELP_INDEX = 0xE142;
constexpr WORD ID_HELP = 0xE146;

constexpr WORD ID_NEXT_PANE = 0xE150;
constexpr WORD ID_PREV_PANE = 0xE151;

constexpr WORD ID_INDICATOR_CAPS = 0xE701;
constexpr WORD ID_INDICATOR_NUM = 0xE702;
constexpr WORD ID_INDICATOR_SCRL = 0xE703;

// Bars are numbered like the commands that show and hide them.
constexpr WORD ID_VIEW_TOOLBAR = 0xE800;
constexpr WORD ID_VIEW_STATUS_BAR = 0xE801;

// The idle text of the status bar's first pane.
constexpr UINT IDS_IDLEMESSAGE = 0xE001;

// Items of the Window menu that activate a child window; the tenth opens the
// list of further windows.
constexpr WORD ID_FIRST_MDICHILD = 0xFF00;
constexpr WORD ID_MORE_WINDOWS = ID_FIRST_MDICHILD + 9;
