#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "ui/fit/fit_dialog.h"

// Presses "Ajustar" and waits for the fit's thread to hand its result back;
// false when it has not within the time a slow machine needs.
inline bool FitAndWait(trazel::ui::FitDialog& dialog) {
    dialog.fitButton->click();
    return QTest::qWaitFor([&] { return !dialog.Running(); }, 10000);
}
