#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QTranslator>
#include <QtTest>
#include <stdexcept>

#include "platform/qt/control_builder.h"
#include "platform/qt/dialog_units.h"
#include "platform/qt/recent_file_list.h"
#include "platform/qt/services.h"
#include "tests/support/fake_services.h"

using namespace trazel::platform;

class ServicesTest : public QObject {
    Q_OBJECT

  private slots:
    // Each holder of services asks through its own: messages given to one
    // never reach another's, and a copy with other messages keeps the rest.
    void messagesGoThroughTheServicesGiven() {
        FakeServices outer;
        RecordingMessageBox inner;
        const Services services = outer.Get().WithMessages(inner);
        inner.answers.push_back(MessageAnswer::No);
        QCOMPARE(services.AfxMessageBox(QStringLiteral("uno"), MessageKind::Question,
                                        MessageButtons::YesNoCancel),
                 MessageAnswer::No);
        // An empty queue answers with the first button.
        QCOMPARE(services.AfxMessageBox(QStringLiteral("dos"), MessageKind::Question,
                                        MessageButtons::YesNoCancel),
                 MessageAnswer::Yes);
        QCOMPARE(inner.Texts(), (QStringList{"uno", "dos"}));
        outer.Get().AfxMessageBox(QStringLiteral("tres"));
        QCOMPARE(outer.messages.Texts(), QStringList{"tres"});
        QCOMPARE(&services.Files(), &outer.Get().Files());
        QCOMPARE(&services.Dialogs(), &outer.Get().Dialogs());
    }

    void scriptedRunnerAnswersTheDialog() {
        QDialog dialog;
        FakeServices fakes;
        fakes.dialogs.script = [](QDialog& d) {
            d.setWindowTitle(QStringLiteral("visto"));
            return IDOK;
        };
        QCOMPARE(fakes.Get().DoModal(dialog), IDOK);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("visto"));
        QCOMPARE(fakes.dialogs.runs, 1);
    }

    void scriptedFileDialogsTreatEmptyAsCancel() {
        FakeServices fakes;
        ScriptedFileDialogs& files = fakes.files;
        files.answers = {QStringLiteral("/tmp/a"), QString()};
        auto& service = fakes.Get().Files();
        QCOMPARE(service.GetOpenFileName(nullptr, "Abrir", QString()), QStringLiteral("/tmp/a"));
        QVERIFY(!service.GetSaveFileName(nullptr, "Guardar como", "x"));
        QVERIFY(!service.GetSaveFileName(nullptr, "Guardar como", "y"));
        QCOMPARE(files.asked.size(), std::size_t{3});
        QCOMPARE(files.asked[2].second, QStringLiteral("y"));
    }

    void dialogRectangles_data() {
        QTest::addColumn<QRect>("units");
        QTest::addColumn<QRect>("pixels");
        // Odd x and y land on half pixels, which round away from zero.
        QTest::newRow("position edit") << QRect(17, 57, 40, 12) << QRect(26, 93, 60, 19);
        QTest::newRow("whole form") << QRect(0, 0, 495, 269) << QRect(0, 0, 743, 437);
        QTest::newRow("list") << QRect(6, 74, 212, 188) << QRect(9, 120, 318, 306);
        QTest::newRow("x min label") << QRect(275, 247, 27, 8) << QRect(413, 401, 40, 13);
    }
    void dialogRectangles() {
        QFETCH(QRect, units);
        QFETCH(QRect, pixels);
        QCOMPARE(DialogRect(units.x(), units.y(), units.width(), units.height()), pixels);
        QLabel label;
        PlaceControl(&label, units.x(), units.y(), units.width(), units.height());
        QCOMPARE(label.geometry(), pixels);
    }

    // A caption hands its mnemonic to the next control that takes the focus,
    // past a note without one; a control inside a group box is its child; a
    // kind the builder does not know comes from its hook, or is refused.
    void buildControlsFromATemplate() {
        const ControlTemplate controls[] = {
            {0, ControlKind::Label, "&Nombre", 0, 0, 40, 8},
            {0, ControlKind::Label, "una nota", 0, 10, 40, 8},
            {1, ControlKind::Edit, "", 0, 20, 40, 12},
            {0, ControlKind::Group, "&Grupo", 50, 0, 60, 40},
            {2, ControlKind::Radio, "&Uno", 55, 10, 40, 10},
            {3, ControlKind::List, "", 0, 40, 40, 40, true},
        };
        const DialogTemplate dialogTemplate{"", 120, 90, controls};
        QWidget window;
        const BuiltControls built = BuildControls(
            dialogTemplate, &window, {{ControlKind::List, [](const ControlTemplate&, QWidget* p) {
                                           return new QWidget(p);
                                       }}});
        const QList<QLabel*> labels = window.findChildren<QLabel*>();
        QCOMPARE(labels.size(), 2);
        QCOMPARE(labels[0]->buddy(), built.byId.at(1));
        QCOMPARE(labels[1]->buddy(), nullptr);
        QWidget* radio = built.byId.at(2);
        QCOMPARE(qobject_cast<QGroupBox*>(radio->parentWidget())->title(),
                 QStringLiteral("&Grupo"));
        QCOMPARE(radio->mapTo(&window, QPoint()), DialogRect(55, 10, 1, 1).topLeft());
        QCOMPARE(built.byId.at(3)->objectName(), QStringLiteral("control3"));
        QVERIFY(!built.byId.at(3)->isEnabled());
        QCOMPARE(built.mnemonics.size(), std::size_t{2});
        QCOMPARE(built.mnemonics[0], std::pair(QChar(u'N'), static_cast<QWidget*>(labels[0])));
        QCOMPARE(built.mnemonics[1], std::pair(QChar(u'U'), radio));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, BuildControls(dialogTemplate, &window));
    }

    // A template shows in the language of the translators installed: its
    // caption and texts are looked up in its own context, a text without a
    // translation stays, and the mnemonics are those of the texts shown.
    void templateIsBuiltInTheLanguageShown() {
        struct English : QTranslator {
            QString translate(const char* context, const char* source, const char*,
                              int) const override {
                const QHash<QByteArray, QString> words{{"&Nombre", "Na&me"}, {"Diálogo", "Dialog"}};
                return qstrcmp(context, "Prueba") == 0 ? words.value(source) : QString();
            }
            bool isEmpty() const override { return false; }
        } english;
        const ControlTemplate controls[] = {
            {0, ControlKind::Label, "&Nombre", 0, 0, 40, 8},
            {1, ControlKind::Edit, "", 0, 10, 40, 12},
            {2, ControlKind::Check, "&Otro", 0, 30, 40, 10},
        };
        const DialogTemplate dialogTemplate{"Diálogo", 60, 50, controls, true, "Prueba"};
        QVERIFY(QCoreApplication::installTranslator(&english));
        QWidget window;
        const BuiltControls built = BuildControls(dialogTemplate, &window);
        const QString caption = DialogCaption(dialogTemplate);
        const QString otherContext = ControlText(DialogTemplate{"", 60, 50, controls}, controls[0]);
        QCoreApplication::removeTranslator(&english);
        QCOMPARE(caption, QStringLiteral("Dialog"));
        QCOMPARE(otherContext, QStringLiteral("&Nombre"));
        QCOMPARE(window.findChild<QLabel*>()->text(), QStringLiteral("Na&me"));
        QCOMPARE(built.mnemonics.size(), std::size_t{2});
        QCOMPARE(built.mnemonics[0].first, QChar(u'M'));
        QCOMPARE(built.mnemonics[1].first, QChar(u'O'));
    }

    void recentFileNamesAreShortened_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        QTest::newRow("short") << "/home/ana/pico.trz"
                               << "/home/ana/pico.trz";
        QTest::newRow("exactly 20") << "/home/ana/espect.trz"
                                    << "/home/ana/espect.trz";
        QTest::newRow("long") << "/home/ana/datos/2026/campaña/pico.trz"
                              << "/home/.../pico.trz";
        QTest::newRow("long name") << "/home/ana/un_nombre_muy_largo_sin_fin.trz"
                                   << "un_nombre_muy_largo_sin_fin.trz";
    }
    void recentFileNamesAreShortened() {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        QCOMPARE(AbbreviatePath(path, 20), shown);
    }

    void formFontIsTheMeasuredOne() {
        const QFont font = FormFont();
        QCOMPARE(font.pixelSize(), 10);
        QCOMPARE(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
    }
};

QTEST_MAIN(ServicesTest)
#include "services_test.moc"
