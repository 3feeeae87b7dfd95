#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <map>
#include <regex>

#include "cli/graph_picture.h"
#include "model/document_file.h"
#include "model/table_edits.h"
#include "output/printed_report.h"
#include "platform/qt/painter_dc.h"
#include "platform/qt/print_driver.h"
#include "tests/cli/cli_fixture.h"
#include "tests/support/peak_tables.h"
#include "ui/control_ids.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;
using namespace trazel::ui;
using namespace trazel::cli;

// plot and print against the window's drawing code: the same pixels at the
// same places, the same report pages.

namespace {

const std::string kLimits = " --xmin 0 --xmax 1000 --ymin 0 --ymax 3 ";

// The window's fields for kLimits.
GraphSettings LimitsSettings(bool join) {
    GraphSettings settings;
    settings.curve.xMax = 1000;
    settings.curve.yMax = 3;
    settings.curve.joinPoints = join;
    return settings;
}

// A band of 2 at 500 and a wide band of 1 at 800 flagged to be drawn alone.
PeakTable TwoBands() {
    return TableOf(
        {{500, 2, 10}, {.position = 800, .intensity = 1, .width = 20, .separate = true}});
}

std::string RunTool(const char* program, const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromLatin1(program), arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return {};
    }
    return process.readAllStandardOutput().toStdString();
}

std::string PdfText(const std::string& pdf) {
    return RunTool("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
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

struct LabelCheck {
    // Pixels outside the label controls that differ from DrawGraph's.
    int differences = 0;
    // Dark pixels inside each label control.
    std::map<int, int> inkInLabel;
};

// Everything but the labels must be what DrawGraph draws through the same
// device context on a white picture.
LabelCheck CompareWithDrawGraph(const QImage& image, const GraphSettings& settings) {
    QImage window(image.size(), QImage::Format_RGB32);
    window.fill(Qt::white);
    {
        QPainter painter(&window);
        QPainterDC dc(painter);
        DrawGraph(dc, TwoBands(), settings);
    }
    LabelCheck check;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            int label = 0;
            for (int id = IDC_LABEL_X_MIN; id <= IDC_LABEL_Y; ++id) {
                label = GraphLabelRect(id).contains(x, y) ? id : label;
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
    void SetUp() override { ASSERT_TRUE(SavePeakTableFile(Path("bandas.trz"), TwoBands()).ok()); }
};

class PlotPngTest : public GraphicsCommandsTest, public testing::WithParamInterface<bool> {};

TEST_P(PlotPngTest, TheWindowsGraphAtItsPixelsWithTheLabelsAround) {
    const bool join = GetParam();
    ASSERT_EQ(Run(Words("plot @bandas.trz" + kLimits + (join ? "--join" : "") + " -o @g.png")),
              kExitOk)
        << err_.str();

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
    EXPECT_EQ(IsBlack(image, 544, 290) || IsBlack(image, 545, 290), join);

    const LabelCheck check = CompareWithDrawGraph(image, LimitsSettings(join));
    EXPECT_EQ(check.differences, 0);
    for (int id = IDC_LABEL_X_MIN; id <= IDC_LABEL_Y; ++id) {
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

TEST_F(GraphicsCommandsTest, PlotSvgHoldsTheBoxTicksCurvesAndLabels) {
    ASSERT_EQ(Run(Words("plot @bandas.trz" + kLimits + "--join -o @g.SVG")), kExitOk) << err_.str();
    const std::string svg = Contents(Path("g.SVG"));
    EXPECT_NE(svg.find("viewBox=\"0 0 743 438\""), std::string::npos);
    EXPECT_NE(svg.find("<title>bandas.trz</title>"), std::string::npos);
    // The box's fill and its outline.
    EXPECT_NE(svg.find("<rect x=\"420\" y=\"200\" width=\"251\" height=\"202\"/>"),
              std::string::npos);
    EXPECT_NE(svg.find("x=\"420\" y=\"200\" width=\"250\" height=\"201\"/>"), std::string::npos);

    const std::regex segment("points=\"(\\d+),(\\d+) (\\d+),(\\d+) \"");
    int ticks = 0;
    int curve = 0;
    for (std::sregex_iterator it(svg.begin(), svg.end(), segment), end; it != end; ++it) {
        const int x1 = std::stoi((*it)[1]), y1 = std::stoi((*it)[2]);
        const int x2 = std::stoi((*it)[3]), y2 = std::stoi((*it)[4]);
        if ((x1 == x2 && y1 == 402 && y2 == 407) || (x1 == 671 && x2 == 676 && y1 == y2)) {
            ++ticks;
        } else {
            ++curve;
            EXPECT_TRUE(x2 >= 420 && x2 <= 669 && y2 >= 200 && y2 <= 401) << it->str();
        }
    }
    EXPECT_EQ(ticks, 22);
    // Joined: one segment per sample of the sum and of the flagged band.
    EXPECT_EQ(curve, 500);
    for (const char* label : {">0</text>", ">1000</text>", ">3</text>", ">x</text>", ">y</text>"}) {
        EXPECT_NE(svg.find(label), std::string::npos) << label;
    }
}

TEST_F(GraphicsCommandsTest, LongLabelsAreCutAtTheirControlsEdge) {
    const std::string limits = " --xmin -1234567 --xmax 1000 --ymin 0 --ymax 3.14159265 ";
    for (const char* name : {"g.png", "g.svg"}) {
        ASSERT_EQ(Run(Words("plot @bandas.trz" + limits + "-o @" + name)), kExitOk);
    }
    GraphSettings settings = LimitsSettings(false);
    settings.curve.xMin = -1234567;
    settings.curve.yMax = 3.14159265;
    const QImage image(QString::fromStdString(Path("g.png")));
    EXPECT_EQ(CompareWithDrawGraph(image, settings).differences, 0);
    // SVG cannot clip: it keeps what fits of "-1.23457e+06" in 40 pixels.
    const std::string svg = Contents(Path("g.svg"));
    EXPECT_EQ(svg.find("e+06"), std::string::npos);
    EXPECT_NE(svg.find(">-1.23457</text>"), std::string::npos);
    EXPECT_NE(svg.find(">3.14159</text>"), std::string::npos);
}

class PrintTest : public GraphicsCommandsTest {
  protected:
    void SetUp() override {
        GraphicsCommandsTest::SetUp();
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            GTEST_SKIP() << "poppler-utils (pdftotext) is not installed";
        }
    }
};

TEST_F(PrintTest, EveryPageOfTheWindowsReportTitledWithTheFileName) {
    // Peaks 10 apart from 1010 on, of heights 2, 3, 1, 2, ...
    PeakTable table;
    for (int k = 1; k <= 85; ++k) {
        AddPeak(table, 1000 + 10 * k, 1.0 + (k % 3), 12.0, 1.0);
    }
    table.Band(3).separate = 1;
    ASSERT_TRUE(SavePeakTableFile(Path("muestra-2.trz"), table).ok());
    ASSERT_EQ(Run(Words("print @muestra-2.trz --xmin 1000 --xmax 1305 --ymin 0 --ymax 4 --join "
                        "-o @cli.pdf")),
              kExitOk)
        << err_.str();

    const std::string info = RunTool("pdfinfo", {QString::fromStdString(Path("cli.pdf"))});
    EXPECT_NE(info.find("Pages:           3\n"), std::string::npos) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
    const std::string text = PdfText(Path("cli.pdf"));
    EXPECT_EQ(Occurrences(text, "muestra-2.trz"), 3u) << text;
    EXPECT_EQ(Occurrences(text, "Usando valores de los máximos sin escalar"), 1u);

    // The same pages as the window's print of the same settings.
    ReportSettings settings;
    settings.curve = LimitsSettings(true).curve;
    settings.curve.xMin = 1000;
    settings.curve.xMax = 1305;
    settings.curve.yMax = 4;
    settings.graphShown = true;
    PrintJob job;
    job.maxPage = ReportPageCount(table.PeakCount() + 1);
    job.printPage = [&](CDC& dc, int page) {
        PrintPage(dc, page, table, settings, PrintTitleFromCaption("muestra-2.trz - Trazel"));
    };
    ASSERT_TRUE(PrintToPdfFile(Path("window.pdf"), job).ok());
    EXPECT_EQ(text, PdfText(Path("window.pdf")));

    RunTool("pdftoppm", {"-png", "-r", "60", QString::fromStdString(Path("cli.pdf")),
                         QString::fromStdString(std::string(TRAZEL_BINARY_DIR) + "/cli_print")});
}

TEST_F(PrintTest, TitleAndLegendFollowTheOptions) {
    ASSERT_EQ(Run(Words("print @bandas.trz" + kLimits +
                        "--scaled --lorentzian --resolution 1000 --title Informe -o @d.pdf")),
              kExitOk)
        << err_.str();
    const std::string text = PdfText(Path("d.pdf"));
    EXPECT_NE(text.find("Informe"), std::string::npos) << text;
    EXPECT_EQ(text.find("bandas.trz"), std::string::npos) << text;
    EXPECT_NE(text.find("Usando valores escalados de los máximos"), std::string::npos);
}

TEST_F(GraphicsCommandsTest, PlotAndPrintNeedNoDisplay) {
    const std::vector<std::string> noScreen = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                               "XDG_RUNTIME_DIR", "TMPDIR=" + Path("tmp")};
    std::filesystem::create_directory(Path("tmp"));
    for (const std::string name : {"g.png", "g.svg", "g.pdf", "f.png"}) {
        const std::string command = name[0] == 'f'           ? "figure"
                                    : name.ends_with(".pdf") ? "print"
                                                             : "plot";
        const ProcessResult run =
            RunProgram(Words(command + " bandas.trz" + kLimits + "-o " + name), noScreen);
        EXPECT_EQ(run.exitCode, kExitOk) << name << ": " << run.err;
        // Nothing on the terminal when all went well.
        EXPECT_EQ(run.err + run.out, "") << name;
    }
    EXPECT_EQ(QImage(QString::fromStdString(Path("g.png"))).size(), QSize(743, 438));
    EXPECT_EQ(Contents(Path("g.svg")).rfind("<?xml", 0), 0u);
    EXPECT_EQ(Contents(Path("g.pdf")).rfind("%PDF", 0), 0u);
    // Nor is Qt's runtime folder ("runtime-root") left in the temporary folder.
    EXPECT_TRUE(std::filesystem::is_empty(Path("tmp")));
}

}  // namespace

// The document's file name is plot's SVG title, and figure draws its axis
// titles and the measured file's name: whatever they hold, the file must stay
// XML that a parser reads back, with the text in it, a control character as
// U+FFFD.
struct SvgText {
    const char* option;  // figure's option with the text; "" for plot's title
    std::string text;
};

void PrintTo(const SvgText& c, std::ostream* os) {
    *os << c.option << testing::PrintToString(c.text);
}

// The text of an SVG file's titles and text elements, all run together; an
// XML fault fails the test.
QString SvgTexts(const std::string& svg) {
    QXmlStreamReader xml(QByteArray::fromStdString(svg));
    QString shown;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (xml.isStartElement() &&
            (xml.name() == QStringLiteral("title") || xml.name() == QStringLiteral("text"))) {
            shown += xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return shown;
}

class SvgTitle : public GraphicsCommandsTest, public testing::WithParamInterface<SvgText> {};

TEST_P(SvgTitle, IsEscapedXmlText) {
    const auto& [option, text] = GetParam();
    const bool figure = *option != '\0';
    WriteBytes(Path(text), "0 0\n1000 1\n");
    const std::string doc = Path(figure ? "bandas.trz" : text);
    WriteBytes(doc, Contents(Path("bandas.trz")));
    std::vector<std::string> args = Words("--xmin 0 --xmax 1000 --ymin 0 --ymax 1 -o @g.svg");
    args.insert(args.begin(), {figure ? "figure" : "plot", doc});
    if (figure) {
        args.insert(args.end(), {option, std::string(option) == "--measured" ? Path(text) : text});
    }
    ASSERT_EQ(Run(args), kExitOk) << err_.str();
    const QString shown = SvgTexts(Contents(Path("g.svg")));
    EXPECT_TRUE(shown.contains(QString::fromStdString(text).replace(u'\001', QChar(0xFFFD))))
        << shown.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Plot, SvgTitle,
                         testing::Values(SvgText{"", "R&D <informe>.trz"},
                                         SvgText{"", "\"comillas\" y 'apóstrofos'.trz"},
                                         SvgText{"", "<svg onload=\"alert(1)\">.trz"},
                                         SvgText{"", "&amp; ya escapado.trz"},
                                         SvgText{"", "control\001.trz"},
                                         SvgText{"--xtitle", "x \001 <&> 'y'"},
                                         SvgText{"--measured", "medido\001 & <b>.txt"}));

// The axes of a figure take their titles from the measured spectrum's units
// as its transform leaves them, unless the user typed others.
TEST_F(GraphicsCommandsTest, FigureAxesNameTheUnitsOfTheMeasuredSpectrum) {
    const std::string measured =
        " --measured " + std::string(TRAZEL_TEST_DATA) + "/jcamp/dupinc1.jdx -o @g.svg";
    ASSERT_EQ(Run(Words("figure @bandas.trz --xmin 20000 --xmax 40000" + measured +
                        " --x nanometre-to-wavenumber")),
              kExitOk)
        << err_.str();
    QString shown = SvgTexts(Contents(Path("g.svg")));
    EXPECT_TRUE(shown.contains(QStringLiteral("Número de onda (cm⁻¹)"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("Absorbancia"))) << shown.toStdString();
    ASSERT_EQ(Run(Words("figure @bandas.trz --xmin 200 --xmax 500 --ytitle A" + measured)),
              kExitOk);
    shown = SvgTexts(Contents(Path("g.svg")));
    EXPECT_TRUE(shown.contains(QStringLiteral("Longitud de onda (nm)"))) << shown.toStdString();
    EXPECT_FALSE(shown.contains(QStringLiteral("Absorbancia"))) << shown.toStdString();
}

namespace {

// figure refuses what it cannot draw with a message in Spanish, and leaves
// no picture, and no file beside it, behind.
struct FigureFault {
    const char* name;
    std::string line;
    int exitCode;
    std::string message;
};

class FigureFaults : public GraphicsCommandsTest,
                     public testing::WithParamInterface<FigureFault> {};

TEST_P(FigureFaults, SayWhyAndWriteNothing) {
    const FigureFault& fault = GetParam();
    WriteBytes(Path("vacio.txt"), "");
    WriteBytes(Path("malo.csv"), "x;y\n1;2\n2;3\n3;tres\n");
    const std::vector<std::string> before = Files();
    const std::string xLimits =
        fault.line.find("--xmin") == std::string::npos ? "--xmin 0 --xmax 1000 " : "";
    EXPECT_EQ(Run(Words("figure @bandas.trz " + xLimits + fault.line)), fault.exitCode);
    EXPECT_NE(err_.str().find(fault.message), std::string::npos) << err_.str();
    EXPECT_EQ(Files(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FigureFaults,
    testing::Values(
        FigureFault{"unknownEnding", "-o @f.gif", kExitUsage, ".png, .svg o .pdf"},
        FigureFault{"oneYLimit", "--ymin 0 -o @f.png", kExitUsage, "--ymin y --ymax van juntas"},
        FigureFault{"sizeWithoutX", "--size 800 -o @f.png", kExitUsage, "ANCHOxALTO"},
        FigureFault{"sizeTooLarge", "--size 800x90000 -o @f.png", kExitUsage,
                    "--size: la imagen debe tener de 16 a 20000 píxeles por lado, no «800x90000»"},
        FigureFault{"sizeZero", "--size 0x0 -o @f.png", kExitUsage,
                    "de 16 a 20000 píxeles por lado, no «0x0»"},
        FigureFault{"xBeyondTheAxis", "--xmin -1e308 --xmax 1e308 -o @f.png", kExitUsage,
                    "un eje no puede mostrar de -1e+308 a 1e+308"},
        FigureFault{"yBeyondTheAxis", "--ymin 0 --ymax 1e300 -o @f.png", kExitUsage,
                    "un eje no puede mostrar de 0 a 1e+300"},

        FigureFault{"paperTooLarge", "--width-cm 100 --dpi 1200 -o @f.png", kExitUsage,
                    "entre 16 y 20000"},
        FigureFault{"negativeWidth", "--width-in -2 -o @f.png", kExitUsage, "mayor que 0"},
        FigureFault{"dpiNotANumber", "--dpi mucho -o @f.png", kExitUsage, "--dpi"},
        FigureFault{"dpiTooSmall", "--dpi 1 -o @f.png", kExitUsage, "entre 10 y 10000"},
        FigureFault{"twoSizes", "--size 800x600 --width-cm 8 -o @f.png", kExitUsage,
                    "de una sola manera"},
        FigureFault{"overTheMeasuredFile", "--measured @malo.csv -o @malo.csv", kExitUsage,
                    "propio espectro medido"},
        FigureFault{"emptyMeasured", "--measured @vacio.txt -o @f.png", kExitFileError,
                    "vacio.txt"},
        FigureFault{"badMeasuredLine", "--measured @malo.csv -o @f.png", kExitFileError,
                    "la línea 4"},
        FigureFault{"factorWithoutMeasured", "--yfactor 2 -o @f.png", kExitUsage,
                    "--yfactor multiplica el espectro de --measured"},
        FigureFault{"zeroFactor", "--measured @malo.csv --yfactor 0 -o @f.png", kExitUsage,
                    "distinto de 0"},
        FigureFault{"transformWithoutMeasured", "--y negate -o @f.png", kExitUsage, "falta"},
        FigureFault{"unknownTransform", "--measured @malo.csv --x nm -o @f.png", kExitUsage,
                    "--x espera"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
