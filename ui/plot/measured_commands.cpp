#include "ui/plot/measured_commands.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <future>
#include <new>
#include <vector>

#include "figure/figure.h"
#include "platform/file_errors.h"
#include "platform/qt/recent_file_list.h"
#include "ui/dialogs/measured_dialogs.h"
#include "ui/form/document_context.h"

using namespace trazel::analysis;
using namespace trazel::input;
using namespace trazel::platform;
using namespace trazel::figure;

// The texts are translated in the context "MeasuredCommands", named outright: tr() would
// look them up under the class's name with its namespace, which lupdate,
// reading this file without the headers it includes, does not see.
namespace trazel::ui {

namespace {

const QString kSection = QStringLiteral("Measured Spectra");
const QString kArray = QStringLiteral("Documents");
const QString kDocumentKey = QStringLiteral("Document");
const QString kFileKey = QStringLiteral("File");
const QString kXColumnKey = QStringLiteral("XColumn");
const QString kYColumnKey = QStringLiteral("YColumn");
// Lines of the file shown when the user chooses its columns.
constexpr int kPreviewLines = 8;
// How often the progress dialog takes the reader's count.
constexpr int kProgressIntervalMs = 50;
constexpr int kProgressSteps = 1000;

// The kinds of file the open dialog offers, described in the language shown;
// the patterns are the same in every language.
std::vector<FileType> MeasuredTypes() {
    return {
        {QCoreApplication::translate("MeasuredCommands", "Espectros medidos"),
         QStringLiteral("*.txt *.csv *.tsv *.dat *.xy *.asc *.prn *.jdx *.dx *.spc *.0 *.1 *.2 "
                        "*.3 *.4 *.5 *.6 *.7 *.8 *.9"),
         QString()},
        {QCoreApplication::translate("MeasuredCommands", "Texto x-y y CSV"),
         QStringLiteral("*.txt *.csv *.tsv *.dat *.xy *.asc *.prn"), QString()},
        {QStringLiteral("JCAMP-DX"), QStringLiteral("*.jdx *.dx"), QString()},
        {QStringLiteral("SPC"), QStringLiteral("*.spc"), QString()},
        // OPUS numbers the files of a sample in their ending.
        {QStringLiteral("OPUS"), QStringLiteral("*.0 *.1 *.2 *.3 *.4 *.5 *.6 *.7 *.8 *.9"),
         QString()},
    };
}

QString Shown(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// One remembered pairing of a document and a measured file; a column of -1
// is one the reader found by itself.
struct Entry {
    std::string document;
    std::string file;
    int xColumn = -1;
    int yColumn = -1;
};

std::vector<Entry> ReadEntries() {
    QSettings settings;
    settings.beginGroup(kSection);
    std::vector<Entry> entries;
    const int count = settings.beginReadArray(kArray);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        Entry entry{settings.value(kDocumentKey).toByteArray().toStdString(),
                    settings.value(kFileKey).toByteArray().toStdString(),
                    settings.value(kXColumnKey, -1).toInt(),
                    settings.value(kYColumnKey, -1).toInt()};
        if (!entry.document.empty() && !entry.file.empty()) {
            entries.push_back(std::move(entry));
        }
    }
    settings.endArray();
    return entries;
}

void WriteEntries(const std::vector<Entry>& entries) {
    QSettings settings;
    settings.beginGroup(kSection);
    settings.remove(kArray);
    settings.beginWriteArray(kArray, static_cast<int>(entries.size()));
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        const Entry& entry = entries[static_cast<std::size_t>(i)];
        settings.setArrayIndex(i);
        // Bytes, as the file system knows the names, like the recent files.
        settings.setValue(kDocumentKey, QByteArray::fromStdString(entry.document));
        settings.setValue(kFileKey, QByteArray::fromStdString(entry.file));
        settings.setValue(kXColumnKey, entry.xColumn);
        settings.setValue(kYColumnKey, entry.yColumn);
    }
    settings.endArray();
}

std::optional<int> Column(int stored) {
    return stored >= 0 ? std::optional<int>(stored) : std::nullopt;
}

}  // namespace

MeasuredCommands::MeasuredCommands(DocumentContext& context, const platform::Services& services,
                                   QWidget* dialogParent)
    : context_(context),
      document_(context.Document()),
      services_(services),
      dialogParent_(dialogParent) {}

MeasuredCommands::~MeasuredCommands() = default;

const MeasuredData* MeasuredCommands::Current() const {
    const auto& measured = document_.GetAnalysis().measured;
    return measured ? &*measured : nullptr;
}

void MeasuredCommands::ChooseAndLoad() {
    if (loading_) {
        return;
    }
    const QString folder =
        Current() ? QFileInfo(Shown(Current()->sourcePath)).absolutePath() : QString();
    const auto chosen = services_.Files().GetOpenFileNameOfTypes(
        dialogParent_,
        QCoreApplication::translate("MeasuredCommands", "Superponer espectro medido"), folder,
        MeasuredTypes());
    if (!chosen) {
        return;
    }
    const std::string path = QFile::encodeName(*chosen).toStdString();
    MeasuredOptions options;
    // A file of more than two columns says nothing about which of them the
    // user means; two columns, or a JCAMP-DX file, leave nothing to choose.
    // A start that cannot be read is left to the full read, which says why.
    const auto preview = PreviewMeasuredSpectrum(path, kPreviewLines);
    if (!preview.Ok() || preview.Value().jcamp || preview.Value().columns == 0) {
        // JCAMP-DX blocks, SPC subfiles and OPUS blocks (binary files, which
        // the preview does not read): a file of several lists them to choose
        // from. A text's y columns are chosen with its x column below.
        if (!ChooseSpectrum(path, options)) {
            return;
        }
    } else if (preview.Value().columns > 2) {
        QStringList lines;
        for (const std::string& line : preview.Value().lines) {
            lines << QString::fromStdString(line);
        }
        CMeasuredColumnsDlg dialog(MeasuredLegendName(path), lines, preview.Value().columns,
                                   services_, dialogParent_);
        dialog.xColumn = preview.Value().xColumn + 1;
        dialog.yColumn = preview.Value().yColumn + 1;
        if (RunModal(dialog) != IDOK) {
            return;
        }
        options.xColumn = dialog.xColumn - 1;
        options.yColumn = dialog.yColumn - 1;
    }
    Load(path, options);
}

bool MeasuredCommands::Load(const std::string& path, const MeasuredOptions& options) {
    if (loading_) {
        return false;
    }
    loading_ = true;
    auto result = ReadWithProgress(path, options);
    loading_ = false;
    if (!result.Ok()) {
        // Stopping was the user's own choice; the message only confirms
        // that the spectrum shown before is still the one shown.
        const bool cancelled = result.Failure() == ReadFailure::Cancelled;
        QString message = QString::fromStdString(result.Message());
        if (Current()) {
            message += QStringLiteral("\n\n") +
                       QCoreApplication::translate("MeasuredCommands",
                                                   "Sigue superpuesto el espectro medido «%1».")
                           .arg(MeasuredLegendName(Current()->sourcePath));
        }
        services_.AfxMessageBox(dialogParent_, message,
                                cancelled ? MessageKind::Information : MessageKind::Warning);
        return false;
    }
    // Chosen from the list or by column, or not chosen at all: only then is
    // the user told that the file holds others.
    const int spectra =
        options.spectrum || options.yColumn ? 1 : std::max(result.Value().spectra, 1);
    const std::vector<std::string> notes = result.Value().notes;
    const std::optional<YChange> proposed =
        ProposedYChange(result.Value().header, result.Value().y);
    MeasuredData data = MeasuredFrom(std::move(result.Value()), path, options);
    // Transmittance does not add as bands do: a file that says it holds
    // transmittance is offered absorbance before anything is drawn or fitted.
    if (proposed) {
        const QString question =
            QCoreApplication::translate(
                "MeasuredCommands",
                "%1 declara sus ordenadas en %2.\n\n¿Desea convertirlas a absorbancia (%3) "
                "para dibujarlas y ajustarlas? Las bandas de absorbancia se suman; las de "
                "transmitancia no. Puede cambiarlo en las opciones del espectro medido.")
                .arg(QString::fromStdString(QuoteFileName(path)),
                     *proposed == YChange::PercentTransmittanceToAbsorbance
                         ? QCoreApplication::translate("MeasuredCommands",
                                                       "transmitancia en porcentaje")
                         : QCoreApplication::translate("MeasuredCommands", "transmitancia (0 a 1)"),
                     *proposed == YChange::PercentTransmittanceToAbsorbance
                         ? QStringLiteral("A = 2 − log10 %T")
                         : QStringLiteral("A = −log10 T"));
        if (services_.AfxMessageBox(dialogParent_, question, MessageKind::Question,
                                    MessageButtons::YesNo) == MessageAnswer::Yes) {
            data.transform.y = *proposed;
        }
    }
    context_.History().Record(
        QCoreApplication::translate("MeasuredCommands", "Superponer espectro medido"),
        [&] { document_.SetMeasured(std::move(data)); });
    if (spectra > 1) {
        services_.AfxMessageBox(
            dialogParent_,
            QCoreApplication::translate(
                "MeasuredCommands",
                "%1 contiene %2 espectros; se muestra solo el primer espectro. Para ver otro, "
                "cárguelo con «Superponer espectro medido», que los lista.")
                .arg(QString::fromStdString(QuoteFileName(path)))
                .arg(spectra),
            MessageKind::Information);
    }
    for (const std::string& text : notes) {
        emit note(QString::fromStdString(text));
    }
    // What the change of units accepted on loading cannot keep is said now,
    // not only in the options.
    if (const MeasuredData* loaded = Current(); loaded && loaded->LeftOut() > 0) {
        emit note(QCoreApplication::translate("MeasuredCommands",
                                              "%1: el cambio de unidades deja fuera %2 de sus %3 "
                                              "puntos, donde no está definido (%4 por x, %5 "
                                              "por y).")
                      .arg(QString::fromStdString(QuoteFileName(path)))
                      .arg(loaded->LeftOut())
                      .arg(loaded->points->x.size())
                      .arg(loaded->changed->xUndefined)
                      .arg(loaded->changed->yUndefined));
    }
    emit loaded();
    return true;
}

ReadResult<MeasuredSpectrum> MeasuredCommands::ReadWithProgress(const std::string& path,
                                                                const MeasuredOptions& options) {
    // The reader runs on a thread of its own, so that the windows go on
    // painting; it tells how far it has come through atomics that a timer
    // shows, and stops at its next look when "Cancelar" was pressed.
    std::atomic<std::uint64_t> done{0};
    std::atomic<std::uint64_t> total{0};
    std::atomic<bool> stop{false};
    QEventLoop loop;
    // Put into words here, where the language is known, and before memory
    // runs short.
    const std::string tooLarge =
        QCoreApplication::translate("MeasuredCommands",
                                    "tiene más puntos de los que caben en la memoria")
            .toStdString();
    auto reading = std::async(std::launch::async, [&] {
        auto result = [&] {
            try {
                return ReadMeasuredSpectrum(path, options,
                                            [&](std::uint64_t bytes, std::uint64_t size) {
                                                done = bytes;
                                                total = size;
                                                return !stop.load();
                                            });
            } catch (const std::bad_alloc&) {
                // More points than this computer can hold; the spectrum
                // shown before is kept, like after any other failed read.
                return ReadResult<MeasuredSpectrum>::Failed(ReadFailure::File,
                                                            FileProblem(path, tooLarge));
            }
        }();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        return result;
    });
    if (reading.wait_for(quietLoadTime) == std::future_status::ready) {
        return reading.get();
    }

    // Application-modal: no command of any window can start another load or
    // close the window while the reader works for it.
    QProgressDialog progress(QCoreApplication::translate("MeasuredCommands", "Leyendo %1…")
                                 .arg(QString::fromStdString(QuoteFileName(path))),
                             QCoreApplication::translate("MeasuredCommands", "Cancelar"), 0,
                             kProgressSteps, dialogParent_);
    progress.setObjectName(QStringLiteral("measuredProgress"));
    progress.setWindowTitle(QStringLiteral("Trazel"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    progress.setMinimumWidth(progress.fontMetrics().averageCharWidth() * 60);
    // Once stopped, the loop lets no more events in: the reader gives up
    // within a block of lines, and nothing can reach this window meanwhile.
    const auto stopReading = [&] {
        stop = true;
        loop.quit();
    };
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, stopReading);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (progress.wasCanceled()) {
            stopReading();
            return;
        }
        const std::uint64_t size = total;
        if (size > 0) {
            progress.setValue(static_cast<int>(done * kProgressSteps / size));
        }
    });
    tick.start(kProgressIntervalMs);
    progress.show();
    // The reader's quit may already be waiting; it ends the loop at once.
    loop.exec();
    auto result = reading.get();
    if ((stop || progress.wasCanceled()) && result.Ok()) {
        // "Cancelar" was pressed as the last lines went in: the user asked
        // for nothing to change, so nothing does.
        return ReadResult<MeasuredSpectrum>::Failed(ReadFailure::Cancelled, CancelledRead(path));
    }
    return result;
}

bool MeasuredCommands::ChooseSpectrum(const std::string& path, MeasuredOptions& options) {
    // Each spectrum is read to be listed; a file that cannot be is left to
    // the load, which says why.
    const auto spectra = ListMeasuredSpectra(path);
    if (!spectra.Ok() || spectra.Value().size() < 2) {
        return true;
    }
    CMeasuredSpectrumChoiceDlg dialog(MeasuredLegendName(path), spectra.Value(), services_,
                                      dialogParent_);
    if (RunModal(dialog) != IDOK) {
        return false;
    }
    options.spectrum = dialog.chosen;
    return true;
}

void MeasuredCommands::EditOptions(const std::optional<MeasuredTransform>& toModel) {
    const MeasuredData* current = Current();
    if (current == nullptr) {
        services_.AfxMessageBox(
            dialogParent_,
            QCoreApplication::translate("MeasuredCommands",
                                        "No hay ningún espectro medido superpuesto. Cárguelo con "
                                        "\"Superponer espectro medido\"."),
            MessageKind::Information);
        return;
    }
    // The points stay alive while the dialog runs: the document changes only after it.
    const std::shared_ptr<const MeasuredSpectrum> points = current->points;
    CMeasuredOptionsDlg dialog(MeasuredLegendName(current->sourcePath), *points, services_,
                               dialogParent_);
    dialog.SetTransform(current->transform.Whole());
    if (toModel) {
        dialog.modelMaximumFactor = toModel->yFactor;
    }
    connect(&dialog, &CMeasuredOptionsDlg::alsPreview, this,
            [this](std::optional<input::SpectrumTransform> shown) {
                emit alsPreview(shown ? std::optional(MeasuredTransformOf(*shown)) : std::nullopt);
            });
    const int answer = RunModal(dialog);
    emit alsPreview(std::nullopt);
    if (answer != IDOK) {
        return;
    }
    if (dialog.removeRequested) {
        // Removed on purpose: the document should not offer it again.
        Forget();
        Remove();
        return;
    }
    SetTransform(MeasuredTransformOf(dialog.Transform()));
}

void MeasuredCommands::SetTransform(const MeasuredTransform& transform) {
    const MeasuredData* current = Current();
    const bool onlyFactor = current != nullptr && current->transform.Change() == transform.Change();
    context_.History().Record(
        onlyFactor ? QCoreApplication::translate("MeasuredCommands", "Factor de y")
                   : QCoreApplication::translate("MeasuredCommands", "Transformar el espectro"),
        [&] { document_.SetMeasuredTransform(transform); });
}

void MeasuredCommands::Remove() {
    context_.History().Record(
        QCoreApplication::translate("MeasuredCommands", "Quitar espectro medido"),
        [this] { document_.RemoveMeasured(); });
}

void MeasuredCommands::DocumentChanged(const std::string& documentPath) {
    const std::string document =
        documentPath.empty() ? std::string() : AbsoluteFilePath(documentPath);
    // Saving again under the same name is no new document.
    if (document == documentPath_) {
        return;
    }
    documentPath_ = document;
    if (document.empty() || loading_) {
        return;
    }
    // Documents saved before they could hold their measured spectrum had it
    // remembered here by their path. Such a pairing is offered once, to go
    // into the document, and then forgotten: from then on the document file
    // holds it.
    for (const Entry& entry : ReadEntries()) {
        if (entry.document != document) {
            continue;
        }
        Forget();
        std::error_code ec;
        if (Current() || !std::filesystem::is_regular_file(entry.file, ec)) {
            return;
        }
        const QString question =
            QCoreApplication::translate(
                "MeasuredCommands",
                "La última vez que se usó este documento se superpuso el espectro medido %1.\n\n"
                "¿Desea cargarlo en el documento? Se guardará con él.")
                .arg(QString::fromStdString(QuoteFileName(entry.file)));
        if (services_.AfxMessageBox(dialogParent_, question, MessageKind::Question,
                                    MessageButtons::YesNo) == MessageAnswer::Yes) {
            Load(entry.file, MeasuredOptions{Column(entry.xColumn), Column(entry.yColumn)});
        }
        return;
    }
}

void MeasuredCommands::Forget() const {
    if (documentPath_.empty()) {
        return;
    }
    std::vector<Entry> entries = ReadEntries();
    if (std::erase_if(entries,
                      [this](const Entry& entry) { return entry.document == documentPath_; }) > 0) {
        WriteEntries(entries);
    }
}

}  // namespace trazel::ui
