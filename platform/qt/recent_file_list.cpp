#include "platform/qt/recent_file_list.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <algorithm>
#include <filesystem>

namespace trazel::platform {

namespace {

const QString kSection = QStringLiteral("Recent File List");

QString Key(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

}  // namespace

std::string AbsoluteFilePath(const std::string& path) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

RecentFileList::RecentFileList(QString organization, QString application, int size)
    : organization_(std::move(organization)), application_(std::move(application)), size_(size) {
    Read();
}

QStringList RecentFileList::Files() const {
    QStringList shown;
    for (const std::string& file : files_) {
        shown << QFile::decodeName(QByteArray::fromStdString(file));
    }
    return shown;
}

void RecentFileList::Add(const std::string& path) {
    const std::string entry = AbsoluteFilePath(path);
    std::erase(files_, entry);
    files_.insert(files_.begin(), entry);
    if (files_.size() > static_cast<std::size_t>(size_)) {
        files_.resize(static_cast<std::size_t>(size_));
    }
    Write();
}

void RecentFileList::Remove(const std::string& path) {
    std::erase(files_, AbsoluteFilePath(path));
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
    QString shown = QDir::toNativeSeparators(AbbreviatePath(Files().at(index), kMenuTextLength));
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

void RecentFileList::Read() {
    QSettings settings(organization_, application_);
    settings.beginGroup(kSection);
    for (int i = 0; i < size_; ++i) {
        // A list written as text by an older version reads as its UTF-8.
        const std::string path = settings.value(Key(i)).toByteArray().toStdString();
        if (!path.empty() && std::find(files_.begin(), files_.end(), path) == files_.end()) {
            files_.push_back(path);
        }
    }
}

void RecentFileList::Write() const {
    QSettings settings(organization_, application_);
    settings.beginGroup(kSection);
    for (int i = 0; i < size_; ++i) {
        if (i < Count()) {
            settings.setValue(Key(i), QByteArray::fromStdString(Path(i)));
        } else {
            settings.remove(Key(i));
        }
    }
}

}  // namespace trazel::platform
