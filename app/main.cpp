#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "app/toolbar_images.h"
#include "app/trazel_app.h"
#include "platform/qt/guarded_application.h"
#include "platform/version.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::app;

int main(int argc, char** argv) {
    // Answered before Qt starts, so that they need no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "trazel " << kTrazelVersion << "\n";
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << StartHelpText().toStdString() << std::flush;
            return 0;
        }
    }
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
        return app.ExitCode();
    }
    return QApplication::exec();
}
