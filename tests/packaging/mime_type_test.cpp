#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

// The document type as a desktop finds it: the definition compiled by
// update-mime-database into a folder that is the only one Qt reads.
class MimeTypeTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(data_.isValid());
        const QString packages = data_.filePath(QStringLiteral("mime/packages"));
        QVERIFY(QDir().mkpath(packages));
        QVERIFY(QFile::copy(QStringLiteral(TRAZEL_MIME_XML), packages + "/trazel.xml"));
        qputenv("XDG_DATA_DIRS", data_.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", data_.filePath("home").toLocal8Bit());
        QProcess update;
        update.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        update.start(QStringLiteral("update-mime-database"), {data_.filePath("mime")});
        QVERIFY(update.waitForFinished());
        QCOMPARE(update.exitCode(), 0);
    }

    void recognises_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("document");
        const QByteArray current = Example("calcita-raman.trz");
        const QByteArray older = Example("cuarzo-raman-formato-antiguo.trz");
        QTest::newRow("current layout, no name") << "documento" << current << true;
        QTest::newRow("current layout, other name") << "documento.dat" << current << true;
        QTest::newRow("older layout by its name") << "cuarzo.trz" << older << true;
        QTest::newRow("older layout, no name") << "cuarzo" << older << false;
        QTest::newRow("signature, count 128") << "documento" << Header(14000, 128) << false;
        QTest::newRow("signature, count 2^24 + 5")
            << "documento" << Header(14000, 0x1000005) << false;
        QTest::newRow("signature big-endian") << "documento" << Header(0xB0360000, 7) << false;
        QTest::newRow("text") << "datos.txt" << QByteArray("x y\r\n1 2\r\n") << false;
    }

    void recognises() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, document);
        QFile file(data_.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        const QMimeType type = QMimeDatabase().mimeTypeForFile(file.fileName());
        QCOMPARE(type.name() == QStringLiteral("application/x-trazel"), document);
        file.remove();
    }

  private:
    static QByteArray Example(const char* name) {
        QFile file(QStringLiteral(TRAZEL_EXAMPLES "/") + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The two int32 a document starts with, little-endian, then a peak.
    static QByteArray Header(quint32 first, quint32 count) {
        QByteArray bytes(8 + 41, '\0');
        qToLittleEndian(first, bytes.data());
        qToLittleEndian(count, bytes.data() + 4);
        return bytes;
    }

    QTemporaryDir data_;
};

QTEST_GUILESS_MAIN(MimeTypeTest)
#include "mime_type_test.moc"
