#include "app/toolbar_images.h"

#include <utility>

#include "app/resource.h"

using namespace trazel::ui;

// The resources live in a static library, whose registration the linker would
// otherwise drop. Outside every namespace: the macro declares the
// registration function, which rcc defines in the global namespace.
static void RegisterResources() {
    Q_INIT_RESOURCE(trazel);
}

namespace trazel::app {

namespace {

// Toolbar 128: the picture file of each command in app/resources/toolbar/.
const std::pair<int, const char*> kToolbarFiles[] = {
    {ID_FILE_NEW, "new"},
    {ID_FILE_OPEN, "open"},
    {ID_FILE_SAVE, "save"},
    {ID_EDIT_CUT, "cut"},
    {ID_EDIT_COPY, "copy"},
    {ID_EDIT_PASTE, "paste"},
    {ID_FILE_PRINT, "print"},
    {ID_OUTPUT_FORMAT, "output-format"},
    {ID_OUTPUT_FILE, "output-file"},
    {IDC_EXPORT, "export"},
    {IDC_EDIT_SELECTION, "edit-selection"},
    {IDC_PLOT, "plot"},
    {ID_APP_ABOUT, "about"},
};

}  // namespace

QPixmap ToolbarImage(int commandId) {
    RegisterResources();
    for (const auto& [id, file] : kToolbarFiles) {
        if (id == commandId) {
            return QPixmap(QStringLiteral(":/trazel/toolbar/%1.png").arg(QLatin1StringView(file)));
        }
    }
    return QPixmap();
}

QIcon ApplicationIcon() {
    RegisterResources();
    return QIcon(QStringLiteral(":/trazel/trazel.svg"));
}

}  // namespace trazel::app
