// The window, a dialog of ours and one of Qt's own in the language the
// program chose. Run once per way of choosing (tests/app/CMakeLists.txt): the
// environment and --lang, as the program's main chooses.
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "app/main_frame.h"
#include "app/resource.h"
#include "app/trazel_app.h"
#include "platform/qt/language.h"
#include "tests/support/fake_services.h"
#include "ui/control_ids.h"

using namespace trazel::platform;
using namespace trazel::app;

namespace {

Language chosen = Language::Spanish;

}  // namespace

class AppLanguageTest : public QObject {
    Q_OBJECT

  private slots:
    void WindowAndDialogsSpeakTheChosenLanguage() {
        struct Expected {
            QStringList menus;
            QString formLabel, aboutTitle, qtCancel;
        };
        const Expected spanish{{"&Archivo", "&Editar", "&Ver", "&Formato", "Gráfico", "Ay&uda"},
                               "Intensidad",
                               "Acerca de Trazel",
                               "Cancelar"};
        const Expected english{{"&File", "&Edit", "&View", "F&ormat", "&Graph", "&Help"},
                               "Intensity",
                               "About Trazel",
                               "Cancel"};
        const Expected& expected = chosen == Language::English ? english : spanish;

        FakeServices fakes;
        CTrazelApp app{fakes};
        QVERIFY(app.InitInstance(QStringList{QStringLiteral("trazel")}));
        QStringList menus;
        for (QAction* action : app.Frame()->menuBar()->actions()) {
            menus << action->text();
        }
        QCOMPARE(menus, expected.menus);
        QStringList labels;
        for (const QLabel* label : app.Frame()->findChildren<QLabel*>()) {
            labels << label->text().remove('&');
        }
        QVERIFY2(labels.contains(expected.formLabel), qPrintable(labels.join('|')));

        QString aboutTitle;
        fakes.dialogs.script = [&](QDialog& dialog) {
            aboutTitle = dialog.windowTitle();
            return 0;
        };
        app.Frame()->SendCommand(ID_APP_ABOUT);
        QCOMPARE(aboutTitle, expected.aboutTitle);

        // Qt's own texts come from Qt's translations.
        QDialogButtonBox qtButtons(QDialogButtonBox::Cancel);
        QCOMPARE(qtButtons.button(QDialogButtonBox::Cancel)->text(), expected.qtCancel);
    }
};

int main(int argc, char** argv) {
    const auto asked = TakeLanguageOption(argc, argv);
    chosen = asked ? LanguageNamed(*asked).value_or(Language::Spanish) : LanguageFromEnvironment();
    QApplication application(argc, argv);
    InstallLanguage(chosen);
    AppLanguageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "app_language_test.moc"
