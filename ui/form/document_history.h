#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>

#include "document/trazel_doc.h"

namespace trazel::ui {

// The undo history of a document: its peak table and its analysis together,
// in one stack, so that "Deshacer" takes back a fit's bands and its baseline
// as one step, and a measured spectrum loaded between two table changes in
// its turn. An operation runs through Record, which keeps a step holding the
// document before and after it when it changed the table or the analysis;
// undo and redo put one of the two back through the document. The measured
// points are shared by the steps, not copied. The modified flag of the
// operations themselves is theirs; a step undone or redone marks the document
// modified, unless it brings back the state last saved or opened (the stack's
// clean state).
//
// Whoever shows the document follows changed: once for each step recorded,
// undone or redone, with everything the step touched, however many changes
// of the document it took; and once for each change made outside a step (a
// new or opened document).
class DocumentHistory : public QObject {
    Q_OBJECT

  public:
    explicit DocumentHistory(document::CTrazelDoc& document, QObject* parent = nullptr);
    ~DocumentHistory() override;

    // Runs an operation on the document; a step named text is kept when the
    // table or the analysis afterwards differs from before.
    void Record(const QString& text, const std::function<void()>& operation);

    void Undo();
    void Redo();

    // The document is the one last saved or opened.
    void SetClean();
    // A new or opened document starts with no history.
    void Reset();

    QUndoStack& Stack() { return stack_; }

  signals:
    void changed(document::DocumentChange what);

  private:
    // Runs work with the document's changes held back, then tells them as one.
    void AsOneChange(const std::function<void()>& work);
    void AfterStep();

    document::CTrazelDoc& document_;
    QUndoStack stack_;
    int holding_ = 0;
    document::DocumentChange held_ = document::DocumentChange::None;
};

}  // namespace trazel::ui
