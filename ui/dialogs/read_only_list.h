#pragma once

#include <QAbstractItemView>

class QTreeWidget;
class QWidget;

namespace trazel::ui {

// A list to read, not to edit: a row an item, no tree, rows of one height
// (a thousand spectra or bands lay out at once), nothing edited in place and
// no sorting by a click on the headings, which would leave the rows out of
// the order the program gives them.
QTreeWidget* NewReadOnlyList(
    QWidget* parent, QAbstractItemView::SelectionMode selection = QAbstractItemView::NoSelection);

}  // namespace trazel::ui
