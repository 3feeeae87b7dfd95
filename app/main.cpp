#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/toolbar_images.h"
#include "app/trazel_app.h"
#include "platform/qt/guarded_application.h"

int main(int argc, char** argv) {
    GuardedApplication application(argc, argv);
    QApplication::setWindowIcon(ApplicationIcon());

    // Qt's own texts (file dialogs, context menus of the fields) in Spanish,
    // when the translations are installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    CTrazelApp app;
    if (!app.InitInstance(QApplication::arguments())) {
        return app.ExitCode();
    }
    return QApplication::exec();
}
