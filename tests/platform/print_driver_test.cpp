#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTimer>
#include <filesystem>

#include "platform/qt/print_driver.h"
#include "tests/support/scratch_dir.h"

using namespace trazel::platform;

namespace {

class PrintDriverTest : public testing::Test {
  protected:
    // A job that notes each page it is asked for and draws its number.
    PrintJob CountingJob(int maxPage) {
        PrintJob job;
        job.maxPage = maxPage;
        job.printPage = [this](CDC& dc, int page) {
            pages_.push_back(page);
            dc.SetMapMode(MM_LOMETRIC);
            dc.TextOut(100, -100, "página " + std::to_string(page));
        };
        return job;
    }

    void ToPdf(QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString((dir_ / "salida.pdf").string()));
    }

    ScratchDir scratch_{"trazel-print"};
    const std::filesystem::path& dir_ = scratch_.Path();
    std::vector<int> pages_;
};

TEST_F(PrintDriverTest, PagesInTheRangeInThePrintersOrder) {
    QPrinter printer(QPrinter::HighResolution);
    ToPdf(printer);
    EXPECT_TRUE(PrintPages(printer, CountingJob(3), 1, 3).ok());
    EXPECT_EQ(pages_, (std::vector<int>{1, 2, 3}));

    pages_.clear();
    EXPECT_TRUE(PrintPages(printer, CountingJob(3), 2, 9).ok());
    EXPECT_EQ(pages_, (std::vector<int>{2, 3}));

    pages_.clear();
    printer.setPageOrder(QPrinter::LastPageFirst);
    EXPECT_TRUE(PrintPages(printer, CountingJob(3), 1, 3).ok());
    EXPECT_EQ(pages_, (std::vector<int>{3, 2, 1}));
}

TEST_F(PrintDriverTest, CopiesThePrinterCannotMakeAreDrawnAgain) {
    QPrinter printer(QPrinter::HighResolution);
    ToPdf(printer);
    printer.setCopyCount(2);
    if (printer.supportsMultipleCopies()) {
        GTEST_SKIP() << "this printer makes its own copies";
    }
    printer.setCollateCopies(true);
    EXPECT_TRUE(PrintPages(printer, CountingJob(2), 1, 2).ok());
    EXPECT_EQ(pages_, (std::vector<int>{1, 2, 1, 2}));

    pages_.clear();
    printer.setCollateCopies(false);
    EXPECT_TRUE(PrintPages(printer, CountingJob(2), 1, 2).ok());
    EXPECT_EQ(pages_, (std::vector<int>{1, 1, 2, 2}));
}

TEST_F(PrintDriverTest, PrintDirectUsesTheChosenPrinterForEveryPage) {
    PrintDriver driver;
    ToPdf(driver.Printer());
    // A range left from an earlier print does not limit a print without dialog.
    driver.Printer().setPrintRange(QPrinter::PageRange);
    driver.Printer().setFromTo(2, 2);
    EXPECT_TRUE(driver.PrintDirect(CountingJob(3)).ok());
    EXPECT_EQ(pages_, (std::vector<int>{1, 2, 3}));
    EXPECT_GT(std::filesystem::file_size(dir_ / "salida.pdf"), 0u);
}

TEST_F(PrintDriverTest, UnwritablePrinterIsReported) {
    PrintDriver driver;
    driver.Printer().setOutputFormat(QPrinter::PdfFormat);
    driver.Printer().setOutputFileName(QString::fromStdString((dir_ / "no" / "a.pdf").string()));
    const auto error = driver.PrintDirect(CountingJob(1));
    ASSERT_FALSE(error.ok());
    EXPECT_FALSE(error.message().empty());
}

TEST_F(PrintDriverTest, PreviewDrawsEveryPage) {
    PrintDriver driver;
    ToPdf(driver.Printer());
    driver.Printer().setPrintRange(QPrinter::PageRange);
    driver.Printer().setFromTo(3, 3);
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        seen = preview != nullptr;
        if (preview != nullptr) {
            preview->reject();
        }
    });
    driver.Preview(nullptr, CountingJob(3));
    EXPECT_TRUE(seen);
    ASSERT_GE(pages_.size(), 3u);
    EXPECT_EQ(std::vector<int>(pages_.begin(), pages_.begin() + 3), (std::vector<int>{1, 2, 3}));
}

}  // namespace
