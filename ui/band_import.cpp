#include "ui/band_import.h"

#include "model/trazel_doc.h"
#include "output/peak_list.h"
#include "platform/number_format.h"

using namespace trazel::input;
using namespace trazel::model;
using namespace trazel::output;
using namespace trazel::platform;

namespace trazel::ui {

namespace {

QString Number(double value) {
    return QString::fromStdString(FormatG(value, 9));
}

// "posición 1", or the value every band takes when the file has no such
// column.
QString ColumnText(const char* name, int column, const QString& otherwise) {
    return column >= 0 ? QStringLiteral("%1 %2").arg(QString::fromUtf8(name)).arg(column + 1)
                       : QStringLiteral("%1 %2").arg(QString::fromUtf8(name), otherwise);
}

QString ColumnsText(const BandList& list, const BandImportChoice& choice) {
    const BandColumns& c = list.columns;
    const QString width = ColumnText("anchura", c.width, Number(choice.width));
    const QString scale = ColumnText("escala", c.scale, Number(choice.scale));
    if (list.jcamp) {
        return QStringLiteral("Tabla de picos JCAMP-DX: %1, %2.").arg(width, scale);
    }
    QStringList columns{ColumnText("posición", c.position, QString()),
                        ColumnText("intensidad", c.intensity, QString()), width, scale};
    if (c.separate >= 0) {
        columns << ColumnText("R", c.separate, QString());
    }
    return QStringLiteral("Columnas%1: %2; la anchura y la escala sin columna son las de abajo.")
        .arg(c.named ? QStringLiteral(" (por su encabezado)") : QString(),
             columns.join(QStringLiteral(", ")));
}

}  // namespace

BandListOptions ImportOptions(const BandImportChoice& choice, std::int32_t lineShape, int room) {
    return BandListOptions{.width = choice.width,
                           .scale = choice.scale,
                           .intensitiesAreAreas = choice.areas,
                           .lineShape = lineShape,
                           .room = room};
}

BandPreview PreviewOf(const ReadResult<BandList>& read, const BandImportChoice& choice,
                      std::int32_t lineShape) {
    BandPreview preview;
    if (!read.Ok()) {
        preview.summary = QString::fromStdString(read.Message());
        return preview;
    }
    const BandList& list = read.Value();
    preview.ok = true;
    const auto count = static_cast<int>(list.bands.size());
    preview.summary =
        (count == 1 ? QStringLiteral("1 banda. ") : QStringLiteral("%1 bandas. ").arg(count)) +
        ColumnsText(list, choice);
    if (choice.areas) {
        preview.summary +=
            lineShape == Lorentzian
                ? QStringLiteral(" Las áreas pasan a alturas de bandas lorentzianas.")
                : QStringLiteral(" Las áreas pasan a alturas de bandas gaussianas.");
    }
    for (const char* heading : kPeakListHeadings) {
        preview.headings << QString::fromUtf8(heading);
    }
    // In file order, as the list would show each band once it is in.
    CTrazelDoc shown;
    shown.AddBands(list.bands);
    for (int i = 1; i < shown.Table().count; ++i) {
        QStringList row;
        for (const std::string& cell : PeakListCells(shown.Table(), i)) {
            row << QString::fromStdString(cell);
        }
        preview.rows.push_back(row);
    }
    return preview;
}

}  // namespace trazel::ui
