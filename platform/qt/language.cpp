#include "platform/qt/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstring>

namespace trazel::platform {

namespace {

std::string TranslateWithQt(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
}

void Install(const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(name, folder)) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

}  // namespace

void InstallLanguage(Language language) {
    const QString code = QString::fromLatin1(LanguageCode(language));
    Install(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // Spanish is the language the texts are written in.
    if (language != Language::Spanish) {
        Install(QStringLiteral("trazel_") + code, QStringLiteral(":/i18n"));
    }
    InstallTranslator(&TranslateWithQt);
}

std::optional<std::string> TakeLanguageOption(int& argc, char** argv) {
    std::optional<std::string> value;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--lang") == 0) {
            value = i + 1 < argc ? argv[++i] : "";
        } else if (std::strncmp(argv[i], "--lang=", 7) == 0) {
            value = argv[i] + 7;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return value;
}

}  // namespace trazel::platform
