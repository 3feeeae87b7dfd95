#include "ui/form/fit_files.h"

#include <QApplication>
#include <QDate>

#include "platform/version.h"

using namespace trazel::platform;

namespace trazel::ui {

namespace {

// The path chosen for a file that must end in one of the endings the
// format names, or nothing after saying why.
std::optional<std::string> ChosenPath(const Services& services, QWidget* owner,
                                      const QString& caption, const QString& suggested,
                                      bool textAllowed) {
    const auto path = services.Files().GetSaveFileName(owner, caption, suggested);
    if (!path) {
        return std::nullopt;
    }
    const auto format = analysis::ReportFormatFor(path->toStdString());
    if (!format || (!textAllowed && format != analysis::ReportFormat::Csv)) {
        services.AfxMessageBox(
            owner,
            (textAllowed
                 ? QCoreApplication::translate(
                       "FitFiles",
                       "No se puede exportar «%1»: el nombre debe acabar en .txt o .csv.")
                 : QCoreApplication::translate(
                       "FitFiles", "No se puede exportar «%1»: el nombre debe acabar en .csv."))
                .arg(*path),
            MessageKind::Warning);
        return std::nullopt;
    }
    return path->toStdString();
}

void TellFailure(const Status& written, const Services& services, QWidget* owner) {
    if (!written.ok()) {
        services.AfxMessageBox(owner, QString::fromStdString(written.message()),
                               MessageKind::Warning);
    }
}

}  // namespace

analysis::ReportOrigin ReportOriginOf(const document::CTrazelDoc& document) {
    return {.document = document.GetTitle(),
            .date = QDate::currentDate().toString(Qt::ISODate).toStdString(),
            .version = kTrazelVersion};
}

void ExportFitReport(const document::CTrazelDoc& document,
                     const std::vector<const analysis::FitRecord*>& fits, const Services& services,
                     QWidget* owner) {
    const auto& measured = document.GetAnalysis().measured;
    if (!measured) {
        return;
    }
    const auto path = ChosenPath(
        services, owner, QCoreApplication::translate("FitFiles", "Exportar resultado del ajuste"),
        QCoreApplication::translate("FitFiles", "ajuste.txt"), true);
    if (path) {
        TellFailure(analysis::WriteFitReport(*path, *measured, fits, ReportOriginOf(document)),
                    services, owner);
    }
}

void ExportFitCurves(const document::CTrazelDoc& document,
                     const std::vector<const analysis::FitRecord*>& fits, const Services& services,
                     QWidget* owner) {
    const auto& measured = document.GetAnalysis().measured;
    if (!measured) {
        return;
    }
    const auto path = ChosenPath(
        services, owner, QCoreApplication::translate("FitFiles", "Exportar curvas del ajuste"),
        QCoreApplication::translate("FitFiles", "curvas.csv"), false);
    if (path) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const Status written = analysis::WriteFitCurvesFile(*path, *measured, fits);
        QApplication::restoreOverrideCursor();
        TellFailure(written, services, owner);
    }
}

}  // namespace trazel::ui
