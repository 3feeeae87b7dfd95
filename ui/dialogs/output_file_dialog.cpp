#include "ui/dialogs/output_file_dialog.h"

#include <QCoreApplication>
#include <QFile>

#include "platform/qt/services.h"

using namespace trazel::platform;

namespace trazel::ui {

bool RunOutputFile(std::string& outputPath, QWidget* owner, const Services& services) {
    const FileType textFiles{
        QCoreApplication::translate("OutputFileDialog", "Archivos de texto(.txt)"),
        QStringLiteral("*.txt"), QStringLiteral("txt")};
    // Paths are bytes to the file system; the export opens the very bytes
    // that are stored here.
    const auto chosen = services.Files().GetSaveFileNameOfType(
        owner, QCoreApplication::translate("OutputFileDialog", "Guardar como"),
        QFile::decodeName(outputPath.c_str()), textFiles);
    if (!chosen) {
        return false;
    }
    outputPath = QFile::encodeName(*chosen).toStdString();
    return true;
}

}  // namespace trazel::ui
