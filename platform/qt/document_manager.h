#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <string>

#include "platform/qt/services.h"
#include "platform/status.h"

class QWidget;

namespace trazel::platform {

class CDocument;
class RecentFileList;

// Moves a document's content to and from files. A failure's message is for
// the user; a failed load leaves the content as it was.
class DocumentStorage {
  public:
    virtual ~DocumentStorage() = default;
    virtual Status Load(const std::string& path) = 0;
    virtual Status Save(const std::string& path) = 0;
    // What to ask the user before a save that would lose something the file
    // held; empty when a save loses nothing.
    virtual QString SaveQuestion() const { return {}; }
};

// The single-document commands: New, Open, Save, Save As, the recent files
// and the question whether to save a modified document before it is replaced
// or the program ends. One document object serves the whole run.
class DocumentManager : public QObject {
    Q_OBJECT

  public:
    // Asks the user through services.
    DocumentManager(CDocument& document, DocumentStorage& storage, RecentFileList& recent,
                    QString appTitle, const Services& services);

    // The window that owns the dialogs and shows the caption.
    void SetFrame(QWidget* frame) { frame_ = frame; }

    // Each returns whether it did its work; false when the user cancelled or
    // a file could not be read or written (the user has been told).
    bool OnFileNew();
    bool OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    bool OnOpenRecentFile(int index);
    // Opens path after asking about a modified document. The path is the
    // bytes the file system knows the file by: a name that is not UTF-8 does
    // not survive a trip through QString.
    bool OpenDocumentFile(const std::string& path);
    bool OpenDocumentFile(const QString& path);

    // Asks whether to save a modified document. False means: leave it, the
    // user cancelled or the save failed.
    bool SaveModified();

    // "<document title> - Trazel".
    QString Caption() const;

  signals:
    // A new document was made or one was opened: the view starts afresh.
    void DocumentReplaced();
    void CaptionChanged(const QString& caption);
    void RecentFilesChanged();
    // The document was written to its file: its content is now the file's.
    void DocumentSaved();

  private:
    bool LoadDocument(const std::string& path);
    bool DoSave(const std::string& path);
    // The document now is the file it was read from or written to.
    void TakeFile(const std::string& file);
    void UpdateCaption();

    CDocument& document_;
    DocumentStorage& storage_;
    RecentFileList& recent_;
    QString appTitle_;
    Services services_;
    QWidget* frame_ = nullptr;
};

}  // namespace trazel::platform
