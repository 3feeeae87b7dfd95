#include "app/toolbar_images.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "app/resource.h"

namespace {

const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kShade(128, 128, 128);
const QColor kFolder(255, 255, 0);
const QColor kFolderDark(128, 128, 0);
const QColor kBlue(0, 0, 255);
const QColor kNavy(0, 0, 128);
const QColor kRed(192, 0, 0);
const QColor kGreen(0, 128, 0);

// A sheet of paper with a folded corner.
void Sheet(QPainter& p, int x, int y, int w, int h) {
    const QPoint outline[] = {{x, y}, {x + w - 4, y}, {x + w, y + 4}, {x + w, y + h}, {x, y + h}};
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPolygon(outline, 5);
    p.drawLine(x + w - 4, y, x + w - 4, y + 4);
    p.drawLine(x + w - 4, y + 4, x + w, y + 4);
}

void Lines(QPainter& p, int x, int y, int w, int count) {
    p.setPen(kShade);
    for (int i = 0; i < count; ++i) {
        p.drawLine(x, y + 2 * i, x + w, y + 2 * i);
    }
}

void New(QPainter& p) {
    Sheet(p, 3, 1, 9, 12);
}

void Open(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kFolderDark);
    p.drawRect(1, 4, 12, 9);
    const QPoint lid[] = {{3, 7}, {15, 7}, {13, 13}, {1, 13}};
    p.setBrush(kFolder);
    p.drawPolygon(lid, 4);
    p.setPen(kNavy);
    p.drawLine(9, 2, 12, 1);
    p.drawLine(12, 1, 14, 3);
    p.drawLine(14, 3, 13, 4);
}

void Save(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kNavy);
    p.drawRect(1, 1, 13, 13);
    p.setBrush(kPaper);
    p.drawRect(4, 1, 7, 5);
    p.setBrush(kShade);
    p.drawRect(4, 9, 7, 5);
    p.fillRect(5, 10, 2, 4, kNavy);
}

void Cut(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::NoBrush);
    p.drawLine(5, 1, 9, 9);
    p.drawLine(10, 1, 6, 9);
    p.setPen(QPen(kNavy, 1));
    p.drawEllipse(2, 9, 4, 4);
    p.drawEllipse(9, 9, 4, 4);
}

void Copy(QPainter& p) {
    Sheet(p, 1, 1, 8, 9);
    Lines(p, 3, 4, 4, 3);
    Sheet(p, 6, 4, 8, 10);
    Lines(p, 8, 8, 4, 3);
}

void Paste(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kFolderDark);
    p.drawRect(1, 2, 10, 12);
    p.setBrush(kShade);
    p.drawRect(4, 1, 4, 2);
    Sheet(p, 6, 5, 8, 9);
    Lines(p, 8, 9, 4, 2);
}

void Print(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(4, 1, 7, 5);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(1, 6, 13, 5);
    p.setBrush(kPaper);
    p.drawRect(3, 10, 9, 4);
    p.fillRect(11, 8, 2, 1, kGreen);
}

void OutputFormat(QPainter& p) {
    // A decimal sign between digits: the choice of point or comma.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kNavy);
    p.drawText(QRect(0, 0, 16, 15), Qt::AlignCenter, QStringLiteral("1,5"));
    p.setPen(kRed);
    p.drawLine(1, 13, 14, 13);
}

void OutputFile(QPainter& p) {
    Sheet(p, 5, 1, 9, 12);
    Lines(p, 7, 5, 5, 4);
    p.setPen(QPen(kRed, 2));
    p.drawLine(1, 7, 5, 7);
    p.drawLine(4, 5, 6, 7);
    p.drawLine(4, 9, 6, 7);
}

void Export(QPainter& p) {
    Sheet(p, 1, 1, 9, 12);
    p.setPen(kGreen);
    p.drawText(QRect(2, 3, 8, 10), Qt::AlignCenter, QStringLiteral("xy"));
    p.setPen(QPen(kBlue, 2));
    p.drawLine(9, 10, 14, 10);
    p.drawLine(12, 8, 14, 10);
    p.drawLine(12, 12, 14, 10);
}

void EditSelection(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(1, 3, 10, 10);
    p.fillRect(2, 6, 9, 2, kNavy);
    const QPoint pencil[] = {{9, 10}, {14, 3}, {15, 4}, {10, 11}};
    p.setBrush(kFolder);
    p.drawPolygon(pencil, 4);
    p.drawPoint(9, 11);
}

void Plot(QPainter& p) {
    p.setPen(kInk);
    p.drawLine(1, 1, 1, 13);
    p.drawLine(1, 13, 15, 13);
    QPainterPath curve;
    for (int x = 2; x <= 15; ++x) {
        const double d = (x - 8.0) / 2.5;
        const QPointF point(x, 12.0 - 10.0 * std::exp(-0.693 * d * d));
        if (x == 2) {
            curve.moveTo(point);
        } else {
            curve.lineTo(point);
        }
    }
    p.setPen(QPen(kBlue, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
}

void About(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kFolder);
    p.drawEllipse(1, 0, 13, 13);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kNavy);
    p.drawText(QRect(1, 0, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
}

}  // namespace

QPixmap ToolbarImage(int commandId) {
    void (*draw)(QPainter&) = nullptr;
    switch (commandId) {
        case ID_FILE_NEW:
            draw = New;
            break;
        case ID_FILE_OPEN:
            draw = Open;
            break;
        case ID_FILE_SAVE:
            draw = Save;
            break;
        case ID_EDIT_CUT:
            draw = Cut;
            break;
        case ID_EDIT_COPY:
            draw = Copy;
            break;
        case ID_EDIT_PASTE:
            draw = Paste;
            break;
        case ID_FILE_PRINT:
            draw = Print;
            break;
        case ID_OUTPUT_FORMAT:
            draw = OutputFormat;
            break;
        case ID_OUTPUT_FILE:
            draw = OutputFile;
            break;
        case IDC_EXPORT:
            draw = Export;
            break;
        case IDC_EDIT_SELECTION:
            draw = EditSelection;
            break;
        case IDC_PLOT:
            draw = Plot;
            break;
        case ID_APP_ABOUT:
            draw = About;
            break;
        default:
            return QPixmap();
    }
    QPixmap pixmap(kToolbarImageWidth, kToolbarImageHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    draw(painter);
    return pixmap;
}

QIcon ApplicationIcon() {
    // The resources live in a static library, whose registration the linker
    // would otherwise drop.
    Q_INIT_RESOURCE(trazel);
    return QIcon(QStringLiteral(":/trazel/trazel.svg"));
}
