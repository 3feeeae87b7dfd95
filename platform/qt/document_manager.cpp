#include "platform/qt/document_manager.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <filesystem>

#include "platform/document.h"
#include "platform/qt/recent_file_list.h"

namespace trazel::platform {

DocumentManager::DocumentManager(CDocument& document, DocumentStorage& storage,
                                 RecentFileList& recent, QString appTitle, const Services& services)
    : document_(document),
      storage_(storage),
      recent_(recent),
      appTitle_(std::move(appTitle)),
      services_(services) {}

QString DocumentManager::Caption() const {
    return QString::fromStdString(document_.GetTitle()) + QStringLiteral(" - ") + appTitle_;
}

void DocumentManager::UpdateCaption() {
    emit CaptionChanged(Caption());
}

bool DocumentManager::SaveModified() {
    if (!document_.IsModified()) {
        return true;
    }
    const QString question =
        QCoreApplication::translate("DocumentManager", "¿Desea guardar los cambios de %1?")
            .arg(QString::fromStdString(document_.GetTitle()));
    // Over the main window: after Open's file dialog no window is active yet.
    QWidget* parent =
        frame_ != nullptr && frame_->isVisible() ? frame_ : QApplication::activeWindow();
    switch (services_.AfxMessageBox(parent, question, MessageKind::Question,
                                    MessageButtons::YesNoCancel)) {
        case MessageAnswer::Yes:
            return OnFileSave();
        case MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

bool DocumentManager::OnFileNew() {
    if (!SaveModified()) {
        return false;
    }
    if (!document_.OnNewDocument()) {
        return false;
    }
    UpdateCaption();
    emit DocumentReplaced();
    return true;
}

bool DocumentManager::OnFileOpen() {
    const auto path = services_.Files().GetOpenFileName(
        frame_, QCoreApplication::translate("DocumentManager", "Abrir"), QString());
    if (!path) {
        return false;
    }
    // The dialog shows a name that is not UTF-8 with U+FFFD in it, and the
    // name it then gives back names no file: say so rather than "no existe".
    const std::string file = QFile::encodeName(*path).toStdString();
    if (path->contains(QChar::ReplacementCharacter) && !std::filesystem::exists(file)) {
        services_.AfxMessageBox(QCoreApplication::translate(
                                    "DocumentManager",
                                    "No se pudo abrir «%1»: el nombre del archivo tiene "
                                    "caracteres que el diálogo de archivos no puede representar. "
                                    "Ábralo con «trazel RUTA» desde la línea de órdenes, o cambie "
                                    "el nombre del archivo.")
                                    .arg(*path),
                                MessageKind::Error);
        return false;
    }
    return OpenDocumentFile(file);
}

bool DocumentManager::OpenDocumentFile(const std::string& path) {
    return SaveModified() && LoadDocument(path);
}

bool DocumentManager::OpenDocumentFile(const QString& path) {
    return OpenDocumentFile(QFile::encodeName(path).toStdString());
}

bool DocumentManager::LoadDocument(const std::string& path) {
    const std::string file = AbsoluteFilePath(path);
    if (const Status error = storage_.Load(file); !error.ok()) {
        // The storage left the content alone; the rest of the document (its
        // path, title and modified flag) is untouched as well.
        services_.AfxMessageBox(QString::fromStdString(error.message()), MessageKind::Error);
        return false;
    }
    TakeFile(file);
    emit DocumentReplaced();
    return true;
}

bool DocumentManager::OnOpenRecentFile(int index) {
    if (index < 0 || index >= recent_.Count()) {
        return false;
    }
    const std::string path = recent_.Path(index);
    if (!SaveModified()) {
        return false;
    }
    if (!LoadDocument(path)) {
        // A file that cannot be opened any more leaves the list.
        recent_.Remove(path);
        emit RecentFilesChanged();
        return false;
    }
    return true;
}

bool DocumentManager::OnFileSave() {
    if (document_.GetPathName().empty()) {
        return OnFileSaveAs();
    }
    return DoSave(document_.GetPathName());
}

bool DocumentManager::OnFileSaveAs() {
    const QString suggested = document_.GetPathName().empty()
                                  ? QString::fromStdString(document_.GetTitle())
                                  : QString::fromStdString(document_.GetPathName());
    const auto path = services_.Files().GetSaveFileName(
        frame_, QCoreApplication::translate("DocumentManager", "Guardar como"), suggested);
    if (!path) {
        return false;
    }
    return DoSave(QFile::encodeName(*path).toStdString());
}

bool DocumentManager::DoSave(const std::string& path) {
    const std::string file = AbsoluteFilePath(path);
    if (const QString question = storage_.SaveQuestion(); !question.isEmpty()) {
        if (services_.AfxMessageBox(frame_, question, MessageKind::Question,
                                    MessageButtons::YesNo) != MessageAnswer::Yes) {
            return false;
        }
    }
    if (const Status error = storage_.Save(file); !error.ok()) {
        services_.AfxMessageBox(QString::fromStdString(error.message()), MessageKind::Error);
        return false;
    }
    TakeFile(file);
    emit DocumentSaved();
    return true;
}

void DocumentManager::TakeFile(const std::string& file) {
    document_.SetPathName(file);
    document_.SetModifiedFlag(false);
    recent_.Add(file);
    emit RecentFilesChanged();
    UpdateCaption();
}

}  // namespace trazel::platform
