#pragma once

namespace trazel::ui {

// The ids of the controls of the main form and of the dialogs, one home for
// all of them: the templates, the windows that read their controls, the
// application's commands and the tests take them from here. They are the
// numbers the templates were drawn with, so they stay as they are; controls
// of different dialogs may share a number.

// Controls of the main form.
inline constexpr int IDC_PEAK_LIST = 1000;
inline constexpr int IDC_POSITION = 1001;
inline constexpr int IDC_INTENSITY = 1002;
inline constexpr int IDC_WIDTH = 1003;  // also the width of the peak edit dialog
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

// Controls of the peak edit dialog (and IDC_WIDTH above).
inline constexpr int IDC_MODE_MANUAL = 1021;
inline constexpr int IDC_MODE_INTENSITY_FROM_WIDTH = 1022;
inline constexpr int IDC_EDIT_INTENSITY = 1033;
inline constexpr int IDC_EDIT_POSITION = 1035;
inline constexpr int IDC_EDIT_SEPARATE = 1037;
inline constexpr int IDC_MODE_WIDTH_FROM_INTENSITY = 1038;
inline constexpr int IDC_CALCULATE = 1039;
inline constexpr int IDC_EDIT_SCALE_LABEL = 1043;
inline constexpr int IDC_EDIT_SCALE = 1044;

// Controls of the output format dialog.
inline constexpr int IDC_DECIMAL_POINT = 1021;
inline constexpr int IDC_DECIMAL_COMMA = 1022;
inline constexpr int IDC_RESOLUTION = 1031;

// Controls of the measured spectrum's dialogs: its columns and its drawing.
inline constexpr int IDC_MEASURED_FILE = 1050;
inline constexpr int IDC_MEASURED_LINES = 1051;
inline constexpr int IDC_MEASURED_X_COLUMN = 1052;
inline constexpr int IDC_MEASURED_Y_COLUMN = 1053;
inline constexpr int IDC_MEASURED_COLUMN_COUNT = 1054;
inline constexpr int IDC_MEASURED_Y_FACTOR = 1055;
inline constexpr int IDC_MEASURED_SCALE_TO_MODEL = 1056;
inline constexpr int IDC_MEASURED_REMOVE = 1057;
// The changes of x (five radio buttons from "none"), the laser line, the
// changes of y (five from "none"), the change of sign, and the line that
// tells the order and what is left out.
inline constexpr int IDC_MEASURED_X_NONE = 1058;
inline constexpr int IDC_MEASURED_LASER = 1063;
inline constexpr int IDC_MEASURED_Y_NONE = 1064;
inline constexpr int IDC_MEASURED_NEGATE = 1069;
inline constexpr int IDC_MEASURED_TRANSFORM_NOTE = 1070;
// The baseline by asymmetric least squares: subtracted or not, λ and p.
inline constexpr int IDC_MEASURED_ALS = 1071;
inline constexpr int IDC_MEASURED_ALS_LAMBDA = 1072;
inline constexpr int IDC_MEASURED_ALS_P = 1073;
// The list of the spectra of a file of several and what it says of them.
inline constexpr int IDC_MEASURED_SPECTRA = 1074;
inline constexpr int IDC_MEASURED_SPECTRA_SUMMARY = 1075;

// Controls of the band import dialog.
inline constexpr int IDC_IMPORT_FILE = 1101;
inline constexpr int IDC_IMPORT_SUMMARY = 1102;
inline constexpr int IDC_IMPORT_PREVIEW = 1103;
inline constexpr int IDC_IMPORT_WIDTH = 1104;
inline constexpr int IDC_IMPORT_SCALE = 1105;
inline constexpr int IDC_IMPORT_AREAS = 1106;
// What the output of a quantum-chemistry program gives: infrared, Raman
// activities or Raman intensities (three radio buttons in that order), the
// laser line and temperature of the last, and a wavenumber range.
inline constexpr int IDC_IMPORT_INFRARED = 1107;
inline constexpr int IDC_IMPORT_LASER = 1110;
inline constexpr int IDC_IMPORT_TEMPERATURE = 1111;
inline constexpr int IDC_IMPORT_RANGE = 1112;
inline constexpr int IDC_IMPORT_RANGE_FROM = 1113;
inline constexpr int IDC_IMPORT_RANGE_TO = 1114;
inline constexpr int IDC_SHAPE_DOCUMENT = 1115;
inline constexpr int IDC_SHAPE_GAUSSIAN = 1116;
inline constexpr int IDC_SHAPE_LORENTZIAN = 1117;
inline constexpr int IDC_SHAPE_PSEUDO_VOIGT = 1118;
inline constexpr int IDC_SHAPE_VOIGT = 1119;
inline constexpr int IDC_EDIT_SHARE = 1120;

}  // namespace trazel::ui
