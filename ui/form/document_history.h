#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>

namespace trazel::analysis {
class CAnalysisDoc;
}  // namespace trazel::analysis

namespace trazel::ui {

// The undo history of a document: its peak table and its analysis together,
// in one stack, so that "Deshacer" takes back a fit's bands and its baseline
// as one step, and a measured spectrum loaded between two table changes in
// its turn. An operation runs through Record, which keeps a step holding the
// document before and after it when it changed the table or the analysis;
// undo and redo put one of the two back through the document and then let
// the list follow. The measured points are shared by the steps, not copied.
// The modified flag of the operations themselves is theirs; a step undone or
// redone marks the document modified, unless it brings back the state last
// saved or opened (the stack's clean state).
class DocumentHistory : public QObject {
    Q_OBJECT

  public:
    // shown runs after every undo and redo, to show the table again.
    DocumentHistory(analysis::CAnalysisDoc& document, std::function<void()> shown,
                    QObject* parent = nullptr);

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

  private:
    void AfterStep();

    analysis::CAnalysisDoc& document_;
    std::function<void()> shown_;
    QUndoStack stack_;
};

}  // namespace trazel::ui
