#include "cli/graph_picture.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QString>
#include <QSvgGenerator>
#include <cmath>
#include <utility>
#include <vector>

#include "platform/qt/painter_dc.h"

namespace {

// A label control of the form: its id and its rectangle in dialog units.
struct LabelControl {
    int id;
    int x;
    int y;
    int width;
    int height;
};

constexpr LabelControl kLabelControls[] = {
    {kLabelXMin, 275, 247, 27, 8}, {kLabelX, 359, 247, 8, 8}, {kLabelXMax, 439, 247, 27, 8},
    {kLabelYMin, 453, 236, 25, 8}, {kLabelY, 453, 181, 8, 8}, {kLabelYMax, 453, 121, 25, 8},
};

// The form's dialog units are those of the original 8-point font: 6 pixels
// per 4 units across, 13 per 8 down, rounded half away from zero as the
// original's conversion did, so that the labels stand where the window has
// them.
int UnitsToPixels(int units, int pixels, int per) {
    return static_cast<int>(std::lround(static_cast<double>(units) * pixels / per));
}

// The window's form font: Liberation Sans at 10 pixels.
QFont FormFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    return font;
}

// text as XML character data: markup escaped, and the control characters
// that XML 1.0 does not allow even escaped shown as U+FFFD, as bytes that are
// not UTF-8 already are.
QString XmlText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    for (QChar& c : shown) {
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') {
            c = QChar::ReplacementCharacter;
        }
    }
    return shown.toHtmlEscaped().replace(u'\'', QStringLiteral("&apos;"));
}

}  // namespace

QRect GraphLabelRect(int id) {
    for (const LabelControl& label : kLabelControls) {
        if (label.id == id) {
            const int left = UnitsToPixels(label.x, 6, 4);
            const int top = UnitsToPixels(label.y, 13, 8);
            const int right = UnitsToPixels(label.x + label.width, 6, 4);
            const int bottom = UnitsToPixels(label.y + label.height, 13, 8);
            return QRect(left, top, right - left, bottom - top);
        }
    }
    return {};
}

void PaintGraphPicture(QPainter& painter, const PeakTable& table, const GraphSettings& settings) {
    painter.fillRect(QRect(QPoint(0, 0), kGraphPictureSize), Qt::white);
    std::vector<std::pair<int, std::string>> labels;
    {
        QPainterDC dc(painter);
        DrawGraph(dc, table, settings,
                  [&labels](int id, const std::string& text) { labels.emplace_back(id, text); });
    }
    // The window's labels are static controls: left-aligned, centred in their
    // height, cut off at their edges. SVG output cannot clip, so there a text
    // too long for its control loses the characters that would stick out.
    painter.save();
    painter.setFont(FormFont());
    painter.setPen(Qt::black);
    const bool clips = painter.paintEngine()->type() != QPaintEngine::SVG;
    const QFontMetrics metrics(painter.font());
    for (const auto& [id, text] : labels) {
        const QRect rect = GraphLabelRect(id);
        QString shown = QString::fromStdString(text);
        if (clips) {
            painter.setClipRect(rect);
        } else {
            while (!shown.isEmpty() && metrics.horizontalAdvance(shown) > rect.width()) {
                shown.chop(1);
            }
        }
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }
    painter.restore();
}

QByteArray RenderGraphPicture(const PeakTable& table, const GraphSettings& settings,
                              PictureFormat format, const std::string& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == PictureFormat::Png) {
        QImage image(kGraphPictureSize, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            PaintGraphPicture(painter, table, settings);
        }
        image.save(&buffer, "PNG");
    } else {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(kGraphPictureSize);
        svg.setViewBox(QRect(QPoint(0, 0), kGraphPictureSize));
        // At 96 dots per inch a browser shows the picture at the PNG's size.
        svg.setResolution(96);
        // Qt puts the title into the XML as it is given: a file name with
        // "<" or "&" in it would leave a file no XML reader takes, or put
        // markup of the name's choosing into it.
        svg.setTitle(XmlText(title));
        svg.setDescription(QStringLiteral("Trazel"));
        QPainter painter(&svg);
        PaintGraphPicture(painter, table, settings);
    }
    return bytes;
}
