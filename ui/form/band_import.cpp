#include "ui/form/band_import.h"

#include <QCoreApplication>

#include "model/table_edits.h"
#include "output/peak_list.h"
#include "platform/number_format.h"

using namespace trazel::input;
using namespace trazel::model;
using namespace trazel::output;
using namespace trazel::platform;

namespace trazel::ui {

namespace {

// The headings of output::kPeakListHeadings, marked here where they are
// translated.
[[maybe_unused]] constexpr const char* kHeadingTexts[] = {
    QT_TRANSLATE_NOOP("PeakList", "Máximo"),  QT_TRANSLATE_NOOP("PeakList", "Escala"),
    QT_TRANSLATE_NOOP("PeakList", "Máx*Esc"), QT_TRANSLATE_NOOP("PeakList", "Intensidad"),
    QT_TRANSLATE_NOOP("PeakList", "Anchura"), QT_TRANSLATE_NOOP("PeakList", "R"),
    QT_TRANSLATE_NOOP("PeakList", "Forma")};

QString Tr(const char* text) {
    return QCoreApplication::translate("BandImport", text);
}

QString Number(double value) {
    return QString::fromStdString(FormatG(value, 9));
}

// Which values come from the file, by column, and which the dialog gives
// every band.
QString ColumnsText(const BandList& list, const BandImportChoice& choice) {
    const BandColumns& c = list.columns;
    const std::pair<const char*, int> columns[] = {
        {QT_TRANSLATE_NOOP("BandImport", "posición"), c.position},
        {QT_TRANSLATE_NOOP("BandImport", "intensidad"), c.intensity},
        {QT_TRANSLATE_NOOP("BandImport", "anchura"), c.width},
        {QT_TRANSLATE_NOOP("BandImport", "escala"), c.scale},
        {QT_TRANSLATE_NOOP("BandImport", "R"), c.separate}};
    QStringList found;
    for (const auto& [name, column] : columns) {
        if (column >= 0) {
            found << (list.jcamp || list.program
                          ? Tr(name)
                          : Tr(QT_TRANSLATE_NOOP("BandImport", "%1 (columna %2)"))
                                .arg(Tr(name))
                                .arg(column + 1));
        }
    }
    QStringList given;
    if (c.width < 0) {
        given << Tr(QT_TRANSLATE_NOOP("BandImport", "anchura %1")).arg(Number(choice.width));
    }
    if (c.scale < 0) {
        given << Tr(QT_TRANSLATE_NOOP("BandImport", "escala %1")).arg(Number(choice.scale));
    }
    QString text =
        list.jcamp ? Tr(QT_TRANSLATE_NOOP("BandImport", "Tabla de picos JCAMP-DX. ")) : QString();
    if (list.program) {
        // A band per normal mode, of the intensities chosen.
        const QString program = QString::fromLatin1(input::QcProgramName(*list.program));
        switch (choice.kind) {
            case BandImportChoice::Kind::Infrared:
                text = Tr(QT_TRANSLATE_NOOP("BandImport",
                                            "Análisis de frecuencias de %1: intensidades "
                                            "infrarrojas en km/mol, tomadas como áreas. "))
                           .arg(program);
                break;
            case BandImportChoice::Kind::RamanActivity:
                text = Tr(QT_TRANSLATE_NOOP("BandImport",
                                            "Análisis de frecuencias de %1: actividades Raman en "
                                            "Å⁴/amu, tal como se imprimen. "))
                           .arg(program);
                break;
            case BandImportChoice::Kind::RamanIntensity:
                text = Tr(QT_TRANSLATE_NOOP("BandImport",
                                            "Análisis de frecuencias de %1: intensidades Raman "
                                            "con el láser a %2 nm y %3 K, la más alta 100. "))
                           .arg(program, Number(choice.laserNm), Number(choice.temperature));
                break;
        }
        if (!list.note.empty()) {
            // The note is a clause for the command line's "file: note."; here
            // it is a sentence of its own.
            QString note = QString::fromStdString(list.note);
            note[0] = note[0].toUpper();
            text += note + QStringLiteral(". ");
        }
    }
    text += (c.named ? Tr(QT_TRANSLATE_NOOP("BandImport", "Del archivo, por su encabezado: %1."))
                     : Tr(QT_TRANSLATE_NOOP("BandImport", "Del archivo: %1.")))
                .arg(found.join(QStringLiteral(", ")));
    if (!given.isEmpty()) {
        text += Tr(QT_TRANSLATE_NOOP("BandImport", " Para todas: %1."))
                    .arg(given.join(QStringLiteral(", ")));
    }
    return text;
}

}  // namespace

QString PeakListHeading(const char* heading) {
    return QCoreApplication::translate("PeakList", heading);
}

BandListOptions ImportOptions(const BandImportChoice& choice, std::int32_t lineShape, int room) {
    // The window takes the strongest modes that fit, and says so, rather than
    // refusing an output with more than the table holds.
    return BandListOptions{.width = choice.width > 0.0 ? std::optional(choice.width) : std::nullopt,
                           .scale = choice.scale,
                           .intensitiesAreAreas = choice.areas,
                           .lineShape = lineShape,
                           .room = room,
                           .kind = choice.kind,
                           .laserNm = choice.laserNm,
                           .temperature = choice.temperature,
                           .range = choice.range,
                           .strongest = true};
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
    preview.computed = list.program.has_value();
    const auto count = static_cast<int>(list.bands.size());
    preview.summary = (count == 1 ? Tr(QT_TRANSLATE_NOOP("BandImport", "1 banda. "))
                                  : Tr(QT_TRANSLATE_NOOP("BandImport", "%1 bandas. ")).arg(count)) +
                      ColumnsText(list, choice);
    if (choice.areas || (list.program && choice.kind == BandImportChoice::Kind::Infrared)) {
        preview.summary +=
            lineShape == Lorentzian
                ? Tr(QT_TRANSLATE_NOOP("BandImport",
                                       " Las áreas pasan a alturas de bandas lorentzianas."))
                : Tr(QT_TRANSLATE_NOOP("BandImport",
                                       " Las áreas pasan a alturas de bandas gaussianas."));
    }
    for (const char* heading : kPeakListHeadings) {
        preview.headings << PeakListHeading(heading);
    }
    // In file order, as the list would show each band once it is in.
    PeakTable shown;
    AddBands(shown, list.bands);
    for (int i = 1; i <= shown.PeakCount(); ++i) {
        QStringList row;
        for (const std::string& cell : PeakListCells(shown, i)) {
            row << QString::fromStdString(cell);
        }
        preview.rows.push_back(row);
    }
    return preview;
}

}  // namespace trazel::ui
