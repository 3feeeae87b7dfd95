#pragma once

#include <QString>
#include <QStringList>

// path when it is at most maxLength characters long, otherwise its first
// folder, "/.../" and its file name, or the file name alone when even that is
// too long.
QString AbbreviatePath(const QString& path, int maxLength);

// The most recently opened or saved documents, newest first, kept in the
// settings of the program so that the list outlives the run.
class RecentFileList {
  public:
    RecentFileList(QString organization, QString application, int size);

    const QStringList& Files() const { return files_; }
    int Size() const { return size_; }

    // Puts path on top, once, and forgets the oldest beyond the size.
    void Add(const QString& path);
    void Remove(const QString& path);

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
    QStringList files_;
};
