#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A folder of files for a test to import, removed with them at the end.
class BandFiles {
  public:
    // The path of a new file name in the folder holding bytes.
    QString Write(const QString& name, const QByteArray& bytes) const {
        const QString path = Path(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(bytes);
        }
        return path;
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }

  private:
    QTemporaryDir dir_;
};

// A computed list as a calculation program writes it: position and area
// (km/mol), one band a line, oldest first.
inline QByteArray ComputedList(int bands) {
    QByteArray text = "# frecuencia intensidad\n";
    for (int k = 1; k <= bands; ++k) {
        text += QByteArray::number(1000 + 10 * k) + ' ' + QByteArray::number(k) + '\n';
    }
    return text;
}
