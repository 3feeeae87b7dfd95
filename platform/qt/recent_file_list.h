#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace trazel::platform {

// path when it is at most maxLength characters long, otherwise its first
// folder, "/.../" and its file name, or the file name alone when even that is
// too long.
QString AbbreviatePath(const QString& path, int maxLength);

// path made absolute and without "." or "..", byte for byte; the same file
// reached by two spellings is then one entry.
std::string AbsoluteFilePath(const std::string& path);

// The most recently opened or saved documents, newest first, kept in the
// settings of the program so that the list outlives the run. A path is kept
// as the bytes the file system knows it by, also in the settings: a name that
// is not UTF-8 would not survive a trip through QString.
class RecentFileList {
  public:
    RecentFileList(QString organization, QString application, int size);

    // The paths as shown, bytes that are not UTF-8 as U+FFFD.
    QStringList Files() const;
    // Entry index (0-based) as bytes, to open it by.
    const std::string& Path(int index) const { return files_.at(static_cast<std::size_t>(index)); }
    int Count() const { return static_cast<int>(files_.size()); }
    int Size() const { return size_; }

    // Puts path on top, once, and forgets the oldest beyond the size.
    void Add(const std::string& path);
    void Remove(const std::string& path);

    // The menu text of entry index (0-based): "&1 path", the path shortened
    // to about kMenuTextLength characters, its ampersands doubled so that
    // they show.
    QString MenuText(int index) const;
    static constexpr int kMenuTextLength = 40;

  private:
    void Read();
    void Write() const;

    QString organization_;
    QString application_;
    int size_;
    std::vector<std::string> files_;
};

}  // namespace trazel::platform
