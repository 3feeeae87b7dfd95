#include "ui/table_history.h"

#include <QUndoCommand>

#include "model/trazel_doc.h"

using namespace trazel::model;

namespace trazel::ui {

namespace {

// One change of the table, kept whole: the table is a few kilobytes, and a
// whole copy is right for every operation without a rule of its own.
class TableStep : public QUndoCommand {
  public:
    TableStep(CTrazelDoc& document, const QString& text, const PeakTable& before,
              const PeakTable& after)
        : QUndoCommand(text), document_(document), before_(before), after_(after) {}

    void undo() override { document_.SetTable(before_); }
    void redo() override {
        // The stack runs redo as the step is pushed, when the operation has
        // already made the change.
        if (pushed_) {
            document_.SetTable(after_);
        }
        pushed_ = true;
    }

  private:
    CTrazelDoc& document_;
    PeakTable before_;
    PeakTable after_;
    bool pushed_ = false;
};

}  // namespace

TableHistory::TableHistory(CTrazelDoc& document, std::function<void()> shown, QObject* parent)
    : QObject(parent), document_(document), shown_(std::move(shown)) {}

void TableHistory::Record(const QString& text, const std::function<void()>& operation) {
    const PeakTable before = document_.Table();
    operation();
    if (!SameBands(before, document_.Table())) {
        stack_.push(new TableStep(document_, text, before, document_.Table()));
    }
}

void TableHistory::Undo() {
    if (stack_.canUndo()) {
        stack_.undo();
        AfterStep();
    }
}

void TableHistory::Redo() {
    if (stack_.canRedo()) {
        stack_.redo();
        AfterStep();
    }
}

void TableHistory::AfterStep() {
    document_.SetModifiedFlag(!stack_.isClean());
    if (shown_) {
        shown_();
    }
}

void TableHistory::SetClean() {
    stack_.setClean();
}

void TableHistory::Reset() {
    stack_.clear();
    stack_.setClean();
}

}  // namespace trazel::ui
