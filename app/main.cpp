#include <QCoreApplication>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "app/toolbar_images.h"
#include "app/trazel_app.h"
#include "platform/qt/guarded_application.h"
#include "platform/qt/language.h"
#include "platform/version.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::app;

int main(int argc, char** argv) {
    // --lang goes before Qt sees the arguments; it outranks the environment.
    const auto asked = TakeLanguageOption(argc, argv);
    const auto named = asked ? LanguageNamed(*asked) : LanguageFromEnvironment();
    const Language language = named.value_or(Language::Spanish);

    // Answered before the window's application starts, so that they need no
    // display.
    bool help = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "trazel " << kTrazelVersion << "\n";
            return 0;
        }
        help = help || std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0;
    }
    if (help || !named) {
        QCoreApplication core(argc, argv);
        InstallLanguage(language);
        if (!named) {
            std::cerr << QCoreApplication::translate("Main",
                                                     "trazel: --lang admite «es» o «en», no «%1»\n"
                                                     "Pruebe «trazel --help».\n")
                             .arg(QString::fromLocal8Bit(asked->c_str()))
                             .toStdString();
            return 1;
        }
        std::cout << StartHelpText().toStdString() << std::flush;
        return 0;
    }
    GuardedApplication application(argc, argv);
    QApplication::setWindowIcon(ApplicationIcon());
    // Qt's own texts (file dialogs, the fields' context menus) and ours.
    InstallLanguage(language);

    // The arguments as bytes: QApplication::arguments() turns a file name
    // that is not UTF-8 into another name. Qt has taken its own options out
    // of argv by now.
    CTrazelApp app;
    if (!app.InitInstance(std::vector<std::string>(argv, argv + argc))) {
        return app.ExitCode();
    }
    return QApplication::exec();
}
