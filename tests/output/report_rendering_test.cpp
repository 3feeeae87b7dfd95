#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "model/table_edits.h"
#include "output/printed_report.h"
#include "output/screen_graph.h"
#include "platform/qt/painter_dc.h"
#include "platform/qt/print_driver.h"
#include "tests/output/settings_for.h"
#include "tests/support/peak_tables.h"
#include "tests/support/scratch_dir.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

// The graph and the report drawn through Qt for real: the screen graph into
// an image, the report through Qt's print support into a PDF that poppler
// reads back. The pictures are left in the build folder to be looked at.

namespace {

// Peaks 10 apart from 1010 on, of heights 2, 3, 1, 2, ...
PeakTable Table(int peaks) {
    return TableOf(peaks, [](int k) { return TestBand{1000.0 + 10 * k, 1.0 + (k % 3), 12.0}; });
}

ReportSettings Shown(double xMin, double xMax, double yMin, double yMax, bool join) {
    auto settings = SettingsFor<ReportSettings>(xMin, xMax, yMin, yMax, join);
    settings.graphShown = true;
    return settings;
}

std::string RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return {};
    }
    return process.readAllStandardOutput().toStdString();
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

std::size_t WordCount(const std::string& text, const std::string& word) {
    std::istringstream words(text);
    return static_cast<std::size_t>(
        std::count(std::istream_iterator<std::string>(words), {}, word));
}

class ReportPdfTest : public testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            GTEST_SKIP() << "poppler-utils (pdftotext) is not installed";
        }
    }

    static PrintJob Job(const PeakTable& table, const ReportSettings& settings,
                        const std::string& title) {
        PrintJob job;
        job.maxPage = ReportPageCount(table.PeakCount() + 1, settings.graphShown);
        job.printPage = [&table, settings, title](CDC& dc, int page) {
            PrintPage(dc, page, table, settings, title);
        };
        job.documentName = title;
        return job;
    }

    ScratchDir scratch_{"trazel-pdf"};
    const std::filesystem::path& dir_ = scratch_.Path();
};

TEST_F(ReportPdfTest, EveryPeakOnceAcrossThePrintedPages) {
    PeakTable table = Table(85);
    table.Band(3).separate = 1;
    const ReportSettings settings = Shown(1000, 1305, 0, 4, true);
    const auto pdf = dir_ / "informe.pdf";
    ASSERT_TRUE(PrintToPdfFile(pdf.string(), Job(table, settings, "muestra-2")).ok());

    const std::string info =
        RunTool(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf.string())});
    EXPECT_EQ(WordCount(info, "Pages:"), 1u) << info;
    EXPECT_NE(info.find("Pages:           3\n"), std::string::npos) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;

    const std::string text = RunTool(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-layout"), QString::fromStdString(pdf.string()), QStringLiteral("-")});
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(Occurrences(text, "muestra-2"), 3u);
    EXPECT_EQ(Occurrences(text, "Máx. Escalado"), 3u);
    EXPECT_EQ(Occurrences(text, "Usando valores de los máximos sin escalar"), 1u);
    for (int k = 1; k <= 85; ++k) {
        // Position and scaled position print the same number.
        EXPECT_EQ(WordCount(text, std::to_string(1000 + 10 * k)), 2u) << k;
    }

    // For looking at: page 1 as the printer would have it.
    const auto png = std::filesystem::path(TRAZEL_BINARY_DIR) / "report_page";
    RunTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"),
             QString::fromStdString(pdf.string()), QString::fromStdString(png.string())});
}

TEST_F(ReportPdfTest, FailuresAreReportedAndNameTheFile) {
    const ReportSettings settings = Shown(0, 1, 0, 1, true);
    const PeakTable table = Table(1);
    const auto missing = dir_ / "falta" / "informe.pdf";
    const auto error = PrintToPdfFile(missing.string(), Job(table, settings, "t"));
    ASSERT_FALSE(error.ok());
    EXPECT_NE(error.message().find("informe.pdf"), std::string::npos) << error.message();
    if (std::filesystem::exists("/dev/full")) {
        const auto full = PrintToPdfFile("/dev/full", Job(table, settings, "t"));
        ASSERT_FALSE(full.ok());
        EXPECT_NE(full.message().find("no queda espacio en el disco"), std::string::npos)
            << full.message();
    }
}

TEST(ReportPreview, ShowsTheReportPages) {
    PeakTable table = Table(40);
    table.Band(2).separate = 1;
    const ReportSettings settings = Shown(1000, 1450, 0, 4, false);
    PrintJob job;
    job.maxPage = ReportPageCount(table.PeakCount() + 1);
    std::vector<int> pages;
    job.printPage = [&](CDC& dc, int page) {
        pages.push_back(page);
        PrintPage(dc, page, table, settings, "muestra-2");
    };
    PrintDriver driver;
    QTimer::singleShot(0, [] {
        QWidget* preview = QApplication::activeModalWidget();
        if (preview == nullptr) {
            return;
        }
        preview->resize(900, 800);
        QApplication::processEvents();
        preview->grab().save(QString::fromStdString(
            (std::filesystem::path(TRAZEL_BINARY_DIR) / "report_preview.png").string()));
        preview->close();
    });
    driver.Preview(nullptr, job);
    ASSERT_GE(pages.size(), 2u);
    EXPECT_EQ(pages[0], 1);
    EXPECT_EQ(pages[1], 2);
}

TEST(ScreenGraphImage, OneBandUnderTheRightLabels) {
    QImage image(700, 440, QImage::Format_RGB32);
    image.fill(qRgb(240, 240, 240));
    const auto settings = SettingsFor<GraphSettings>(0, 1000, 0, 3, true);
    PeakTable table;
    AddPeak(table, 500, 2, 10, 1);
    {
        QPainter painter(&image);
        QPainterDC dc(painter);
        const GraphLabels drawn = DrawGraph(dc, table, settings);
        const std::string labels[] = {drawn.xMin, drawn.xMax, drawn.yMin,
                                      drawn.yMax, drawn.x,    drawn.y};
        // The labels stand where the form puts them: 1.5 pixels across and
        // 1.625 down per dialog unit.
        const QPoint where[] = {{412, 401}, {652, 401}, {679, 383},
                                {679, 196}, {538, 401}, {679, 294}};
        for (std::size_t i = 0; i < std::size(labels); ++i) {
            painter.drawText(where[i] + QPoint(0, 11), QString::fromStdString(labels[i]));
        }
    }
    image.save(QString::fromStdString(
        (std::filesystem::path(TRAZEL_BINARY_DIR) / "screen_graph.png").string()));

    const auto black = [&image](int x, int y) { return image.pixel(x, y) == qRgb(0, 0, 0); };
    EXPECT_TRUE(black(420, 200));
    EXPECT_TRUE(black(670, 401));
    EXPECT_FALSE(black(671, 310));
    EXPECT_FALSE(black(420, 402 + 5));
    EXPECT_TRUE(black(420, 402 + 4));
    // The top of the band: 2 of 3 is ceil(133.3) rows above row 401.
    EXPECT_TRUE(black(545, 401 - 134));
    EXPECT_FALSE(black(545, 401 - 135));
    EXPECT_EQ(image.pixel(500, 220), qRgb(255, 255, 255));
}

}  // namespace
