#include "ui/form/document_history.h"

#include <QUndoCommand>

#include "analysis/analysis_doc.h"

using namespace trazel::analysis;

namespace trazel::ui {

namespace {

// One change of the document, kept whole: the table is a few kilobytes, the
// analysis a few values and a pointer to the measured points, and a whole
// copy is right for every operation without a rule of its own.
class DocumentStep : public QUndoCommand {
  public:
    DocumentStep(CAnalysisDoc& document, const QString& text, DocumentState before,
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
    CAnalysisDoc& document_;
    DocumentState before_;
    DocumentState after_;
    bool pushed_ = false;
};

}  // namespace

DocumentHistory::DocumentHistory(CAnalysisDoc& document, std::function<void()> shown,
                                 QObject* parent)
    : QObject(parent), document_(document), shown_(std::move(shown)) {}

void DocumentHistory::Record(const QString& text, const std::function<void()>& operation) {
    DocumentState before = document_.State();
    const auto changes = document_.AnalysisChanges();
    operation();
    const bool analysisChanged = changes != document_.AnalysisChanges();
    if (!SameBands(before.table, document_.Table()) || analysisChanged) {
        stack_.push(new DocumentStep(document_, text, std::move(before), document_.State()));
    }
    // The analysis is saved with the document, so a change of it is one to
    // save; the table's own operations keep their rule for the flag.
    if (analysisChanged) {
        document_.SetModifiedFlag(true);
    }
}

void DocumentHistory::Undo() {
    if (stack_.canUndo()) {
        stack_.undo();
        AfterStep();
    }
}

void DocumentHistory::Redo() {
    if (stack_.canRedo()) {
        stack_.redo();
        AfterStep();
    }
}

void DocumentHistory::AfterStep() {
    document_.SetModifiedFlag(!stack_.isClean());
    if (shown_) {
        shown_();
    }
}

void DocumentHistory::SetClean() {
    stack_.setClean();
}

void DocumentHistory::Reset() {
    stack_.clear();
    stack_.setClean();
}

}  // namespace trazel::ui
