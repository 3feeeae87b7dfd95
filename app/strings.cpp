#include "app/strings.h"

#include <QCoreApplication>
#include <map>

#include "app/resource.h"

using namespace trazel::ui;

namespace trazel::app {

namespace {

const std::map<int, const char*>& StringTable() {
    static const std::map<int, const char*> table = [] {
        std::map<int, const char*> t = {
            {IDR_MAINFRAME, "Trazel\n\nTrazel\n\n\nTrazel.Document\nTrazel Document"},
            {IDC_EXPORT, QT_TRANSLATE_NOOP("Strings", "Exporta datos a archivo.\nExportar")},
            {IDC_PLOT, QT_TRANSLATE_NOOP("Strings", "Representa las curvas.\nRepresentar")},
            {ID_PLOT_WINDOW,
             QT_TRANSLATE_NOOP(
                 "Strings",
                 "Muestra las curvas en una ventana grande, con zoom, leyenda e imagen\nGráfico "
                 "ampliado")},
            {ID_OVERLAY_MEASURED, QT_TRANSLATE_NOOP("Strings",
                                                    "Superpone al modelo un espectro medido (texto "
                                                    "x-y o JCAMP-DX)\nSuperponer espectro "
                                                    "medido")},
            {ID_FIND_BANDS,
             QT_TRANSLATE_NOOP(
                 "Strings",
                 "Busca las bandas del espectro medido en el intervalo de x a la vista y las añade "
                 "a la tabla\nBuscar bandas")},
            {ID_FIT_MEASURED,
             QT_TRANSLATE_NOOP(
                 "Strings",
                 "Ajusta por mínimos cuadrados las bandas de la tabla al espectro medido\nAjustar "
                 "al espectro medido")},
            {ID_COMPARE_MEASURED,
             QT_TRANSLATE_NOOP(
                 "Strings",
                 "Lleva las bandas de la tabla, tomadas como calculadas, al espectro medido con "
                 "un factor de escala, y dice qué banda es cuál\nComparar con el espectro "
                 "medido")},
            {IDC_EDIT_SELECTION,
             QT_TRANSLATE_NOOP("Strings", "Edita los datos seleccionados\nEditar selección")},
            {ID_OUTPUT_FORMAT,
             QT_TRANSLATE_NOOP("Strings",
                               "Establece el formato de los datos de salida\n Formato de salida")},
            {ID_OUTPUT_FILE,
             QT_TRANSLATE_NOOP("Strings", "Fija el archivo de salida de datos\nArchivo de salida")},
            {ID_IMPORT_BANDS,
             QT_TRANSLATE_NOOP(
                 "Strings",
                 "Añade a la tabla las bandas de un archivo de texto o JCAMP-DX\nImportar bandas")},
            {ID_QUICK_REFERENCE,
             QT_TRANSLATE_NOOP("Strings",
                               "Ayuda para utilizar el programa\nAyuda para utilizar el programa")},
            {AFX_IDS_APP_TITLE, "Trazel"},
            {AFX_IDS_IDLEMESSAGE, QT_TRANSLATE_NOOP("Strings", "Preparado")},
            {ID_FILE_NEW, QT_TRANSLATE_NOOP("Strings", "Crea un nuevo documento\nNuevo")},
            {ID_FILE_OPEN, QT_TRANSLATE_NOOP("Strings", "Abre un documento ya existente\nAbrir")},
            {ID_FILE_CLOSE, QT_TRANSLATE_NOOP("Strings", "Cierra el documento activo\nCerrar")},
            {ID_FILE_SAVE, QT_TRANSLATE_NOOP("Strings", "Guarda el documento activo\nGuardar")},
            {ID_FILE_SAVE_AS,
             QT_TRANSLATE_NOOP("Strings",
                               "Guarda el documento activo con un nuevo nombre\nGuardar como")},
            {ID_FILE_PAGE_SETUP,
             QT_TRANSLATE_NOOP("Strings", "Cambia las opciones de impresión\nPreparar página")},
            {ID_FILE_PRINT_SETUP,
             QT_TRANSLATE_NOOP(
                 "Strings",
                 "Cambia las opciones de impresora y de impresión\nConfigurar impresora")},
            {ID_FILE_PRINT, QT_TRANSLATE_NOOP("Strings", "Imprime el documento activo\nImprimir")},
            {ID_FILE_PRINT_PREVIEW,
             QT_TRANSLATE_NOOP("Strings", "Muestra páginas completas\nPresentación preliminar")},
            {ID_EDIT_CLEAR, QT_TRANSLATE_NOOP("Strings", "Borra la selección\nBorrar")},
            {ID_EDIT_CLEAR_ALL, QT_TRANSLATE_NOOP("Strings", "Borra todo\nBorrar todo")},
            {ID_EDIT_COPY,
             QT_TRANSLATE_NOOP("Strings",
                               "Copia la selección y la coloca en el portapapeles\nCopiar")},
            {ID_EDIT_CUT,
             QT_TRANSLATE_NOOP("Strings",
                               "Corta la selección y la coloca en el portapapeles\nCortar")},
            {ID_EDIT_FIND, QT_TRANSLATE_NOOP("Strings", "Buscaa el texto especificado\nBuscar")},
            {ID_EDIT_PASTE,
             QT_TRANSLATE_NOOP("Strings", "Inserta el contenido del portapapeles\nPegar")},
            {ID_EDIT_REPEAT, QT_TRANSLATE_NOOP("Strings", "Repite la última acción\nRepetir")},
            {ID_EDIT_REPLACE,
             QT_TRANSLATE_NOOP("Strings", "Reemplaza texto específico por otro texto\nReemplazar")},
            {ID_EDIT_SELECT_ALL,
             QT_TRANSLATE_NOOP("Strings", "Selecciona todo el documento\nSeleccionar todo")},
            {ID_EDIT_UNDO, QT_TRANSLATE_NOOP("Strings", "Deshace la última acción\nDeshacer")},
            {ID_EDIT_REDO,
             QT_TRANSLATE_NOOP("Strings", "Rehace la acción que acaba de deshacerse\nRehacer")},
            {ID_WINDOW_SPLIT,
             QT_TRANSLATE_NOOP("Strings", "Divide la ventana activa en secciones\nDividir")},
            {ID_APP_ABOUT,
             QT_TRANSLATE_NOOP(
                 "Strings",
                 "Muestra información del programa, número de versión y copyright\nAcerca de")},
            {ID_APP_EXIT,
             QT_TRANSLATE_NOOP("Strings",
                               "Sale de la aplicación; le pide que guarde los documentos\nSalir")},
            {ID_NEXT_PANE,
             QT_TRANSLATE_NOOP("Strings",
                               "Cambia a la siguiente sección de ventana\nSiguiente sección")},
            {ID_PREV_PANE,
             QT_TRANSLATE_NOOP("Strings",
                               "Vuelve a la sección de ventana anterior\nSección anterior")},
            {ID_INDICATOR_EXT, QT_TRANSLATE_NOOP("Strings", "EXT")},
            {ID_INDICATOR_CAPS, QT_TRANSLATE_NOOP("Strings", "MAY")},
            {ID_INDICATOR_NUM, QT_TRANSLATE_NOOP("Strings", "NUM")},
            {ID_INDICATOR_SCRL, QT_TRANSLATE_NOOP("Strings", "DESP")},
            {ID_INDICATOR_OVR, QT_TRANSLATE_NOOP("Strings", "SOB")},
            {ID_INDICATOR_REC, QT_TRANSLATE_NOOP("Strings", "GRB")},
            {ID_VIEW_TOOLBAR,
             QT_TRANSLATE_NOOP(
                 "Strings",
                 "Muestra u oculta la barra de herramientas\nAlternar Barra de herramientas")},
            {ID_VIEW_STATUS_BAR,
             QT_TRANSLATE_NOOP("Strings",
                               "Muestra u oculta la barra de estado\nAlternar Barra de estado")},
            {61184, QT_TRANSLATE_NOOP("Strings", "Cambia el tamaño de la ventana")},
            {61185, QT_TRANSLATE_NOOP("Strings", "Cambia la posición de la ventana")},
            {61186, QT_TRANSLATE_NOOP("Strings", "Reduce la ventana a un icono")},
            {61187, QT_TRANSLATE_NOOP("Strings", "Agranda la ventana al tamaño completo")},
            {61188, QT_TRANSLATE_NOOP("Strings", "Cambia a la ventana del siguiente documento")},
            {61189, QT_TRANSLATE_NOOP("Strings", "Cambia a la ventana del documento anterior")},
            {61190, QT_TRANSLATE_NOOP(
                        "Strings", "Cierra la ventana activa y le pide que guarde los documentos")},
            {61202, QT_TRANSLATE_NOOP("Strings", "Restaura la ventana a su tamaño normal")},
            {61203, QT_TRANSLATE_NOOP("Strings", "Activa la lista de tareas")},
            {AFX_IDS_PREVIEW_CLOSE,
             QT_TRANSLATE_NOOP(
                 "Strings",
                 "Cierra el modo de presentación preliminar\nCancelar presentación preliminar")},
        };
        for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE16; ++id) {
            t[id] = QT_TRANSLATE_NOOP("Strings", "Abre este documento");
        }
        return t;
    }();
    return table;
}

}  // namespace

QString LoadString(int id) {
    const auto& table = StringTable();
    const auto it = table.find(id);
    // The texts left unmarked, the program's name and its document type,
    // come back as they are: they name its settings and files.
    return it == table.end() ? QString() : QCoreApplication::translate("Strings", it->second);
}

QString CommandPrompt(int id) {
    return LoadString(id).section(QLatin1Char('\n'), 0, 0);
}

QString CommandToolTip(int id) {
    const QString text = LoadString(id);
    const auto lineFeed = text.indexOf(QLatin1Char('\n'));
    return lineFeed < 0 ? QString() : text.mid(lineFeed + 1);
}

}  // namespace trazel::app
