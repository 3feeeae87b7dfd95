#include "ui/form/band_import.h"

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

// Which values come from the file, by column, and which the dialog gives
// every band.
QString ColumnsText(const BandList& list, const BandImportChoice& choice) {
    const BandColumns& c = list.columns;
    const std::pair<const char*, int> columns[] = {{"posición", c.position},
                                                   {"intensidad", c.intensity},
                                                   {"anchura", c.width},
                                                   {"escala", c.scale},
                                                   {"R", c.separate}};
    QStringList found;
    for (const auto& [name, column] : columns) {
        if (column >= 0) {
            found << (list.jcamp ? QString::fromUtf8(name)
                                 : QStringLiteral("%1 (columna %2)")
                                       .arg(QString::fromUtf8(name))
                                       .arg(column + 1));
        }
    }
    QStringList given;
    if (c.width < 0) {
        given << QStringLiteral("anchura %1").arg(Number(choice.width));
    }
    if (c.scale < 0) {
        given << QStringLiteral("escala %1").arg(Number(choice.scale));
    }
    QString text = list.jcamp ? QStringLiteral("Tabla de picos JCAMP-DX. ") : QString();
    text += QStringLiteral("Del archivo%1: %2.")
                .arg(c.named ? QStringLiteral(", por su encabezado") : QString(),
                     found.join(QStringLiteral(", ")));
    if (!given.isEmpty()) {
        text += QStringLiteral(" Para todas: %1.").arg(given.join(QStringLiteral(", ")));
    }
    return text;
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
