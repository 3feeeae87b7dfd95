#include "platform/qt/print_driver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/qt/painter_dc.h"
#include "platform/temporary_files.h"

namespace trazel::platform {

namespace {

std::string CannotPrint() {
    return QCoreApplication::translate("PrintDriver",
                                       "No se pudo imprimir: la impresora no está disponible.")
        .toStdString();
}

// The reason a PDF could not be written, after "could not write <path>:".
std::string Reason(const char* text) {
    return QCoreApplication::translate("PrintDriver", text).toStdString();
}

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

// The pages in the order they leave the printer, copies included.
std::vector<int> PageSequence(const QPrinter& printer, int from, int to) {
    std::vector<int> pages;
    for (int page = from; page <= to; ++page) {
        pages.push_back(page);
    }
    if (printer.pageOrder() == QPrinter::LastPageFirst) {
        std::reverse(pages.begin(), pages.end());
    }
    // A printer that makes the copies itself wants each page once.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    std::vector<int> sequence;
    if (printer.collateCopies()) {
        for (int copy = 0; copy < copies; ++copy) {
            sequence.insert(sequence.end(), pages.begin(), pages.end());
        }
    } else {
        for (int page : pages) {
            sequence.insert(sequence.end(), static_cast<std::size_t>(copies), page);
        }
    }
    return sequence;
}

// The pages the user asked for, within the job's range.
std::pair<int, int> ChosenRange(const QPrinter& printer, const PrintJob& job) {
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        return {std::max(job.minPage, printer.fromPage()),
                std::min(job.maxPage, std::max(printer.fromPage(), printer.toPage()))};
    }
    return {job.minPage, job.maxPage};
}

}  // namespace

Status PrintPages(QPrinter& printer, const PrintJob& job, int from, int to) {
    from = std::max(from, job.minPage);
    to = std::min(to, job.maxPage);
    if (from > to) {
        return {};
    }
    if (!job.documentName.empty()) {
        printer.setDocName(ToQString(job.documentName));
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        return Status::Failure(CannotPrint());
    }
    bool first = true;
    for (int page : PageSequence(printer, from, to)) {
        if (!first && !printer.newPage()) {
            painter.end();
            return Status::Failure(CannotPrint());
        }
        first = false;
        QPainterDC dc(painter);
        if (job.printPage) {
            job.printPage(dc, page);
        }
    }
    if (!painter.end()) {
        return Status::Failure(CannotPrint());
    }
    return {};
}

PrintDriver::PrintDriver() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

PrintDriver::~PrintDriver() = default;

Status PrintDriver::Print(QWidget* parent, const PrintJob& job) {
    // Each print starts from "all pages", whatever range the last one had.
    printer_->setPrintRange(QPrinter::AllPages);
    printer_->setFromTo(0, 0);
    QPrintDialog dialog(printer_.get(), parent);
    dialog.setMinMax(job.minPage, job.maxPage);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const auto [from, to] = ChosenRange(*printer_, job);
    return PrintPages(*printer_, job, from, to);
}

Status PrintDriver::PrintDirect(const PrintJob& job) {
    if (!printer_->isValid()) {
        return Status::Failure(CannotPrint());
    }
    printer_->setPrintRange(QPrinter::AllPages);
    return PrintPages(*printer_, job, job.minPage, job.maxPage);
}

void PrintDriver::Preview(QWidget* parent, const PrintJob& job) {
    // The preview shows every page; printing from it asks again for a range.
    printer_->setPrintRange(QPrinter::AllPages);
    printer_->setFromTo(0, 0);
    QPrintPreviewDialog dialog(printer_.get(), parent);
    QObject::connect(
        &dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&job](QPrinter* printer) {
            const auto [from, to] = ChosenRange(*printer, job);
            // The preview's own print has nowhere to report to.
            [[maybe_unused]] const Status printed = PrintPages(*printer, job, from, to);
        });
    dialog.exec();
}

bool PrintDriver::PageSetup(QWidget* parent) {
    QPageSetupDialog dialog(printer_.get(), parent);
    return dialog.exec() == QDialog::Accepted;
}

bool IsCompletePdf(const QByteArray& pdf) {
    const auto startsAt = [&pdf](qsizetype offset, const QByteArray& text) {
        return pdf.mid(offset, text.size()) == text;
    };
    if (!pdf.startsWith("%PDF-")) {
        return false;
    }
    // The end: "startxref", the offset of the cross-reference table, "%%EOF".
    const qsizetype start = pdf.lastIndexOf("startxref");
    const qsizetype end = pdf.lastIndexOf("%%EOF");
    if (start < 0 || end < start || !pdf.mid(end + 5).trimmed().isEmpty()) {
        return false;
    }
    bool ok = false;
    const qsizetype table = pdf.mid(start + 9, end - start - 9).trimmed().toLongLong(&ok);
    if (!ok || table < 0 || table >= start || !startsAt(table, "xref")) {
        return false;
    }
    // Every object the table lists must begin where the table says: a write
    // lost in the middle shifts everything after it.
    const QList<QByteArray> lines = pdf.mid(table, start - table).split('\n');
    qsizetype number = 0;
    for (const QByteArray& raw : lines) {
        const QList<QByteArray> fields = raw.trimmed().split(' ');
        if (fields.front() == "trailer") {
            break;
        }
        if (fields.size() == 2) {
            number = fields[0].toLongLong(&ok);
            if (!ok) {
                return false;
            }
        } else if (fields.size() == 3 && fields[2] == "n") {
            const qsizetype offset = fields[0].toLongLong(&ok);
            if (!ok || offset < 0 || offset >= table ||
                !startsAt(offset, QByteArray::number(number) + ' ' +
                                      QByteArray::number(fields[1].toInt()) + " obj")) {
                return false;
            }
            ++number;
        } else if (fields.size() == 3 && fields[2] == "f") {
            ++number;
        }
    }
    return true;
}

Status PrintToPdfFile(const std::string& path, const PrintJob& job) {
    const auto failure = [&path](const std::string& why) {
        return FileFailure(FileOperation::Write, path, why);
    };
    // Qt writes the PDF to a file of its own and says nothing when that fails
    // (a full disk, a size limit): the file it leaves is read back and taken
    // only when it is whole, and then goes through the same replacement as
    // every other output.
    QByteArray bytes;
    {
        QTemporaryDir scratch;
        if (!scratch.isValid()) {
            return failure(QCoreApplication::translate(
                               "PrintDriver", "no se pudo crear la carpeta temporal en «%1»")
                               .arg(QDir::tempPath())
                               .toStdString());
        }
        const QString temp = scratch.filePath(QStringLiteral("informe.pdf"));
        // Removed even when a signal or an unhandled failure ends the run.
        const TemporaryPath folderGuard(scratch.path().toStdString());
        const TemporaryPath fileGuard(temp.toStdString());
        {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(temp);
            printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                              QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
            printer.setCreator(QStringLiteral("Trazel"));
            if (!PrintPages(printer, job, job.minPage, job.maxPage).ok()) {
                return failure(
                    Reason(QT_TRANSLATE_NOOP("PrintDriver", "no se pudo generar el PDF")));
            }
        }
        QFile file(temp);
        if (!file.open(QIODevice::ReadOnly)) {
            return failure(Reason(QT_TRANSLATE_NOOP("PrintDriver", "no se pudo generar el PDF")));
        }
        bytes = file.readAll();
    }
    if (!IsCompletePdf(bytes)) {
        return failure(
            QCoreApplication::translate(
                "PrintDriver", "el PDF salió incompleto (¿se ha llenado la carpeta temporal «%1»?)")
                .arg(QDir::tempPath())
                .toStdString());
    }
    return WriteFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace trazel::platform
