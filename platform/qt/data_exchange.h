#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/qt/services.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace trazel::platform {

// The messages of a field that does not hold a number, as written in Spanish;
// the field shows them translated.
extern const QString kNotANumberMessage;
extern const QString kNotAnIntegerMessage;

// Form data exchange: an ordered list of bindings between a form's controls
// and its fields. A form builds the list once, in its exchange order, and then
// moves the values either way with UpdateData.
class DataExchange {
  public:
    // A field that is not a number is refused through services' message box.
    explicit DataExchange(const Services& services) : services_(services) {}

    // Binds a control object: the member simply names the widget from now on.
    template <class Widget>
    void Control(Widget*& member, Widget* widget) {
        member = widget;
    }

    // Numbers in edit fields; shown with FormatEditDouble ("%.15g").
    void Text(QLineEdit* edit, double& field);
    void Text(QLineEdit* edit, std::int32_t& field);
    // 0 clear, 1 checked, 2 neither (a three-state box).
    void Check(QCheckBox* box, std::int32_t& field);
    // A flag: on unless the box is clear.
    void Check(QCheckBox* box, bool& field);
    // The index of the checked button in group order, -1 when none is.
    void Radio(std::vector<QRadioButton*> group, std::int32_t& field);
    // Text as it is, for string fields.
    void Text(QLineEdit* edit, QString& field);

    // With saveAndValidate, copies each control into its field in binding
    // order and stops at the first text that is not a number: the user is told,
    // that field gets the focus with its text selected, and the result is false.
    // The fields before it then hold the new values and the rest their old
    // ones. Without it, copies every field into its control.
    bool UpdateData(bool saveAndValidate) const;

  private:
    struct Binding {
        // Returns false when the control's text cannot be taken.
        std::function<bool()> read;
        std::function<void()> write;
    };
    Services services_;
    std::vector<Binding> bindings_;
};

}  // namespace trazel::platform
