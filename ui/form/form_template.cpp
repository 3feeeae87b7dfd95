#include "ui/form/form_template.h"

#include <QCoreApplication>

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

namespace trazel::ui {

namespace {

using K = ControlKind;

const ControlTemplate kControls[] = {
    {0, K::Label, QT_TRANSLATE_NOOP("Form", "&Centro de la banda"), 6, 46, 66, 9},
    {IDC_POSITION, K::Edit, "", 17, 57, 40, 12},
    {0, K::Label, QT_TRANSLATE_NOOP("Form", "&Intensidad"), 81, 46, 35, 9},
    {IDC_INTENSITY, K::Edit, "", 75, 57, 40, 12},
    {0, K::Label, QT_TRANSLATE_NOOP("Form", "&Anchura"), 140, 46, 28, 9},
    {IDC_WIDTH, K::Edit, "", 133, 57, 40, 12},
    {IDC_ADD_PEAK, K::DefaultButton, QT_TRANSLATE_NOOP("Form", "Introducir"), 182, 57, 36, 14},
    {0, K::Label, QT_TRANSLATE_NOOP("Form", "&Escala"), 231, 47, 22, 8},
    {IDC_SCALE, K::Edit, "", 225, 57, 40, 12},
    {0, K::Label, QT_TRANSLATE_NOOP("Form", "x &mínimo"), 301, 21, 29, 8},
    {IDC_X_MIN, K::Edit, "", 337, 21, 40, 14},
    {0, K::Label, QT_TRANSLATE_NOOP("Form", "y mí&nimo"), 301, 36, 29, 8},
    {IDC_Y_MIN, K::Edit, "", 337, 36, 40, 14},
    {0, K::Label, QT_TRANSLATE_NOOP("Form", "x má&ximo"), 385, 21, 30, 8},
    {IDC_X_MAX, K::Edit, "", 423, 21, 40, 14},
    {0, K::Label, QT_TRANSLATE_NOOP("Form", "&y máximo"), 385, 36, 30, 8},
    {IDC_Y_MAX, K::Edit, "", 423, 36, 40, 14},
    {IDC_GAUSSIAN, K::Radio, QT_TRANSLATE_NOOP("Form", "Representación &Gaussiana"), 287, 53, 101,
     10},
    {IDC_LORENTZIAN, K::Radio, QT_TRANSLATE_NOOP("Form", "Representación &Lorentziana"), 287, 63,
     105, 10},
    {IDC_JOIN_POINTS, K::Check, QT_TRANSLATE_NOOP("Form", "&Unir puntos"), 398, 54, 52, 10},
    {IDC_USE_SCALED, K::Check, QT_TRANSLATE_NOOP("Form", "Usar valores escalados"), 398, 64, 89,
     10},
    {IDC_PLOT, K::Button, QT_TRANSLATE_NOOP("Form", "&Representar"), 389, 79, 50, 14},
    {IDC_EXPORT, K::Button, QT_TRANSLATE_NOOP("Form", "Ex&portar"), 327, 79, 50, 14},
    {IDC_UNIQUE_WIDTH_ON, K::Check, QT_TRANSLATE_NOOP("Form", "&Única Anchura:"), 145, 12, 65, 10},
    {IDC_UNIQUE_WIDTH, K::Edit, "", 212, 12, 52, 12, true},
    {IDC_CLEAR_ALL, K::Button, QT_TRANSLATE_NOOP("Form", "&Borrar todo"), 220, 113, 58, 14},
    {IDC_DELETE_SELECTION, K::Button, QT_TRANSLATE_NOOP("Form", "Borrar Selección"), 220, 130, 58,
     14},
    {IDC_SHOW_CURVES, K::Button, QT_TRANSLATE_NOOP("Form", "Ver curvas"), 220, 145, 58, 14},
    {IDC_EDIT_SELECTION, K::Button, QT_TRANSLATE_NOOP("Form", "Editar Selección"), 220, 162, 58,
     14},
    {IDC_SCALE_SELECTION, K::Button, QT_TRANSLATE_NOOP("Form", "Escalar Selección"), 220, 74, 58,
     14},
    {IDC_ASSIGN_WIDTH, K::Button, QT_TRANSLATE_NOOP("Form", "Asignar"), 145, 24, 50, 14, true},
    {IDC_PEAK_LIST, K::List, "", 6, 74, 212, 188},
    {0, K::Group, QT_TRANSLATE_NOOP("Form", "Gráfico"), 279, 6, 209, 106},
    {0, K::Picture, "", 20, 12, 20, 20},
    {IDC_PROGRESS, K::Progress, "", 285, 98, 197, 10},
    {IDC_LABEL_X_MIN, K::Label, "", 275, 247, 27, 8},
    {IDC_LABEL_X, K::Label, "", 359, 247, 8, 8},
    {IDC_LABEL_X_MAX, K::Label, "", 439, 247, 27, 8},
    {IDC_LABEL_Y_MIN, K::Label, "", 453, 236, 25, 8},
    {IDC_LABEL_Y, K::Label, "", 453, 181, 8, 8},
    {IDC_LABEL_Y_MAX, K::Label, "", 453, 121, 25, 8},
};

}  // namespace

const DialogTemplate kFormTemplate{"", 495, 269, kControls, false, "Form"};

std::array<std::pair<int, std::string>, 6> GraphLabelControls(const GraphLabels& labels) {
    return {{
        {IDC_LABEL_X_MIN, labels.xMin},
        {IDC_LABEL_X_MAX, labels.xMax},
        {IDC_LABEL_Y_MIN, labels.yMin},
        {IDC_LABEL_Y_MAX, labels.yMax},
        {IDC_LABEL_X, labels.x},
        {IDC_LABEL_Y, labels.y},
    }};
}

}  // namespace trazel::ui
