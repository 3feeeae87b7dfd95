#include "platform/qt/control_builder.h"

#include <QWidget>

#include "platform/qt/dialog_units.h"

void PlaceControl(QWidget* control, int x, int y, int width, int height) {
    control->setGeometry(DialogRect(x, y, width, height));
}
