#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QtTest>
#include <memory>

#include "dialog_driver.h"
#include "platform/qt/dialog_units.h"
#include "ui/dialogs/information_dialogs.h"
#include "ui/dialogs/output_format_dlg.h"
#include "ui/dialogs/peak_edit_dlg.h"

using namespace trazel::platform;
using namespace trazel::ui;

using DialogFactory = std::function<std::unique_ptr<TemplateDialog>(const Services&)>;
using ShowFunction = std::function<void(QWidget*, const Services&)>;
Q_DECLARE_METATYPE(DialogFactory)
Q_DECLARE_METATYPE(ShowFunction)

namespace {

// The texts of the dialog's static controls, top to bottom.
QList<QLabel*> TextLabels(const QWidget& dialog) {
    QList<QLabel*> labels;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) {
            labels << label;
        }
    }
    std::stable_sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) {
        return a->mapToGlobal(QPoint()).y() < b->mapToGlobal(QPoint()).y();
    });
    return labels;
}

QList<QLabel*> Icons(const QWidget& dialog) {
    QList<QLabel*> icons;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->pixmap().isNull()) {
            icons << label;
        }
    }
    return icons;
}

// The width a text needs on screen, its mnemonic marker left out.
int TextWidth(const QWidget* control, const QString& text) {
    return control->fontMetrics()
        .boundingRect(QRect(), Qt::TextShowMnemonic | Qt::TextSingleLine, text)
        .width();
}

}  // namespace

class InformationDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QPixmap icon(32, 32);
        icon.fill(Qt::darkBlue);
        QApplication::setWindowIcon(QIcon(icon));
    }

    void informationDialogs_data() {
        QTest::addColumn<ShowFunction>("show");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("texts");
        QTest::addColumn<QString>("title");
        QTest::newRow("about") << ShowFunction(ShowAboutBox) << "Acerca de Trazel" << 18
                               << "Trazel Versión 1.4.0";
        QTest::newRow("quick reference") << ShowFunction(ShowQuickReference) << "Ayuda" << 17
                                         << "Trazel 1.3.1, Referencia Rápida";
    }
    void informationDialogs() {
        QFETCH(ShowFunction, show);
        QFETCH(QString, caption);
        QFETCH(int, texts);
        QFETCH(QString, title);
        DialogDriver driver([&](TemplateDialog& d) {
            QCOMPARE(d.windowTitle(), caption);
            const QList<QLabel*> labels = TextLabels(d);
            QCOMPARE(labels.size(), texts);
            QCOMPARE(labels[0]->text(), title);
            const QList<QLabel*> icons = Icons(d);
            QCOMPARE(icons.size(), 1);
            QCOMPARE(icons[0]->size(), QSize(32, 32));
            QCOMPARE(icons[0]->pixmap().toImage().pixelColor(16, 16), QColor(Qt::darkBlue));
            QCOMPARE(d.focusWidget(), d.Button(IDOK));
            Click(d, IDOK);
        });
        show(nullptr, driver);
        QCOMPARE(driver.Runs(), 1);
    }

    // A line that opens a version starts at x 19 and its continuations stand
    // further in, all inside the group box, 9 units apart.
    void aboutHistoryLines() {
        FakeServices fakes;
        CVersionInfoDlg d(fakes);
        const QList<QLabel*> labels = TextLabels(d).mid(2);
        QCOMPARE(labels.size(), 16);
        for (int i = 0; i < labels.size(); ++i) {
            const int x = labels[i]->text().startsWith(QLatin1Char('v')) ? 19 : 38;
            QCOMPARE(labels[i]->mapTo(&d, QPoint()), DialogRect(x, 105 + 9 * i, 1, 1).topLeft());
            QCOMPARE(qobject_cast<QGroupBox*>(labels[i]->parentWidget())->title(),
                     QStringLiteral("Mejoras de la versión"));
        }
    }

    // Every text of every template shows whole in its rectangle in the form
    // font, the indicator of a check box or radio button included.
    void everyTextFitsItsRectangle_data() {
        QTest::addColumn<DialogFactory>("make");
        QTest::newRow("peak edit")
            << DialogFactory([](const Services& s) { return std::make_unique<CPeakEditDlg>(s); });
        QTest::newRow("output format") << DialogFactory(
            [](const Services& s) { return std::make_unique<COutputFormatDlg>(s); });
        QTest::newRow("about") << DialogFactory(
            [](const Services& s) { return std::make_unique<CVersionInfoDlg>(s); });
        QTest::newRow("quick reference") << DialogFactory(
            [](const Services& s) { return std::make_unique<CQuickReferenceDlg>(s); });
    }
    void everyTextFitsItsRectangle() {
        QFETCH(DialogFactory, make);
        const FakeServices fakes;
        const std::unique_ptr<TemplateDialog> dialog = make(fakes);
        QCOMPARE(dialog->font(), FormFont());
        int measured = 0;
        for (QWidget* control : dialog->findChildren<QWidget*>()) {
            const QRect box = control->rect();
            QString text;
            int needed = 0;
            int neededHeight = 0;
            if (auto* label = qobject_cast<QLabel*>(control); label && !label->text().isEmpty()) {
                text = label->text();
                const QRect wrapped = label->fontMetrics().boundingRect(
                    box, Qt::TextWordWrap | Qt::TextShowMnemonic, text);
                needed = wrapped.width();
                neededHeight = wrapped.height();
            } else if (qobject_cast<QRadioButton*>(control) || qobject_cast<QCheckBox*>(control)) {
                text = static_cast<QAbstractButton*>(control)->text();
                needed = control->sizeHint().width();
                neededHeight = control->fontMetrics().height();
            } else if (auto* button = qobject_cast<QPushButton*>(control)) {
                text = button->text();
                needed = TextWidth(button, text) +
                         2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin);
                neededHeight = button->fontMetrics().height();
            } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
                text = group->title();
                needed = TextWidth(group, text) + 2 * DialogUnitsToPixelsX(4);
            } else {
                continue;
            }
            ++measured;
            QVERIFY2(needed <= box.width() && neededHeight <= box.height(),
                     qPrintable(QStringLiteral("\"%1\" needs %2 x %3, has %4 x %5")
                                    .arg(text)
                                    .arg(needed)
                                    .arg(neededHeight)
                                    .arg(box.width())
                                    .arg(box.height())));
            QVERIFY2(dialog->rect().contains(
                         QRect(control->mapTo(dialog.get(), QPoint()), control->size())),
                     qPrintable(text));
        }
        QVERIFY(measured >= 4);
    }
};

QTEST_MAIN(InformationDialogsTest)
#include "information_dialogs_test.moc"
