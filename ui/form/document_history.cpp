#include "ui/form/document_history.h"

#include <QUndoCommand>

using namespace trazel::analysis;
using namespace trazel::document;

namespace trazel::ui {

namespace {

// One change of the document, kept whole: the table is a few kilobytes, the
// analysis a few values and a pointer to the measured points, and a whole
// copy is right for every operation without a rule of its own.
class DocumentStep : public QUndoCommand {
  public:
    DocumentStep(CTrazelDoc& document, const QString& text, DocumentState before,
                 DocumentState after)
        : QUndoCommand(text),
          document_(document),
          before_(std::move(before)),
          after_(std::move(after)) {}

    void undo() override { document_.Restore(before_); }
    void redo() override {
        // The stack runs redo as the step is pushed, when the operation has
        // already made the change.
        if (pushed_) {
            document_.Restore(after_);
        }
        pushed_ = true;
    }

  private:
    CTrazelDoc& document_;
    DocumentState before_;
    DocumentState after_;
    bool pushed_ = false;
};

}  // namespace

DocumentHistory::DocumentHistory(CTrazelDoc& document, QObject* parent)
    : QObject(parent), document_(document) {
    document_.Listen(this, [this](DocumentChange change) {
        if (holding_ > 0) {
            held_ = held_ | change;
        } else {
            emit changed(change);
        }
    });
}

DocumentHistory::~DocumentHistory() {
    document_.StopListening(this);
}

void DocumentHistory::AsOneChange(const std::function<void()>& work) {
    ++holding_;
    try {
        work();
    } catch (...) {
        --holding_;
        throw;
    }
    if (--holding_ == 0 && held_ != DocumentChange::None) {
        emit changed(std::exchange(held_, DocumentChange::None));
    }
}

void DocumentHistory::Record(const QString& text, const std::function<void()>& operation) {
    AsOneChange([&] {
        DocumentState before = document_.State();
        const auto changes = document_.AnalysisChanges();
        operation();
        const bool analysisChanged = changes != document_.AnalysisChanges();
        if (!SameBands(before.table, document_.Table()) || analysisChanged) {
            stack_.push(new DocumentStep(document_, text, std::move(before), document_.State()));
        }
        // The analysis is saved with the document, so a change of it is one
        // to save; the table's own operations keep their rule for the flag.
        if (analysisChanged) {
            document_.SetModifiedFlag(true);
        }
    });
}

void DocumentHistory::Undo() {
    if (stack_.canUndo()) {
        AsOneChange([this] {
            stack_.undo();
            AfterStep();
        });
    }
}

void DocumentHistory::Redo() {
    if (stack_.canRedo()) {
        AsOneChange([this] {
            stack_.redo();
            AfterStep();
        });
    }
}

void DocumentHistory::AfterStep() {
    document_.SetModifiedFlag(!stack_.isClean());
}

void DocumentHistory::SetClean() {
    stack_.setClean();
}

void DocumentHistory::Reset() {
    stack_.clear();
    stack_.setClean();
}

}  // namespace trazel::ui
