#include "ui/dialogs/read_only_list.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace trazel::ui {

QTreeWidget* NewReadOnlyList(QWidget* parent, QAbstractItemView::SelectionMode selection) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(selection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setSectionsClickable(false);
    return list;
}

}  // namespace trazel::ui
