#pragma once

class QWidget;

// Places a control at its template rectangle.
void PlaceControl(QWidget* control, int x, int y, int width, int height);
