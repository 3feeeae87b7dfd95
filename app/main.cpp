#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <string>
#include <vector>

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

    // The arguments as bytes: QApplication::arguments() turns a file name
    // that is not UTF-8 into another name. Qt has taken its own options out
    // of argv by now.
    CTrazelApp app;
    if (!app.InitInstance(std::vector<std::string>(argv, argv + argc))) {
        return 1;
    }
    return QApplication::exec();
}
