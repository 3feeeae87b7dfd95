#pragma once

#include <qcustomplot.h>

#include <QStringList>

// The names of the curves drawn over a plot's main axes, in the legend's
// order (the residual strip's curve left out).
inline QStringList GraphNames(QCustomPlot& plot) {
    QStringList names;
    for (int i = 0; i < plot.graphCount(); ++i) {
        if (plot.graph(i)->keyAxis() == plot.xAxis) {
            names << plot.graph(i)->name();
        }
    }
    return names;
}
