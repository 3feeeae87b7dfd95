#pragma once

// The numbers of every dialog, control, command, string and image of the
// program. They are the numbers the templates and tables were drawn with, so
// they stay as they are.

// Dialog templates, menus, images.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_TRAZEL_FORM = 101;
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDB_FORM_PICTURE = 130;
inline constexpr int IDD_OUTPUT_FORMAT = 131;
inline constexpr int IDD_QUICK_REFERENCE = 132;
inline constexpr int IDD_PEAK_EDIT = 133;

// Controls of the main form.
inline constexpr int IDC_PEAK_LIST = 1000;
inline constexpr int IDC_POSITION = 1001;
inline constexpr int IDC_INTENSITY = 1002;
inline constexpr int IDC_WIDTH = 1003;
inline constexpr int IDC_ADD_PEAK = 1004;
inline constexpr int IDC_UNIQUE_WIDTH_ON = 1008;
inline constexpr int IDC_UNIQUE_WIDTH = 1009;
inline constexpr int IDC_CLEAR_ALL = 1010;
inline constexpr int IDC_DELETE_SELECTION = 1011;
inline constexpr int IDC_EXPORT = 1013;
inline constexpr int IDC_X_MIN = 1014;
inline constexpr int IDC_X_MAX = 1015;
inline constexpr int IDC_Y_MIN = 1016;
inline constexpr int IDC_Y_MAX = 1017;
inline constexpr int IDC_GAUSSIAN = 1018;
inline constexpr int IDC_LORENTZIAN = 1019;
inline constexpr int IDC_PROGRESS = 1020;
inline constexpr int IDC_PLOT = 1023;
inline constexpr int IDC_LABEL_X_MIN = 1024;
inline constexpr int IDC_LABEL_X_MAX = 1025;
inline constexpr int IDC_LABEL_Y_MIN = 1026;
inline constexpr int IDC_LABEL_Y_MAX = 1027;
inline constexpr int IDC_LABEL_X = 1028;
inline constexpr int IDC_LABEL_Y = 1029;
inline constexpr int IDC_JOIN_POINTS = 1030;
inline constexpr int IDC_EDIT_SELECTION = 1032;
inline constexpr int IDC_ASSIGN_WIDTH = 1036;
inline constexpr int IDC_SHOW_CURVES = 1040;
inline constexpr int IDC_SCALE = 1041;
inline constexpr int IDC_USE_SCALED = 1042;
inline constexpr int IDC_SCALE_SELECTION = 1046;

// Controls of the dialogs (the peak edit dialog also uses IDC_WIDTH).
inline constexpr int IDC_MODE_MANUAL = 1021;
inline constexpr int IDC_MODE_INTENSITY_FROM_WIDTH = 1022;
inline constexpr int IDC_DECIMAL_POINT = 1021;
inline constexpr int IDC_DECIMAL_COMMA = 1022;
inline constexpr int IDC_RESOLUTION = 1031;
inline constexpr int IDC_EDIT_INTENSITY = 1033;
inline constexpr int IDC_EDIT_POSITION = 1035;
inline constexpr int IDC_EDIT_SEPARATE = 1037;
inline constexpr int IDC_MODE_WIDTH_FROM_INTENSITY = 1038;
inline constexpr int IDC_CALCULATE = 1039;
inline constexpr int IDC_EDIT_SCALE_LABEL = 1043;
inline constexpr int IDC_EDIT_SCALE = 1044;

// The program's own commands.
inline constexpr int ID_OUTPUT_FORMAT = 32771;
inline constexpr int ID_OUTPUT_FILE = 32772;
inline constexpr int ID_QUICK_REFERENCE = 32773;

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
