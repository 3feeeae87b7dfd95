#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <atomic>
#include <stdexcept>
#include <thread>

#include "app/main_frame.h"
#include "app/resource.h"
#include "app/trazel_app.h"
#include "platform/qt/guarded_application.h"
#include "tests/support/fake_services.h"
#include "ui/form/trazel_view.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;
using namespace trazel::ui;
using namespace trazel::app;

namespace {

// A message box that, while it is up, lets the event loop run a handler
// that fails again, as a real modal box would, and stays up until an event
// queued after that handler has run.
class NestingMessageBox : public MessageBoxService {
  public:
    MessageAnswer Show(QWidget*, const QString& text, MessageKind, MessageButtons) override {
        shown << text;
        QTimer::singleShot(0, [] { throw std::runtime_error("segundo fallo"); });
        QTimer::singleShot(0, [this] { secondFailureHandled = true; });
        // The test checks the flag; a box that waited in vain fails there.
        static_cast<void>(QTest::qWaitFor([this] { return secondFailureHandled; }));
        return MessageAnswer::Ok;
    }

    QStringList shown;
    bool secondFailureHandled = false;
};

// The application's failure reports go to messages while this lives.
class ReportsTo {
  public:
    explicit ReportsTo(MessageBoxService& messages) {
        static_cast<GuardedApplication*>(qApp)->ReportThrough(&messages);
    }
    ~ReportsTo() { static_cast<GuardedApplication*>(qApp)->ReportThrough(nullptr); }
    ReportsTo(const ReportsTo&) = delete;
    ReportsTo& operator=(const ReportsTo&) = delete;
};

}  // namespace

class GuardedApplicationTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(settingsDir_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    }

    void failingHandlerShowsAMessageAndTheLoopGoesOn_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("expected");
        QTest::newRow("std::exception") << 0 << "error inesperado (prueba)";
        QTest::newRow("out of memory") << 1 << "No queda memoria suficiente";
        QTest::newRow("not a std::exception") << 2 << "error inesperado.";
    }
    void failingHandlerShowsAMessageAndTheLoopGoesOn() {
        QFETCH(int, kind);
        QFETCH(QString, expected);
        RecordingMessageBox box;
        const ReportsTo reports(box);
        QTimer::singleShot(0, [kind] {
            switch (kind) {
                case 0:
                    throw std::runtime_error("prueba");
                case 1:
                    throw std::bad_alloc();
                default:
                    throw 42;
            }
        });
        bool later = false;
        QTimer::singleShot(0, [&later] { later = true; });
        QTRY_VERIFY(later);
        QCOMPARE(box.shown.size(), std::size_t{1});
        QVERIFY2(box.shown[0].text.contains(expected), qPrintable(box.shown[0].text));
        QVERIFY(box.shown[0].text.contains(QStringLiteral("Trazel sigue abierto")));
        QCOMPARE(box.shown[0].kind, MessageKind::Error);
    }

    // A second failure while the first message is up is not stacked on it.
    void failureWhileReportingIsNotStacked() {
        NestingMessageBox box;
        const ReportsTo reports(box);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("segundo fallo"));
        QTimer::singleShot(0, [] { throw std::runtime_error("primer fallo"); });
        QTRY_COMPARE(box.shown.size(), 1);
        QVERIFY(box.shown[0].contains(QStringLiteral("primer fallo")));
        QTRY_VERIFY(box.secondFailureHandled);
        QCOMPARE(box.shown.size(), 1);
    }

    // A click in the real window whose handler fails: the user is told, the
    // work done before the failure stands, and the window takes the next peak.
    void failingClickInTheWindowKeepsTheDocument() {
        FakeServices fakes;
        CTrazelApp app(fakes);
        QVERIFY(app.InitInstance({QStringLiteral("trazel")}));
        CTrazelView* view = app.View();
        auto* position = qobject_cast<QLineEdit*>(view->GetDlgItem(IDC_POSITION));
        auto* plot = qobject_cast<QPushButton*>(view->GetDlgItem(IDC_PLOT));
        position->setText(QStringLiteral("500"));
        QTest::mouseClick(qobject_cast<QPushButton*>(view->GetDlgItem(IDC_ADD_PEAK)),
                          Qt::LeftButton);
        qobject_cast<QLineEdit*>(view->GetDlgItem(IDC_X_MAX))->setText(QStringLiteral("1000"));
        // Queued, so that the failure unwinds only through the event loop's
        // own delivery: Qt's widget code has no cleanups for an exception
        // passing through it, and the sanitizer run would count the event it
        // leaves behind as a leak.
        connect(
            plot, &QPushButton::clicked, view, [] { throw std::runtime_error("al dibujar"); },
            Qt::QueuedConnection);

        RecordingMessageBox& box = fakes.NewMessages();
        const ReportsTo reports(box);
        QTest::mouseClick(plot, Qt::LeftButton);
        QTRY_COMPARE(box.shown.size(), std::size_t{1});
        QVERIFY(box.shown[0].text.contains(QStringLiteral("al dibujar")));
        QVERIFY(view->fields.graphShown);
        QVERIFY(app.Frame()->isVisible());
        QVERIFY(app.Document().IsModified());

        position->setText(QStringLiteral("600"));
        QTest::mouseClick(qobject_cast<QPushButton*>(view->GetDlgItem(IDC_ADD_PEAK)),
                          Qt::LeftButton);
        QCOMPARE(view->peakList->topLevelItemCount(), 2);
        app.Document().SetModifiedFlag(false);
    }

    // A program reading the export from a pipe stops reading: the write fails
    // and is reported, instead of SIGPIPE ending the program.
    void readerLeavingThePipeIsAFailedWrite() {
        QTemporaryDir dir;
        const QByteArray fifo = dir.filePath(QStringLiteral("tuberia")).toLocal8Bit();
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        FakeServices fakes;
        CTrazelApp app(fakes);
        QVERIFY(app.InitInstance({QStringLiteral("trazel")}));
        CTrazelView* view = app.View();
        view->fields.outputPath = fifo.toStdString();
        view->fields.resolution = 100000;  // far more than a pipe holds
        qobject_cast<QLineEdit*>(view->GetDlgItem(IDC_X_MAX))->setText(QStringLiteral("1000"));
        // The reader is there when the export opens the pipe, and goes away
        // as soon as the first bytes arrive, long before the last.
        std::atomic<bool> opened = false;
        std::thread reader([&fifo, &opened] {
            const int fd = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
            opened = true;
            for (int waited = 0, pending = 0; fd >= 0 && pending == 0 && waited < 1000; ++waited) {
                ::usleep(10000);
                ::ioctl(fd, FIONREAD, &pending);
            }
            ::close(fd);
        });
        while (!opened) {
            std::this_thread::yield();
        }
        RecordingMessageBox& box = fakes.NewMessages();
        view->OnExport();
        reader.join();
        QCOMPARE(box.shown.size(), std::size_t{1});
        QVERIFY2(box.shown[0].text.contains(QStringLiteral("lo ha cerrado")),
                 qPrintable(box.shown[0].text));
        QVERIFY(!view->fields.graphShown);
        QCOMPARE(view->progressBar->value(), 0);
    }

  private:
    QTemporaryDir settingsDir_;
};

int main(int argc, char** argv) {
    GuardedApplication application(argc, argv);
    GuardedApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "guarded_application_test.moc"
