#pragma once

#include <QRect>
#include <span>

namespace trazel::platform {

// The kinds of control a template holds.
enum class ControlKind {
    Label,          // static text, left-aligned; see ControlTemplate::wraps
    Edit,           // edit with a border that scrolls its text sideways
    DefaultButton,  // the button Enter presses
    Button,
    Check,
    Radio,
    Group,  // frames the controls that lie inside it and gives them a caption
    Frame,  // a black frame around other controls
    Icon,   // the application icon at its own size
    // Kinds only the main form has; its hooks make them (BuildControls).
    List,      // the peak list
    Progress,  // the export's progress bar
    Picture,   // the picture at the top left, at its own size
};

// One control of a template: its id (0 where the template gives it none),
// its text in UTF-8 as the Spanish source writes it (marked with
// QT_TRANSLATE_NOOP in the template's context, and translated when the
// control is made) and its rectangle in dialog units.
struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text;
    int x, y, width, height;
    bool disabled = false;
};

struct DialogTemplate {
    const char* caption;
    int width, height;  // of the client area, in dialog units
    std::span<const ControlTemplate> controls;
    // The dialogs' labels are paragraphs: they wrap inside their rectangle
    // from its top. The form's labels are one line each, centred in their
    // height and cut off at their edges, which is also how the command line
    // draws the graph's labels.
    bool labelsWrap = true;
    // The translation context of the caption and of every control's text:
    // one per template, so that each dialog's mnemonics can be kept apart in
    // every language.
    const char* context = "DialogTemplate";
};

// The pixel rectangle of a control in its parent's template.
QRect ControlRect(const ControlTemplate& control);

// The control of a template id, or nullptr.
const ControlTemplate* FindControl(std::span<const ControlTemplate> controls, int id);

}  // namespace trazel::platform
