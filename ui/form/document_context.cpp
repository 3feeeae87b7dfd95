#include "ui/form/document_context.h"

namespace trazel::ui {

DocumentContext::DocumentContext(document::CTrazelDoc& document, QObject* parent)
    : QObject(parent), document_(document) {
    connect(&history_, &DocumentHistory::changed, this, &DocumentContext::changed);
}

}  // namespace trazel::ui
