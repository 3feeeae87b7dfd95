#include "ui/dialogs/template_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <vector>

#include "platform/qt/control_builder.h"
#include "platform/qt/dialog_units.h"
#include "platform/qt/message_box.h"
#include "platform/qt/modal_dialogs.h"

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

QWidget* CreateControl(const ControlTemplate& t, QWidget* parent) {
    const QString text = QString::fromUtf8(t.text);
    switch (t.kind) {
        case ControlKind::Label: {
            auto* label = new QLabel(text, parent);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
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
    return nullptr;
}

}  // namespace

TemplateDialog::TemplateDialog(const DialogTemplate& dialogTemplate, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
    setFont(FormFont());
    setFixedSize(DialogRect(0, 0, dialogTemplate.width, dialogTemplate.height).size());
    setModal(true);
    CreateControls(dialogTemplate.controls);
}

void TemplateDialog::CreateControls(std::span<const ControlTemplate> controls) {
    // Group boxes come first so that the controls inside them can be their
    // children: the group's mnemonic then reaches its checked radio button,
    // and the buttons of one group exclude each other and no others. Creating
    // the group boxes first costs nothing in tab order, since they take no
    // focus.
    std::vector<std::pair<QRect, QGroupBox*>> groups;
    for (const ControlTemplate& t : controls) {
        if (t.kind == ControlKind::Group) {
            auto* group = static_cast<QGroupBox*>(CreateControl(t, this));
            PlaceControl(group, t.x, t.y, t.width, t.height);
            groups.emplace_back(group->geometry(), group);
        }
    }

    QLabel* pendingCaption = nullptr;
    for (const ControlTemplate& t : controls) {
        if (t.kind == ControlKind::Group) {
            continue;
        }
        const QRect rect = DialogRect(t.x, t.y, t.width, t.height);
        QWidget* parent = this;
        QPoint origin;
        for (const auto& [groupRect, group] : groups) {
            if (groupRect.contains(rect)) {
                parent = group;
                origin = groupRect.topLeft();
                break;
            }
        }
        QWidget* control = CreateControl(t, parent);
        control->setGeometry(rect.translated(-origin));
        if (t.kind == ControlKind::Icon) {
            control->resize(kIconPixels, kIconPixels);
        }
        if (t.kind == ControlKind::Frame) {
            control->lower();
        }
        if (t.id != 0) {
            controls_[t.id] = control;
            control->setObjectName(QStringLiteral("control%1").arg(t.id));
        }
        if (t.id == IDOK) {
            connect(static_cast<QPushButton*>(control), &QPushButton::clicked, this,
                    &TemplateDialog::accept);
        } else if (t.id == IDCANCEL) {
            connect(static_cast<QPushButton*>(control), &QPushButton::clicked, this,
                    &TemplateDialog::reject);
        }

        // A caption's mnemonic moves the focus to the control after it.
        if (pendingCaption != nullptr && control->focusPolicy() != Qt::NoFocus) {
            pendingCaption->setBuddy(control);
            pendingCaption = nullptr;
        }
        if (t.kind == ControlKind::Label && QString::fromUtf8(t.text).contains(QLatin1Char('&'))) {
            pendingCaption = static_cast<QLabel*>(control);
        }
    }
}

QWidget* TemplateDialog::GetDlgItem(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

QLineEdit* TemplateDialog::Edit(int id) const {
    return qobject_cast<QLineEdit*>(GetDlgItem(id));
}

QAbstractButton* TemplateDialog::Button(int id) const {
    return qobject_cast<QAbstractButton*>(GetDlgItem(id));
}

QRadioButton* TemplateDialog::Radio(int id) const {
    return qobject_cast<QRadioButton*>(GetDlgItem(id));
}

void TemplateDialog::OnInitDialog() {
    UpdateData(false);
    // Creation order is template order, and so is the focus chain.
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->isEnabled()) {
            w->setFocus(Qt::TabFocusReason);
            break;
        }
    }
}

void TemplateDialog::RefuseField(QLineEdit* edit, const QString& message) {
    AfxMessageBox(message);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

void TemplateDialog::accept() {
    if (!UpdateData(true) || !ValidateFields()) {
        return;
    }
    QDialog::accept();
}

int RunModal(TemplateDialog& dialog) {
    dialog.OnInitDialog();
    return DoModal(dialog);
}
