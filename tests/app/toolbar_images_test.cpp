#include <QDir>
#include <QtTest>

#include "app/resource.h"
#include "app/toolbar_images.h"

// The toolbar's pictures are image files of the resources; each must show
// the pixels the toolbar has always shown.
class ToolbarImagesTest : public QObject {
    Q_OBJECT

  private slots:
    void ImageFileHasTheDrawnPixels_data();
    void ImageFileHasTheDrawnPixels();
};

void ToolbarImagesTest::ImageFileHasTheDrawnPixels_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("file");
    const std::pair<int, const char*> images[] = {
        {ID_FILE_NEW, "new"},
        {ID_FILE_OPEN, "open"},
        {ID_FILE_SAVE, "save"},
        {ID_EDIT_CUT, "cut"},
        {ID_EDIT_COPY, "copy"},
        {ID_EDIT_PASTE, "paste"},
        {ID_FILE_PRINT, "print"},
        {ID_OUTPUT_FORMAT, "output-format"},
        {ID_OUTPUT_FILE, "output-file"},
        {IDC_EXPORT, "export"},
        {IDC_EDIT_SELECTION, "edit-selection"},
        {IDC_PLOT, "plot"},
        {ID_APP_ABOUT, "about"},
    };
    for (const auto& [id, file] : images) {
        QTest::newRow(file) << id << QString::fromUtf8(file);
    }
}

void ToolbarImagesTest::ImageFileHasTheDrawnPixels() {
    QFETCH(int, id);
    QFETCH(QString, file);
    ApplicationIcon();  // registers the resources
    const QImage drawn = ToolbarImage(id).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage stored = QImage(QStringLiteral(":/trazel/toolbar/%1.png").arg(file))
                              .convertToFormat(QImage::Format_ARGB32);
    if (stored != drawn) {
        // Left for a look, or to be copied into app/resources/toolbar/.
        QDir().mkpath(QStringLiteral(TRAZEL_BINARY_DIR "/toolbar"));
        drawn.save(QStringLiteral(TRAZEL_BINARY_DIR "/toolbar/%1.png").arg(file));
    }
    QCOMPARE(stored, drawn);
}

QTEST_MAIN(ToolbarImagesTest)
#include "toolbar_images_test.moc"
