#include "platform/qt/control_builder.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <stdexcept>

#include "platform/qt/dialog_units.h"

namespace trazel::platform {

namespace {

// A static icon control shows the icon at the system's large size, whatever
// the rectangle of its template.
constexpr int kIconPixels = 32;

// A group box as the templates draw it: the frame line runs through the middle
// of the caption rather than below it, so that the controls placed at the top
// of the group do not sit on the line.
class TemplateGroupBox : public QGroupBox {
  public:
    using QGroupBox::QGroupBox;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics = fontMetrics();
        // Drawn here rather than by the style, which would put the line below
        // the caption again.
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRoundedRect(rect().adjusted(0, metrics.height() / 2, -1, -1), 2, 2);

        constexpr int kPadding = 2;
        const int textWidth = metrics.boundingRect(QRect(), Qt::TextShowMnemonic, title()).width();
        const QRect caption(DialogUnitsToPixelsX(4), 0, textWidth + 2 * kPadding, metrics.height());
        painter.fillRect(caption, palette().window());
        style()->drawItemText(&painter, caption.adjusted(kPadding, 0, -kPadding, 0),
                              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(),
                              isEnabled(), title(), QPalette::WindowText);
    }
};

QWidget* CreateControl(const ControlTemplate& t, const QString& text, bool labelsWrap,
                       QWidget* parent, const ControlHooks& hooks) {
    switch (t.kind) {
        case ControlKind::Label: {
            auto* label = new QLabel(text, parent);
            if (labelsWrap) {
                label->setTextFormat(Qt::PlainText);
                label->setWordWrap(true);
                label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            }
            return label;
        }
        case ControlKind::Edit:
            return new QLineEdit(parent);
        case ControlKind::DefaultButton: {
            auto* button = new QPushButton(text, parent);
            button->setDefault(true);
            return button;
        }
        case ControlKind::Button:
            return new QPushButton(text, parent);
        case ControlKind::Check:
            return new QCheckBox(text, parent);
        case ControlKind::Radio: {
            // No template gives its radio buttons a tab stop: Tab passes them
            // by, a click or a mnemonic reaches them.
            auto* radio = new QRadioButton(text, parent);
            radio->setFocusPolicy(Qt::ClickFocus);
            return radio;
        }
        case ControlKind::Group:
            return new TemplateGroupBox(text, parent);
        case ControlKind::Frame: {
            auto* frame = new QFrame(parent);
            frame->setFrameStyle(QFrame::Box | QFrame::Plain);
            QPalette palette = frame->palette();
            palette.setColor(QPalette::WindowText, Qt::black);
            frame->setPalette(palette);
            return frame;
        }
        case ControlKind::Icon: {
            auto* icon = new QLabel(parent);
            icon->setPixmap(QApplication::windowIcon().pixmap(kIconPixels, kIconPixels));
            return icon;
        }
        case ControlKind::List:
        case ControlKind::Progress:
        case ControlKind::Picture:
            break;
    }
    const auto hook = hooks.find(t.kind);
    if (hook == hooks.end()) {
        throw std::logic_error("BuildControls: no hook for a kind of control in the template");
    }
    return hook->second(t, parent);
}

}  // namespace

QString ControlText(const DialogTemplate& dialogTemplate, const ControlTemplate& control) {
    return control.text[0] == '\0'
               ? QString()
               : QCoreApplication::translate(dialogTemplate.context, control.text);
}

QString DialogCaption(const DialogTemplate& dialogTemplate) {
    return dialogTemplate.caption[0] == '\0'
               ? QString()
               : QCoreApplication::translate(dialogTemplate.context, dialogTemplate.caption);
}

void PlaceControl(QWidget* control, int x, int y, int width, int height) {
    control->setGeometry(DialogRect(x, y, width, height));
}

BuiltControls BuildControls(const DialogTemplate& dialogTemplate, QWidget* parent,
                            const ControlHooks& hooks) {
    BuiltControls built;
    // Group boxes come first so that the controls inside them can be their
    // children: the group's mnemonic then reaches its checked radio button,
    // and the buttons of one group exclude each other and no others. Made
    // first, they are also below every other control. It costs nothing in tab
    // order, since they take no focus.
    std::vector<std::pair<QRect, QWidget*>> groups;
    for (const ControlTemplate& t : dialogTemplate.controls) {
        if (t.kind == ControlKind::Group) {
            QWidget* group = CreateControl(t, ControlText(dialogTemplate, t),
                                           dialogTemplate.labelsWrap, parent, hooks);
            group->setGeometry(ControlRect(t));
            groups.emplace_back(group->geometry(), group);
        }
    }

    QLabel* pendingCaption = nullptr;
    for (const ControlTemplate& t : dialogTemplate.controls) {
        if (t.kind == ControlKind::Group) {
            continue;
        }
        const QRect rect = ControlRect(t);
        QWidget* owner = parent;
        QPoint origin;
        for (const auto& [groupRect, group] : groups) {
            if (groupRect.contains(rect)) {
                owner = group;
                origin = groupRect.topLeft();
                break;
            }
        }
        // The mnemonics are those of the text shown, in the language shown.
        const QString text = ControlText(dialogTemplate, t);
        QWidget* control = CreateControl(t, text, dialogTemplate.labelsWrap, owner, hooks);
        control->setGeometry(rect.translated(-origin));
        if (t.kind == ControlKind::Icon) {
            control->resize(kIconPixels, kIconPixels);
        } else if (t.kind == ControlKind::Picture) {
            // A picture control takes the size of its image.
            control->resize(control->sizeHint());
        } else if (t.kind == ControlKind::Frame) {
            control->lower();
        }
        if (t.disabled) {
            control->setEnabled(false);
        }
        if (t.id != 0) {
            built.byId[t.id] = control;
            control->setObjectName(QStringLiteral("control%1").arg(t.id));
        }
        if (t.kind == ControlKind::DefaultButton) {
            built.defaultButton = static_cast<QPushButton*>(control);
        }

        // The caption rule: a label's mnemonic moves the focus to the next
        // control that takes the focus. A label without a mnemonic has
        // nothing to hand on and is passed by like any control without a tab
        // stop, so that a note between a caption and its field does not take
        // the caption's place.
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        if (pendingCaption != nullptr && control->focusPolicy() != Qt::NoFocus) {
            pendingCaption->setBuddy(control);
            pendingCaption = nullptr;
        }
        if (amp >= 0 && amp + 1 < text.size()) {
            if (t.kind == ControlKind::Label) {
                pendingCaption = static_cast<QLabel*>(control);
            }
            built.mnemonics.emplace_back(text.at(amp + 1).toUpper(), control);
        }
    }
    return built;
}

}  // namespace trazel::platform
