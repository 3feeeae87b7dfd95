#include "platform/qt/recent_file_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kSection = QStringLiteral("Recent File List");

QString Key(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

// The same file reached by two spellings is one entry.
QString Canonical(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

}  // namespace

RecentFileList::RecentFileList(QString organization, QString application, int size)
    : organization_(std::move(organization)), application_(std::move(application)), size_(size) {
    Read();
}

void RecentFileList::Add(const QString& path) {
    const QString entry = Canonical(path);
    files_.removeAll(entry);
    files_.prepend(entry);
    while (files_.size() > size_) {
        files_.removeLast();
    }
    Write();
}

void RecentFileList::Remove(const QString& path) {
    files_.removeAll(Canonical(path));
    Write();
}

QString AbbreviatePath(const QString& path, int maxLength) {
    if (path.size() <= maxLength) {
        return path;
    }
    // Keep the first folder and the file name, which tell documents apart
    // best, and drop the folders between them.
    const QString name = path.section(QLatin1Char('/'), -1);
    const QString first = path.section(QLatin1Char('/'), 0, 1);
    const QString shortened = first + QStringLiteral("/.../") + name;
    return shortened.size() <= maxLength && shortened.size() < path.size() ? shortened : name;
}

QString RecentFileList::MenuText(int index) const {
    QString shown = QDir::toNativeSeparators(AbbreviatePath(files_.at(index), kMenuTextLength));
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

void RecentFileList::Read() {
    QSettings settings(organization_, application_);
    settings.beginGroup(kSection);
    for (int i = 0; i < size_; ++i) {
        const QString path = settings.value(Key(i)).toString();
        if (!path.isEmpty() && !files_.contains(path)) {
            files_.append(path);
        }
    }
}

void RecentFileList::Write() const {
    QSettings settings(organization_, application_);
    settings.beginGroup(kSection);
    for (int i = 0; i < size_; ++i) {
        if (i < files_.size()) {
            settings.setValue(Key(i), files_.at(i));
        } else {
            settings.remove(Key(i));
        }
    }
}
