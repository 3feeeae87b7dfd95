#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>

namespace trazel::model {
class CTrazelDoc;
}  // namespace trazel::model

namespace trazel::ui {

// The undo history of the peak table. An operation runs through Record, which
// keeps a step holding the table before and after it, when it changed the
// table; undo and redo put one of the two back through the document and then
// let the list follow. The modified flag of the operations themselves is
// theirs; a step undone or redone marks the document modified, unless it
// brings back the table last saved or opened (the stack's clean state).
class TableHistory : public QObject {
    Q_OBJECT

  public:
    // shown runs after every undo and redo, to show the table again.
    TableHistory(model::CTrazelDoc& document, std::function<void()> shown,
                 QObject* parent = nullptr);

    // Runs an operation on the document; a step named text is kept when the
    // table afterwards differs from the table before.
    void Record(const QString& text, const std::function<void()>& operation);

    void Undo();
    void Redo();

    // The table is the one last saved or opened.
    void SetClean();
    // A new or opened document starts with no history.
    void Reset();

    QUndoStack& Stack() { return stack_; }

  private:
    void AfterStep();

    model::CTrazelDoc& document_;
    std::function<void()> shown_;
    QUndoStack stack_;
};

}  // namespace trazel::ui
