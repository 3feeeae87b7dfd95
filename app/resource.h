#pragma once

#include "ui/control_ids.h"

namespace trazel::app {

// The numbers of the program's dialogs, commands, strings and images; those of
// the controls are in ui/control_ids.h. They are the numbers the templates and
// tables were drawn with, so they stay as they are.

// Dialog templates, menus, images.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_TRAZEL_FORM = 101;
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDB_FORM_PICTURE = 130;
inline constexpr int IDD_OUTPUT_FORMAT = 131;
inline constexpr int IDD_QUICK_REFERENCE = 132;
inline constexpr int IDD_PEAK_EDIT = 133;

// The program's own commands.
inline constexpr int ID_OUTPUT_FORMAT = 32771;
inline constexpr int ID_OUTPUT_FILE = 32772;
inline constexpr int ID_QUICK_REFERENCE = 32773;
inline constexpr int ID_PLOT_WINDOW = 32774;
inline constexpr int ID_OVERLAY_MEASURED = 32775;
inline constexpr int ID_IMPORT_BANDS = 32776;
inline constexpr int ID_FIT_MEASURED = 32777;
inline constexpr int ID_FIND_BANDS = 32778;
inline constexpr int ID_COMPARE_MEASURED = 32779;

// Strings.
inline constexpr int AFX_IDS_APP_TITLE = 57344;
inline constexpr int AFX_IDS_IDLEMESSAGE = 57345;

// Framework commands.
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_CLOSE = 57602;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_PAGE_SETUP = 57605;
inline constexpr int ID_FILE_PRINT_SETUP = 57606;
inline constexpr int ID_FILE_PRINT = 57607;
inline constexpr int ID_FILE_PRINT_DIRECT = 57608;
inline constexpr int ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr int ID_FILE_MRU_FILE1 = 57616;
inline constexpr int ID_FILE_MRU_FILE16 = 57631;
inline constexpr int ID_EDIT_CLEAR = 57632;
inline constexpr int ID_EDIT_CLEAR_ALL = 57633;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_FIND = 57636;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_REPEAT = 57640;
inline constexpr int ID_EDIT_REPLACE = 57641;
inline constexpr int ID_EDIT_SELECT_ALL = 57642;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_EDIT_REDO = 57644;
inline constexpr int ID_WINDOW_SPLIT = 57653;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;

// Status-bar indicators.
inline constexpr int ID_SEPARATOR = 0;
inline constexpr int ID_INDICATOR_EXT = 59136;
inline constexpr int ID_INDICATOR_CAPS = 59137;
inline constexpr int ID_INDICATOR_NUM = 59138;
inline constexpr int ID_INDICATOR_SCRL = 59139;
inline constexpr int ID_INDICATOR_OVR = 59140;
inline constexpr int ID_INDICATOR_REC = 59141;

// Bars.
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;

// Print preview.
inline constexpr int AFX_IDS_PREVIEW_CLOSE = 61445;

}  // namespace trazel::app
