#include "output/data_export.h"

#include <algorithm>

#include "output/screen_graph.h"
#include "platform/number_format.h"

std::optional<std::string> CheckExportResolution(std::int32_t resolution) {
    if (resolution < 1) {
        return "La resolución es " + std::to_string(resolution) +
               ": debe ser un número entero mayor que 0. Cámbiela en el formato de salida antes "
               "de exportar.";
    }
    return std::nullopt;
}

std::string FormatExportLine(double x, double y, bool decimalComma) {
    std::string line = FormatG(x, 14);
    line += ' ';
    line += FormatG(y, 14);
    if (decimalComma) {
        std::replace(line.begin(), line.end(), '.', ',');
    }
    line += "\r\n";
    return line;
}

void WriteExportHeader(ByteSink& sink) {
    sink.Write(kExportHeader);
}

bool WriteExportLines(ByteSink& sink, const PeakTable& table, const ExportSettings& settings,
                      ProgressControl* progress) {
    if (settings.resolution < 1) {
        return true;
    }
    if (progress) {
        progress->SetRange32(0, settings.resolution);
        progress->SetPos(0);
        progress->SetStep(1);
    }
    const bool decimalComma = settings.decimalComma == 1;
    const bool useScaled = settings.useScaled != 0;
    const double step = (settings.xMax - settings.xMin) / settings.resolution;
    bool written = true;
    double x = settings.xMin;
    while (x <= settings.xMax) {
        if (progress) {
            progress->StepIt();
        }
        const double y = ProfileSum(table, settings.lineShape, useScaled, x);
        if (!sink.Write(FormatExportLine(x, y, decimalComma))) {
            written = false;
            break;
        }
        // The running x accumulates its rounding, as files written before
        // did. Where x is so large that the step no longer changes it, the
        // same line would follow forever: the file ends there instead.
        const double next = x + step;
        if (!(next > x)) {
            break;
        }
        x = next;
    }
    if (progress) {
        progress->SetPos(0);
    }
    return written;
}

std::optional<std::string> ExportFile::Open(const std::string& path) {
    if (!file_.Open(path)) {
        return std::string(kExportOpenFailed);
    }
    return std::nullopt;
}

void ExportFile::WriteHeader() {
    WriteExportHeader(file_);
}

bool ExportFile::WriteLines(const PeakTable& table, const ExportSettings& settings,
                            ProgressControl* progress) {
    return WriteExportLines(file_, table, settings, progress) && !file_.Failed();
}

std::optional<std::string> ExportFile::Close() {
    if (!file_.Close()) {
        return file_.Error();
    }
    return std::nullopt;
}

std::optional<std::string> ExportToFile(const std::string& path, const PeakTable& table,
                                        const ExportSettings& settings, ProgressControl* progress) {
    if (auto refused = CheckExportResolution(settings.resolution)) {
        return refused;
    }
    ExportFile file;
    if (auto failed = file.Open(path)) {
        return failed;
    }
    file.WriteHeader();
    if (!IsZeroRange(settings.xMin, settings.xMax)) {
        file.WriteLines(table, settings, progress);
    }
    return file.Close();
}
