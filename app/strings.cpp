#include "app/strings.h"

#include <map>

#include "app/resource.h"

using namespace trazel::ui;

namespace trazel::app {

namespace {

const std::map<int, const char*>& StringTable() {
    static const std::map<int, const char*> table = [] {
        std::map<int, const char*> t = {
            {IDR_MAINFRAME, "Trazel\n\nTrazel\n\n\nTrazel.Document\nTrazel Document"},
            {IDC_EXPORT, "Exporta datos a archivo.\nExportar"},
            {IDC_PLOT, "Representa las curvas.\nRepresentar"},
            {ID_PLOT_WINDOW,
             "Muestra las curvas en una ventana grande, con zoom, leyenda e imagen\nGráfico "
             "ampliado"},
            {ID_OVERLAY_MEASURED,
             "Superpone al modelo un espectro medido (texto x-y o JCAMP-DX)\nSuperponer espectro "
             "medido"},
            {ID_FIND_BANDS,
             "Busca las bandas del espectro medido en el intervalo de x a la vista y las añade "
             "a la tabla\nBuscar bandas"},
            {ID_FIT_MEASURED,
             "Ajusta por mínimos cuadrados las bandas de la tabla al espectro medido\nAjustar "
             "al espectro medido"},
            {IDC_EDIT_SELECTION, "Edita los datos seleccionados\nEditar selección"},
            {ID_OUTPUT_FORMAT, "Establece el formato de los datos de salida\n Formato de salida"},
            {ID_OUTPUT_FILE, "Fija el archivo de salida de datos\nArchivo de salida"},
            {ID_IMPORT_BANDS,
             "Añade a la tabla las bandas de un archivo de texto o JCAMP-DX\nImportar bandas"},
            {ID_QUICK_REFERENCE,
             "Ayuda para utilizar el programa\nAyuda para utilizar el programa"},
            {AFX_IDS_APP_TITLE, "Trazel"},
            {AFX_IDS_IDLEMESSAGE, "Preparado"},
            {ID_FILE_NEW, "Crea un nuevo documento\nNuevo"},
            {ID_FILE_OPEN, "Abre un documento ya existente\nAbrir"},
            {ID_FILE_CLOSE, "Cierra el documento activo\nCerrar"},
            {ID_FILE_SAVE, "Guarda el documento activo\nGuardar"},
            {ID_FILE_SAVE_AS, "Guarda el documento activo con un nuevo nombre\nGuardar como"},
            {ID_FILE_PAGE_SETUP, "Cambia las opciones de impresión\nPreparar página"},
            {ID_FILE_PRINT_SETUP,
             "Cambia las opciones de impresora y de impresión\nConfigurar impresora"},
            {ID_FILE_PRINT, "Imprime el documento activo\nImprimir"},
            {ID_FILE_PRINT_PREVIEW, "Muestra páginas completas\nPresentación preliminar"},
            {ID_EDIT_CLEAR, "Borra la selección\nBorrar"},
            {ID_EDIT_CLEAR_ALL, "Borra todo\nBorrar todo"},
            {ID_EDIT_COPY, "Copia la selección y la coloca en el portapapeles\nCopiar"},
            {ID_EDIT_CUT, "Corta la selección y la coloca en el portapapeles\nCortar"},
            {ID_EDIT_FIND, "Buscaa el texto especificado\nBuscar"},
            {ID_EDIT_PASTE, "Inserta el contenido del portapapeles\nPegar"},
            {ID_EDIT_REPEAT, "Repite la última acción\nRepetir"},
            {ID_EDIT_REPLACE, "Reemplaza texto específico por otro texto\nReemplazar"},
            {ID_EDIT_SELECT_ALL, "Selecciona todo el documento\nSeleccionar todo"},
            {ID_EDIT_UNDO, "Deshace la última acción\nDeshacer"},
            {ID_EDIT_REDO, "Rehace la acción que acaba de deshacerse\nRehacer"},
            {ID_WINDOW_SPLIT, "Divide la ventana activa en secciones\nDividir"},
            {ID_APP_ABOUT,
             "Muestra información del programa, número de versión y copyright\nAcerca de"},
            {ID_APP_EXIT, "Sale de la aplicación; le pide que guarde los documentos\nSalir"},
            {ID_NEXT_PANE, "Cambia a la siguiente sección de ventana\nSiguiente sección"},
            {ID_PREV_PANE, "Vuelve a la sección de ventana anterior\nSección anterior"},
            {ID_INDICATOR_EXT, "EXT"},
            {ID_INDICATOR_CAPS, "MAY"},
            {ID_INDICATOR_NUM, "NUM"},
            {ID_INDICATOR_SCRL, "DESP"},
            {ID_INDICATOR_OVR, "SOB"},
            {ID_INDICATOR_REC, "GRB"},
            {ID_VIEW_TOOLBAR,
             "Muestra u oculta la barra de herramientas\nAlternar Barra de herramientas"},
            {ID_VIEW_STATUS_BAR, "Muestra u oculta la barra de estado\nAlternar Barra de estado"},
            {61184, "Cambia el tamaño de la ventana"},
            {61185, "Cambia la posición de la ventana"},
            {61186, "Reduce la ventana a un icono"},
            {61187, "Agranda la ventana al tamaño completo"},
            {61188, "Cambia a la ventana del siguiente documento"},
            {61189, "Cambia a la ventana del documento anterior"},
            {61190, "Cierra la ventana activa y le pide que guarde los documentos"},
            {61202, "Restaura la ventana a su tamaño normal"},
            {61203, "Activa la lista de tareas"},
            {AFX_IDS_PREVIEW_CLOSE,
             "Cierra el modo de presentación preliminar\nCancelar presentación preliminar"},
        };
        for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE16; ++id) {
            t[id] = "Abre este documento";
        }
        return t;
    }();
    return table;
}

}  // namespace

QString LoadString(int id) {
    const auto& table = StringTable();
    const auto it = table.find(id);
    return it == table.end() ? QString() : QString::fromUtf8(it->second);
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
