#include "cli/graph_picture.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QString>
#include <QSvgGenerator>

#include "figure/figure.h"
#include "platform/qt/dialog_units.h"
#include "platform/qt/painter_dc.h"
#include "ui/form/form_template.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;
using namespace trazel::ui;
using namespace trazel::figure;

namespace trazel::cli {

namespace {

// text as XML character data: what a picture may hold, markup escaped.
QString XmlText(const std::string& text) {
    return PictureText(QString::fromStdString(text))
        .toHtmlEscaped()
        .replace(u'\'', QStringLiteral("&apos;"));
}

}  // namespace

QRect GraphLabelRect(int id) {
    const ControlTemplate* label = FindControl(kFormTemplate.controls, id);
    return label != nullptr ? ControlRect(*label) : QRect();
}

void PaintGraphPicture(QPainter& painter, const PeakTable& table, const GraphSettings& settings) {
    painter.fillRect(QRect(QPoint(0, 0), kGraphPictureSize), Qt::white);
    GraphLabels labels;
    {
        QPainterDC dc(painter);
        labels = DrawGraph(dc, table, settings);
    }
    // The window's labels are static controls: left-aligned, centred in their
    // height, cut off at their edges. SVG output cannot clip, so there a text
    // too long for its control loses the characters that would stick out.
    painter.save();
    painter.setFont(FormFont());
    painter.setPen(Qt::black);
    const bool clips = painter.paintEngine()->type() != QPaintEngine::SVG;
    const QFontMetrics metrics(painter.font());
    for (const auto& [id, text] : GraphLabelControls(labels)) {
        const QRect rect = GraphLabelRect(id);
        QString shown = PictureText(QString::fromStdString(text));
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
        QPainter painter;
        if (image.isNull() || !painter.begin(&image)) {
            return {};
        }
        PaintGraphPicture(painter, table, settings);
        painter.end();
        if (!image.save(&buffer, "PNG")) {
            return {};
        }
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
        QPainter painter;
        if (!painter.begin(&svg)) {
            return {};
        }
        PaintGraphPicture(painter, table, settings);
    }
    return bytes;
}

}  // namespace trazel::cli
