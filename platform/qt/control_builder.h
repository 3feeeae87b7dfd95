#pragma once

#include <QChar>
#include <QString>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "platform/qt/dialog_template.h"

class QPushButton;
class QWidget;

namespace trazel::platform {

// Makes a control of a kind that only one window has (the form's list,
// progress bar and picture), as a child of parent.
using ControlHook = std::function<QWidget*(const ControlTemplate& control, QWidget* parent)>;
using ControlHooks = std::map<ControlKind, ControlHook>;

// The controls of a template as BuildControls made them.
struct BuiltControls {
    // The controls by their template ids.
    std::map<int, QWidget*> byId;
    // The labels and buttons with a mnemonic, and its letter in capitals, in
    // template order.
    std::vector<std::pair<QChar, QWidget*>> mnemonics;
    // The last default button of the template, or nullptr.
    QPushButton* defaultButton = nullptr;
};

// Creates the controls of a template as children of parent in the form font's
// dialog units. Template order is creation order, and so the tab order. A
// control that lies inside a group box is the group box's child. A control
// with an id gets the object name "control<id>". A kind that the builder does
// not know is made by its hook; a template with such a kind and no hook for it
// is a programming error.
BuiltControls BuildControls(const DialogTemplate& dialogTemplate, QWidget* parent,
                            const ControlHooks& hooks = {});

// A control's text and a template's caption in the language the program
// shows, translated in the template's context.
QString ControlText(const DialogTemplate& dialogTemplate, const ControlTemplate& control);
QString DialogCaption(const DialogTemplate& dialogTemplate);

// Places a control at its template rectangle.
void PlaceControl(QWidget* control, int x, int y, int width, int height);

}  // namespace trazel::platform
