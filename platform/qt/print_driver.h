#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/cdc.h"
#include "platform/status.h"

class QByteArray;
class QPrinter;
class QWidget;

namespace trazel::platform {

// What to print: pages minPage to maxPage, each drawn by printPage into a
// fresh device context (MM_TEXT, white brush, pen at the origin).
struct PrintJob {
    int minPage = 1;
    int maxPage = 1;
    std::function<void(CDC& dc, int page)> printPage;
    // Shown in the printer's queue.
    std::string documentName;
};

// Printing through Qt's print support with one printer that keeps its
// settings (page setup, chosen printer) from one print to the next.
// The functions that print return the message for the user when printing
// could not be done; a cancelled dialog is no failure.
class PrintDriver {
  public:
    PrintDriver();
    ~PrintDriver();
    PrintDriver(const PrintDriver&) = delete;
    PrintDriver& operator=(const PrintDriver&) = delete;

    QPrinter& Printer() { return *printer_; }

    // Asks with the print dialog (printer, page range, copies), then prints.
    Status Print(QWidget* parent, const PrintJob& job);
    // Prints every page on the current printer without asking.
    Status PrintDirect(const PrintJob& job);
    // Shows every page in the print preview window, from which the user may
    // print.
    void Preview(QWidget* parent, const PrintJob& job);
    // The page setup dialog; true when the user accepted it.
    bool PageSetup(QWidget* parent);

  private:
    std::unique_ptr<QPrinter> printer_;
};

// Prints pages from..to (within the job's range) on a printer that is ready,
// in the printer's page order and with as many copies as it asks for where
// the printer cannot make them itself.
Status PrintPages(QPrinter& printer, const PrintJob& job, int from, int to);

// Prints every page of the job into a PDF file on A4 with 5 mm margins.
// The file is replaced whole or not at all; the message names it. Like all
// printing it needs a QGuiApplication, for the fonts.
Status PrintToPdfFile(const std::string& path, const PrintJob& job);

// Whether pdf is a whole PDF file as Qt writes it: the header, the
// cross-reference table at the end with every object where it says, "%%EOF".
bool IsCompletePdf(const QByteArray& pdf);

}  // namespace trazel::platform
