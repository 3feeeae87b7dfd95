#include "ui/dialogs/information_dialogs.h"

#include <QCoreApplication>

#include "platform/qt/modal_dialogs.h"

using namespace trazel::platform;

namespace trazel::ui {

namespace {

using K = ControlKind;

// Template 100. The lines of the version history run to the right edge of
// their group box: a line that opens a version starts at x 19, one that
// continues it at x 38. The maker's lines are left out.
const ControlTemplate kVersionInfoControls[] = {
    {0, K::Icon, "", 11, 17, 21, 20},
    {0, K::Label, QT_TRANSLATE_NOOP("AboutDialog", "Trazel Versión 1.4.0"), 40, 9, 65, 8},
    {0, K::Label, QT_TRANSLATE_NOOP("AboutDialog", "16-Octubre-2001"), 113, 9, 54, 8},
    {IDOK, K::DefaultButton, QT_TRANSLATE_NOOP("AboutDialog", "Aceptar"), 275, 21, 50, 14},
    {0, K::Group, QT_TRANSLATE_NOOP("AboutDialog", "Mejoras de la versión"), 7, 94, 312, 162},
    {0, K::Label, QT_TRANSLATE_NOOP("AboutDialog", "v1.1- Soporte para impresión."), 19, 105, 296,
     8},
    {0, K::Label, QT_TRANSLATE_NOOP("AboutDialog", "v1.1.1- Opción \"unir puntos\""), 19, 114, 296,
     8},
    {0, K::Label,
     QT_TRANSLATE_NOOP("AboutDialog", "v1.2- Posibilidad de cambiar la resolución de salida. "), 19,
     123, 296, 8},
    {0, K::Label,
     QT_TRANSLATE_NOOP("AboutDialog", "Modificación del soporte para impresión: medidas en cm."),
     38, 132, 277, 8},
    {0, K::Label, QT_TRANSLATE_NOOP("AboutDialog", "Marcas de división en las gráficas."), 38, 141,
     277, 8},
    {0, K::Label, QT_TRANSLATE_NOOP("AboutDialog", "Opción de edición de la selección."), 38, 150,
     277, 8},
    {0, K::Label,
     QT_TRANSLATE_NOOP("AboutDialog", "Asignación de anchura única a selección o totalidad."), 38,
     159, 277, 8},
    {0, K::Label,
     QT_TRANSLATE_NOOP("AboutDialog",
                       "Solución de un pequeño bug en la barra de progreso de Exportar"),
     38, 168, 277, 8},
    {0, K::Label,
     QT_TRANSLATE_NOOP("AboutDialog", "v1.3- Posibilidad de representar curvas por separado."), 19,
     177, 296, 8},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "AboutDialog",
         "Posibilidad de modificar anchura o intensidad manteniendo el área constante."),
     38, 186, 277, 8},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "AboutDialog",
         "v1.3.1- Botón \"Ver curvas\" y otras pequeñas modificaciones en los controles."),
     19, 195, 296, 8},
    {0, K::Label, QT_TRANSLATE_NOOP("AboutDialog", "v1.4- Permite utilizar máximos escalados:"), 19,
     204, 296, 8},
    {0, K::Label,
     QT_TRANSLATE_NOOP("AboutDialog",
                       "Asignación de una escala por la que se multiplica la posición del Máximo"),
     38, 213, 277, 8},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "AboutDialog",
         "Manipulación del valor de escala uno a uno o varios Máximos simultáneamente "),
     38, 222, 277, 8},
    {0, K::Label,
     QT_TRANSLATE_NOOP("AboutDialog",
                       "Opción de Representar los valores escalados o los no escalados"),
     38, 231, 277, 8},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "AboutDialog",
         "Modificación en la interfaz y en la impresión para reflejar la escala y el máximo "
         "escalado"),
     38, 240, 277, 8},
};

const DialogTemplate kVersionInfoTemplate{QT_TRANSLATE_NOOP("AboutDialog", "Acerca de Trazel"),
                                          332,
                                          263,
                                          kVersionInfoControls,
                                          true,
                                          "AboutDialog"};

// Template 132.
const ControlTemplate kQuickReferenceControls[] = {
    {0, K::Icon, "", 147, 7, 21, 20},
    {0, K::Label, QT_TRANSLATE_NOOP("QuickReference", "Trazel 1.3.1, Referencia Rápida"), 174, 15,
     104, 8},
    {0, K::Frame, "", 6, 29, 412, 13},
    {0, K::Label,
     QT_TRANSLATE_NOOP("QuickReference",
                       "Este programa calcula y dibuja sumas de Gaussianas o Lorentzianas."),
     9, 30, 218, 8},
    {0, K::Frame, "", 6, 46, 412, 87},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "QuickReference",
         "Para ello requiere que se le introduzcan datos referidos a la posición del máximo, "
         "intensidad en este y anchura de cada una:"),
     9, 47, 390, 8},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "QuickReference",
         "-Introduzca los datos requeridos en las casillas correspondientes, utilice el ratón o "
         "las "
         "teclas TAB e INTRO para pasar de una casilla a otra y para introducir los datos en el "
         "programa respectivamente. "),
     14, 54, 392, 19},
    {0, K::Label,
     QT_TRANSLATE_NOOP("QuickReference",
                       "-Puede utilizar los botones \"borrar todo\" y \"borrar selección\" para "
                       "eliminar datos de "
                       "la tabla. Si decide hacer una selección recuerde que bastará con que "
                       "marque los elementos "
                       "deseados en la columna \"máximo\". "),
     14, 72, 377, 18},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "QuickReference",
         "-Puede modificar los datos seleccionándolos y pulsando sobre \"Editar selección\", o "
         "modificar la anchura de los datos seleccionados, o de todos si no ha seleccionado "
         "ninguno, mediante el botón \"Asignar\"."),
     14, 89, 397, 17},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "QuickReference",
         "-Puede fijar los valores entre los que se representará la suma de funciones modificando "
         "las casillas correspondientes a los máximos y mínimos de x e y. (Los límites para y no "
         "son considerados cuando se exportan datos)."),
     14, 107, 371, 17},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "QuickReference",
         "-Utilice el botón \"Representar\" para obtener en la ventana del programa el gráfico "
         "resultado de la suma de funciones."),
     14, 124, 369, 8},
    {0, K::Frame, "", 6, 138, 412, 82},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "QuickReference",
         "-Utilice \"Exportar\" para crear un archivo de texto con los valores de x e y resultado "
         "de la suma de funciones en el intervalo de x señalado (también se procederá a la "
         "representación)."),
     14, 140, 339, 16},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "QuickReference",
         "-Puede modificar las opciones de salida del comando Exportar, así como el archivo de "
         "salida desde el menú Formato."),
     14, 158, 369, 8},
    {0, K::Label,
     QT_TRANSLATE_NOOP("QuickReference",
                       "*Los archivos de salida han sido pensados para representar el gráfico "
                       "deseado en una hoja "
                       "de cálculo más potente. "),
     44, 169, 344, 17},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "QuickReference",
         "*Se ha diseñado el  programa para que sólo de 250 valores de x, adecuándose el intervalo "
         "para que los puntos estén igualmente separados entre los valores extremos de x, aunque "
         "esto es modificable desde este menú."),
     44, 186, 350, 16},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "QuickReference",
         "*La separación entre columnas en el archivo de texto es un espacio en blanco."),
     44, 202, 344, 8},
    {0, K::Label,
     QT_TRANSLATE_NOOP("QuickReference",
                       "*El archivo por defecto al que se exportarán los datos es \"datos.txt\"."),
     44, 210, 216, 8},
    {0, K::Frame, "", 6, 224, 412, 19},
    {0, K::Label,
     QT_TRANSLATE_NOOP("QuickReference",
                       "Mediante el menú archivo podrá abrir o guardar documentos conteniendo "
                       "valores de máximos, "
                       "intensidades y anchuras."),
     9, 226, 377, 8},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "QuickReference",
         "La resolución con la que se exporta o se imprime se selecciona desde el menú Formato"),
     9, 234, 274, 8},
    {0, K::Label,
     QT_TRANSLATE_NOOP("QuickReference",
                       "Aún no estan operativas las funciones de edición(cortar/copiar/pegar)."),
     9, 243, 224, 8},
    {IDOK, K::DefaultButton, QT_TRANSLATE_NOOP("QuickReference", "Aceptar"), 188, 252, 50, 14},
};

const DialogTemplate kQuickReferenceTemplate{QT_TRANSLATE_NOOP("QuickReference", "Ayuda"),
                                             425,
                                             273,
                                             kQuickReferenceControls,
                                             true,
                                             "QuickReference"};

}  // namespace

CVersionInfoDlg::CVersionInfoDlg(const Services& services, QWidget* owner)
    : TemplateDialog(kVersionInfoTemplate, services, owner) {}

CQuickReferenceDlg::CQuickReferenceDlg(const Services& services, QWidget* owner)
    : TemplateDialog(kQuickReferenceTemplate, services, owner) {}

void ShowAboutBox(QWidget* owner, const Services& services) {
    CVersionInfoDlg dialog(services, owner);
    RunModal(dialog);
}

void ShowQuickReference(QWidget* owner, const Services& services) {
    CQuickReferenceDlg dialog(services, owner);
    RunModal(dialog);
}

}  // namespace trazel::ui
