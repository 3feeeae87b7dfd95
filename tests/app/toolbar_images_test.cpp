#include <QCryptographicHash>
#include <QtTest>

#include "app/resource.h"
#include "app/toolbar_images.h"

using namespace trazel::ui;
using namespace trazel::app;

// The toolbar's pictures must stay the pixels the toolbar has always shown.
// The digests are of each file's own decoded pixels, straight as the PNG holds
// them (no premultiplied round trip, whose rounding follows the CPU's vector
// unit), so a replaced or damaged file fails on any machine; the picture the
// toolbar loads must then be that file's, to within the rounding of the
// premultiplication it goes through.
class ToolbarImagesTest : public QObject {
    Q_OBJECT

  private slots:
    void ImageHasItsPixels_data();
    void ImageHasItsPixels();
    void CommandWithoutImageGetsNone();
};

void ToolbarImagesTest::ImageHasItsPixels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("digest");
    const std::tuple<const char*, int, const char*> images[] = {
        {"new", ID_FILE_NEW, "0fc77c1542d71c8cd1b8cabddf3247accd2852269d7423ea024b4f7558843d04"},
        {"open", ID_FILE_OPEN, "0ce52b31cab4726094784741d0286bb1024639f7c34c1c6198adba6cb5889972"},
        {"save", ID_FILE_SAVE, "e737fae1c7d9d1ff0e6fa3796f23f0271ad3862a0f740ad863bb179fa38450a7"},
        {"cut", ID_EDIT_CUT, "075079647e4540e5074c4eb9c66b56f5b1d20f209b947aec9702d0fd0c1989ed"},
        {"copy", ID_EDIT_COPY, "29831f68d8871c39c40cec48ae4734afa197e4ba13781ab0eb74e0c386cb8cc3"},
        {"paste", ID_EDIT_PASTE,
         "26d3905699b081218856381513e94f61c219e3728656d32e2dd6503ce1af91be"},
        {"print", ID_FILE_PRINT,
         "7679e2e0c2192b9910ff9deee5a5c74261f962270279f1c3a66376e799a7cf4d"},
        {"output-format", ID_OUTPUT_FORMAT,
         "0b277f9df93216c724246a1a44e7de46bf429512006958230a570163fd1d2bb3"},
        {"output-file", ID_OUTPUT_FILE,
         "aeb1eb983d7f727b9479b386ffa59512ad8848cbcb3852e0a97bc0923e7d6e0a"},
        {"export", IDC_EXPORT, "df3a675cd9e5059296bfc63db628d1c9a848a4df4ec603806760ef09f90df64f"},
        {"edit-selection", IDC_EDIT_SELECTION,
         "386f56b746afad5fc29e354278863c680b490bdb888b687893a31ac1f0fc4f34"},
        {"plot", IDC_PLOT, "529aeedfeb77e101ee10dc4e4bcf073adea92ae2c9bc9932aba0cf93bb8b2aa6"},
        {"about", ID_APP_ABOUT, "d7049ed853a0e36e0f94a3b2e7c006376742e21d8658ecb73bef5c3a7f13e0b2"},
    };
    for (const auto& [name, id, digest] : images) {
        QTest::newRow(name) << QString::fromLatin1(name) << id << QByteArray(digest);
    }
}

void ToolbarImagesTest::ImageHasItsPixels() {
    QFETCH(QString, name);
    QFETCH(int, id);
    QFETCH(QByteArray, digest);
    // Loading the toolbar's picture first also makes its resources known.
    const QPixmap pixmap = ToolbarImage(id);
    // Opaque or palette files decode to other formats; turning those into
    // straight ARGB is exact.
    const QImage file = QImage(QStringLiteral(":/trazel/toolbar/%1.png").arg(name))
                            .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(file.size(), QSize(kToolbarImageWidth, kToolbarImageHeight));
    QCryptographicHash pixels(QCryptographicHash::Sha256);
    for (int y = 0; y < file.height(); ++y) {
        pixels.addData(QByteArrayView(file.constScanLine(y), file.width() * 4));
    }
    QCOMPARE(pixels.result().toHex(), digest);

    const QImage loaded = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage expected = file.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(loaded.size(), expected.size());
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb a = loaded.pixel(x, y);
            const QRgb b = expected.pixel(x, y);
            for (const int shift : {0, 8, 16, 24}) {
                QVERIFY2(std::abs(int((a >> shift) & 0xff) - int((b >> shift) & 0xff)) <= 1,
                         qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            }
        }
    }
}

void ToolbarImagesTest::CommandWithoutImageGetsNone() {
    QVERIFY(ToolbarImage(ID_FILE_SAVE_AS).isNull());
    QVERIFY(ToolbarImage(0).isNull());
}

QTEST_MAIN(ToolbarImagesTest)
#include "toolbar_images_test.moc"
