#pragma once

#include <QString>
#include <QStringList>

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

    // The menu text of entry index (0-based): "&1 name", with the ampersands
    // of the path doubled so that they show.
    QString MenuText(int index) const;

private:
    void Read();
    void Write() const;

    QString organization_;
    QString application_;
    int size_;
    QStringList files_;
};
