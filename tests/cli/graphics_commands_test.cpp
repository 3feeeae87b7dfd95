#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <algorithm>
#include <map>
#include <set>

#include "cli/graph_picture.h"
#include "model/document_file.h"
#include "model/trazel_doc.h"
#include "output/printed_report.h"
#include "platform/qt/painter_dc.h"
#include "platform/qt/print_driver.h"
#include "tests/cli/cli_fixture.h"

// plot and print against the window's drawing code: the same pixels at the
// same places, the same report pages.

namespace {

const std::vector<std::string> kLimits = {"--xmin", "0", "--xmax", "1000",
                                          "--ymin", "0", "--ymax", "3"};

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A band of 2 at 500 and a wide band of 1 at 800 flagged to be drawn alone.
PeakTable TwoBands() {
    CTrazelDoc doc;
    doc.AddPeak(500, 2, 10, 1);
    doc.AddPeak(800, 1, 20, 1);
    doc.ToggleSeparate({0});
    return doc.Table();
}

// Peaks 10 apart from 1010 on, of heights 2, 3, 1, 2, ...
PeakTable ManyPeaks(int peaks) {
    CTrazelDoc doc;
    for (int k = 1; k <= peaks; ++k) {
        doc.AddPeak(1000 + 10 * k, 1.0 + (k % 3), 12.0, 1.0);
    }
    return doc.Table();
}

std::string RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return {};
    }
    return process.readAllStandardOutput().toStdString();
}

std::string PdfText(const std::string& pdf) {
    return RunTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), QString::fromStdString(pdf), QStringLiteral("-")});
}

std::string PdfInfo(const std::string& pdf) {
    return RunTool(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)});
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

bool IsBlack(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

// The window's fields for kLimits.
GraphSettings SettingsFromOptions(bool join) {
    GraphSettings settings;
    settings.xMin = 0;
    settings.xMax = 1000;
    settings.yMin = 0;
    settings.yMax = 3;
    settings.joinPoints = join ? 1 : 0;
    return settings;
}

struct LabelCheck {
    // Pixels outside the label controls that differ from DrawGraph's.
    int differences = 0;
    // Dark pixels inside each label control.
    std::map<int, int> inkInLabel;
};

// Everything but the labels must be what DrawGraph draws through the same
// device context on a white picture.
LabelCheck CompareWithDrawGraph(const QImage& image, const PeakTable& table,
                                const GraphSettings& settings) {
    QImage window(image.size(), QImage::Format_RGB32);
    window.fill(Qt::white);
    {
        QPainter painter(&window);
        QPainterDC dc(painter);
        DrawGraph(dc, table, settings, nullptr);
    }
    LabelCheck check;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            int label = 0;
            for (int id = kLabelXMin; id <= kLabelY; ++id) {
                if (GraphLabelRect(id).contains(x, y)) {
                    label = id;
                }
            }
            if (label != 0) {
                check.inkInLabel[label] += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
            } else if (image.pixel(x, y) != window.pixel(x, y)) {
                ++check.differences;
            }
        }
    }
    return check;
}

class GraphicsCommandsTest : public CliTest {
  protected:
    std::string SaveDocument(const std::string& name, const PeakTable& table) {
        const std::string path = Path(name);
        EXPECT_EQ(SavePeakTableFile(path, table), std::nullopt);
        return path;
    }
};

class PlotPngTest : public GraphicsCommandsTest, public testing::WithParamInterface<bool> {};

TEST_P(PlotPngTest, TheWindowsGraphAtItsPixelsWithTheLabelsAround) {
    const bool join = GetParam();
    const std::string doc = SaveDocument("bandas.trz", TwoBands());
    std::vector<std::string> args = Concat({"plot", doc}, kLimits);
    if (join) {
        args.push_back("--join");
    }
    args.insert(args.end(), {"-o", Path("g.png")});
    ASSERT_EQ(Run(args), kExitOk) << err_.str();

    const QImage image(QString::fromStdString(Path("g.png")));
    ASSERT_EQ(image.size(), QSize(743, 438));
    // The box's corners, and just outside them.
    for (const auto& [x, y] : {std::pair{420, 200}, {670, 200}, {420, 401}, {670, 401}}) {
        EXPECT_TRUE(IsBlack(image, x, y)) << x << "," << y;
    }
    EXPECT_FALSE(IsBlack(image, 419, 300));
    EXPECT_FALSE(IsBlack(image, 500, 199));
    EXPECT_FALSE(IsBlack(image, 671, 210));
    // Ticks: 5 pixels out of the box.
    EXPECT_TRUE(IsBlack(image, 445, 406));
    EXPECT_FALSE(IsBlack(image, 445, 407));
    EXPECT_TRUE(IsBlack(image, 675, 220));
    EXPECT_FALSE(IsBlack(image, 676, 220));
    // Sample 125 is x = 500, the top of the band of 2: ceil(2 * 200 / 3) =
    // 134 rows above row 401. Sample 124 (x = 496) lies at row 315.
    EXPECT_TRUE(IsBlack(image, 545, 267));
    EXPECT_FALSE(IsBlack(image, 545, 266));
    EXPECT_TRUE(IsBlack(image, 544, 315));
    const bool joined = IsBlack(image, 544, 290) || IsBlack(image, 545, 290);
    EXPECT_EQ(joined, join);

    const LabelCheck check = CompareWithDrawGraph(image, TwoBands(), SettingsFromOptions(join));
    EXPECT_EQ(check.differences, 0);
    for (int id = kLabelXMin; id <= kLabelY; ++id) {
        EXPECT_GT(check.inkInLabel.at(id), 3) << "label " << id;
    }

    if (join) {
        image.save(QString::fromStdString(std::string(TRAZEL_BINARY_DIR) + "/cli_plot.png"));
    }
}

INSTANTIATE_TEST_SUITE_P(JoinedAndDotted, PlotPngTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "Joined" : "Dots";
                         });

TEST(GraphLabels, StandWhereTheFormPutsThem) {
    // Dialog units to pixels: 1.5 across and 1.625 down, rounded half up.
    EXPECT_EQ(GraphLabelRect(kLabelXMin), QRect(413, 401, 40, 13));
    EXPECT_EQ(GraphLabelRect(kLabelXMax), QRect(659, 401, 40, 13));
    EXPECT_EQ(GraphLabelRect(kLabelYMax), QRect(680, 197, 37, 13));
    EXPECT_EQ(GraphLabelRect(kLabelY), QRect(680, 294, 12, 13));
    EXPECT_TRUE(QRect(QPoint(0, 0), kGraphPictureSize).contains(GraphLabelRect(kLabelXMax)));
}

TEST_F(GraphicsCommandsTest, LongLabelsAreCutAtTheirControlsEdge) {
    const std::string doc = SaveDocument("d.trz", TwoBands());
    const std::vector<std::string> limits = {"--xmin", "-1234567", "--xmax", "1000",
                                             "--ymin", "0",        "--ymax", "3.14159265"};
    for (const char* name : {"g.png", "g.svg"}) {
        ASSERT_EQ(Run(Concat(Concat({"plot", doc}, limits), {"-o", Path(name)})), kExitOk);
    }
    GraphSettings settings = SettingsFromOptions(false);
    settings.xMin = -1234567;
    settings.yMax = 3.14159265;
    const QImage image(QString::fromStdString(Path("g.png")));
    EXPECT_EQ(CompareWithDrawGraph(image, TwoBands(), settings).differences, 0);
    // The SVG keeps what fits of "-1.23457e+06" in 40 pixels, all of "3.14159".
    const std::string svg = Contents(Path("g.svg"));
    EXPECT_EQ(svg.find("e+06"), std::string::npos);
    EXPECT_NE(svg.find(">-1.23457</text>"), std::string::npos);
    EXPECT_NE(svg.find(">3.14159</text>"), std::string::npos);
}

struct SvgElement {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
};

std::vector<SvgElement> ReadSvg(const std::string& path) {
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    std::vector<SvgElement> elements;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            SvgElement element{xml.name().toString().toStdString(), {}, {}};
            for (const auto& attribute : xml.attributes()) {
                element.attributes[attribute.name().toString().toStdString()] =
                    attribute.value().toString().toStdString();
            }
            if (element.name == "text" || element.name == "title") {
                element.text = xml.readElementText().toStdString();
            }
            elements.push_back(element);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return elements;
}

TEST_F(GraphicsCommandsTest, PlotSvgHoldsTheBoxTicksCurvesAndLabels) {
    const std::string doc = SaveDocument("bandas.trz", TwoBands());
    ASSERT_EQ(Run(Concat(Concat({"plot", doc}, kLimits), {"--join", "-o", Path("g.SVG")})), kExitOk)
        << err_.str();
    const auto elements = ReadSvg(Path("g.SVG"));
    ASSERT_FALSE(elements.empty());
    EXPECT_EQ(elements[0].name, "svg");
    EXPECT_EQ(elements[0].attributes.at("viewBox"), "0 0 743 438");

    std::set<std::string> rects;
    std::multiset<std::string> ticks;
    std::size_t curveSegments = 0;
    std::map<std::string, std::string> labels;
    std::string title;
    for (const SvgElement& e : elements) {
        if (e.name == "rect") {
            rects.insert(e.attributes.at("x") + "," + e.attributes.at("y") + " " +
                         e.attributes.at("width") + "x" + e.attributes.at("height"));
        } else if (e.name == "polyline") {
            const std::string& points = e.attributes.at("points");
            int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            ASSERT_EQ(std::sscanf(points.c_str(), "%d,%d %d,%d", &x1, &y1, &x2, &y2), 4);
            const bool xTick = x1 == x2 && y1 == 402 && y2 == 407 && (x1 - 420) % 25 == 0;
            const bool yTick = x1 == 671 && x2 == 676 && y1 == y2 && (y1 - 200) % 20 == 0;
            if (xTick || yTick) {
                ticks.insert(points);
            } else {
                ++curveSegments;
                EXPECT_TRUE(x2 >= 420 && x2 <= 669 && y2 >= 200 && y2 <= 401) << points;
            }
        } else if (e.name == "text") {
            labels[e.attributes.at("x") + "," + e.attributes.at("y")] += e.text;
        } else if (e.name == "title") {
            title = e.text;
        }
    }
    EXPECT_EQ(title, "bandas.trz");
    // The fill and the outline of the box, inside the white ground.
    EXPECT_EQ(rects, (std::set<std::string>{"0,0 743x438", "420,200 251x202", "420,200 250x201"}));
    EXPECT_EQ(ticks.size(), 22u);
    EXPECT_EQ(ticks.count("420,402 420,407 "), 1u);
    EXPECT_EQ(ticks.count("671,400 676,400 "), 1u);
    // Joined: one segment per sample of the sum and of the flagged band.
    EXPECT_EQ(curveSegments, 500u);
    std::multiset<std::string> texts;
    for (const auto& [where, text] : labels) {
        texts.insert(text);
    }
    EXPECT_EQ(texts, (std::multiset<std::string>{"0", "1000", "0", "3", "x", "y"}));
}

class PrintTest : public GraphicsCommandsTest {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            GTEST_SKIP() << "poppler-utils (pdftotext) is not installed";
        }
    }
};

TEST_F(PrintTest, EveryPageOfTheWindowsReportTitledWithTheFileName) {
    PeakTable table = ManyPeaks(85);
    table.separate[3] = 1;
    const std::string doc = SaveDocument("muestra-2.trz", table);
    ASSERT_EQ(Run({"print", doc, "--xmin", "1000", "--xmax", "1305", "--ymin", "0", "--ymax", "4",
                   "--join", "-o", Path("cli.pdf")}),
              kExitOk)
        << err_.str();

    const std::string info = PdfInfo(Path("cli.pdf"));
    EXPECT_NE(info.find("Pages:           3\n"), std::string::npos) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
    const std::string text = PdfText(Path("cli.pdf"));
    EXPECT_EQ(Occurrences(text, "muestra-2.trz"), 3u) << text;
    EXPECT_EQ(Occurrences(text, "Usando valores de los máximos sin escalar"), 1u);
    EXPECT_EQ(Occurrences(text, "Máx. Escalado"), 3u);

    // The same pages as the window's print of the same settings.
    ReportSettings settings;
    settings.xMin = 1000;
    settings.xMax = 1305;
    settings.yMin = 0;
    settings.yMax = 4;
    settings.joinPoints = 1;
    settings.graphShown = true;
    PrintJob job;
    job.maxPage = ReportPageCount(table.count, true);
    job.printPage = [&](CDC& dc, int page) {
        PrintPage(dc, page, table, settings, PrintTitleFromCaption("muestra-2.trz - Trazel"));
    };
    ASSERT_EQ(PrintToPdfFile(Path("window.pdf"), job), std::nullopt);
    EXPECT_EQ(text, PdfText(Path("window.pdf")));

    RunTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
             QString::fromStdString(Path("cli.pdf")),
             QString::fromStdString(std::string(TRAZEL_BINARY_DIR) + "/cli_print")});
}

TEST_F(PrintTest, TitleAndLegendFollowTheOptions) {
    const std::string doc = SaveDocument("d.trz", TwoBands());
    ASSERT_EQ(Run(Concat(Concat({"print", doc}, kLimits),
                         {"--scaled", "--lorentzian", "--resolution", "1000", "--title",
                          "Informe de prueba", "-o", Path("d.pdf")})),
              kExitOk)
        << err_.str();
    EXPECT_NE(PdfInfo(Path("d.pdf")).find("Pages:           1\n"), std::string::npos);
    const std::string text = PdfText(Path("d.pdf"));
    EXPECT_NE(text.find("Informe de prueba"), std::string::npos) << text;
    EXPECT_EQ(text.find("d.trz"), std::string::npos) << text;
    EXPECT_NE(text.find("Usando valores escalados de los máximos"), std::string::npos);
}

TEST_F(GraphicsCommandsTest, PlotAndPrintNeedNoDisplay) {
    const std::string doc = SaveDocument("d.trz", TwoBands());
    const std::vector<std::string> noScreen = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                               "XDG_RUNTIME_DIR"};
    for (const char* name : {"g.png", "g.svg", "g.pdf"}) {
        const std::string command = std::string(name).ends_with(".pdf") ? "print" : "plot";
        const ProcessResult run =
            RunProgram(Concat(Concat({command, doc}, kLimits), {"-o", name}), noScreen);
        EXPECT_EQ(run.exitCode, kExitOk) << name << ": " << run.err;
        // Nothing on the terminal when all went well.
        EXPECT_EQ(run.err, "") << name;
        EXPECT_EQ(run.out, "") << name;
    }
    EXPECT_EQ(QImage(QString::fromStdString(Path("g.png"))).size(), QSize(743, 438));
    EXPECT_EQ(Contents(Path("g.svg")).rfind("<?xml", 0), 0u);
    EXPECT_EQ(Contents(Path("g.pdf")).rfind("%PDF", 0), 0u);
}

TEST_F(GraphicsCommandsTest, AFailedPlotLeavesTheOldPicture) {
    const std::string doc = SaveDocument("d.trz", TwoBands());
    std::filesystem::create_directory(Path("g.png"));
    EXPECT_EQ(Run(Concat(Concat({"plot", doc}, kLimits), {"-o", Path("g.png")})), kExitFileError);
    EXPECT_NE(err_.str().find("«" + Path("g.png") + "»: es una carpeta"), std::string::npos)
        << err_.str();
    EXPECT_TRUE(std::filesystem::is_directory(Path("g.png")));
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(Run(Concat(Concat({"print", doc}, kLimits), {"-o", "/dev/full"})),
                  kExitFileError);
        EXPECT_NE(err_.str().find("«/dev/full»: no queda espacio"), std::string::npos)
            << err_.str();
    }
}

}  // namespace
