#include <QDir>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/document.h"
#include "platform/qt/document_manager.h"
#include "platform/qt/recent_file_list.h"
#include "tests/support/fake_services.h"

using namespace trazel::platform;

namespace {

const QString kOrganization = QStringLiteral("trazel-pruebas");
const QString kApplication = QStringLiteral("lista-reciente");

class FakeDocument : public CDocument {
  public:
    void Serialize(CArchive&) override {}
};

// Files that exist only as the paths asked for; a load or save fails with
// the message given.
class FakeStorage : public DocumentStorage {
  public:
    Status Load(const std::string& path) override {
        loads.push_back(path);
        return loadError ? Status::Failure(*loadError) : Status();
    }
    Status Save(const std::string& path) override {
        saves.push_back(path);
        return saveError ? Status::Failure(*saveError) : Status();
    }

    std::optional<std::string> loadError;
    std::optional<std::string> saveError;
    std::vector<std::string> loads;
    std::vector<std::string> saves;
};

// A document manager over fakes, its document saved before at kSaved.
struct Manager {
    Manager() { document.SetPathName(kSaved); }

    static constexpr char kSaved[] = "/pruebas/guardado.trz";
    FakeDocument document;
    FakeStorage storage;
    RecentFileList recent{kOrganization, kApplication, 4};
    FakeServices fakes;
    RecordingMessageBox& messages = fakes.messages;
    ScriptedFileDialogs& files = fakes.files;
    DocumentManager manager{document, storage, recent, QStringLiteral("Trazel"), fakes};
};

QStringList Absolute(const QStringList& names) {
    QStringList paths;
    for (const QString& name : names) {
        paths << QDir::current().absoluteFilePath(name);
    }
    return paths;
}

}  // namespace

class DocumentManagerTest : public QObject {
    Q_OBJECT

  private slots:
    // The recent files live in the settings of a scratch folder.
    void initTestCase() {
        QVERIFY(settingsDir_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    }
    void init() { QSettings(kOrganization, kApplication).clear(); }

    // Steps: "+name" adds, "-name" removes; a list made afterwards from the
    // settings reads the same files.
    void recentFilesNewestFirstOnceAndAtMostFour_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("newest first") << QStringList{"+a", "+b"} << QStringList{"b", "a"};
        QTest::newRow("again goes on top")
            << QStringList{"+a", "+b", "+a"} << QStringList{"a", "b"};
        QTest::newRow("beyond four the oldest goes")
            << QStringList{"+a", "+b", "+c", "+d", "+e"} << QStringList{"e", "d", "c", "b"};
        QTest::newRow("two spellings are one file")
            << QStringList{"+a", "+" + QDir::current().absoluteFilePath("a")} << QStringList{"a"};
        QTest::newRow("removed") << QStringList{"+a", "+b", "-a"} << QStringList{"b"};
        QTest::newRow("unknown removed") << QStringList{"+a", "-z"} << QStringList{"a"};
    }
    void recentFilesNewestFirstOnceAndAtMostFour() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        RecentFileList recent(kOrganization, kApplication, 4);
        for (const QString& step : steps) {
            if (step.startsWith('+')) {
                recent.Add(step.mid(1).toStdString());
            } else {
                recent.Remove(step.mid(1).toStdString());
            }
        }
        QCOMPARE(recent.Files(), Absolute(expected));
        QCOMPARE(RecentFileList(kOrganization, kApplication, 4).Files(), Absolute(expected));
    }

    void recentMenuTextNumbersShortensAndShowsAmpersands_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::newRow("short") << "/datos/cuarzo.trz"
                               << "&2 /datos/cuarzo.trz";
        QTest::newRow("ampersand") << "/datos/a&b.trz"
                                   << "&2 /datos/a&&b.trz";
        QTest::newRow("long") << "/home/usuario/espectros/2024/raman/calcita.trz"
                              << "&2 /home/.../calcita.trz";
    }
    void recentMenuTextNumbersShortensAndShowsAmpersands() {
        QFETCH(QString, path);
        QFETCH(QString, text);
        RecentFileList recent(kOrganization, kApplication, 4);
        recent.Add(path.toStdString());
        recent.Add("/datos/otro.trz");
        QCOMPARE(recent.MenuText(1), text);
    }

    // Whether the document may be replaced, after the question when it is
    // modified: Yes saves (to its own file), No leaves it, Cancel stops.
    void saveModifiedAsksOnlyForAModifiedDocument_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("messages");
        QTest::addColumn<bool>("saved");
        QTest::newRow("not modified")
            << false << int(MessageAnswer::Yes) << false << true << 0 << false;
        QTest::newRow("yes") << true << int(MessageAnswer::Yes) << false << true << 1 << true;
        QTest::newRow("yes, save fails")
            << true << int(MessageAnswer::Yes) << true << false << 2 << true;
        QTest::newRow("no") << true << int(MessageAnswer::No) << false << true << 1 << false;
        QTest::newRow("cancel") << true << int(MessageAnswer::Cancel) << false << false << 1
                                << false;
    }
    void saveModifiedAsksOnlyForAModifiedDocument() {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(bool, saveFails);
        QFETCH(bool, result);
        QFETCH(int, messages);
        QFETCH(bool, saved);
        Manager m;
        m.document.SetModifiedFlag(modified);
        m.messages.answers = {static_cast<MessageAnswer>(answer)};
        if (saveFails) {
            m.storage.saveError = "No se pudo guardar.";
        }
        QCOMPARE(m.manager.SaveModified(), result);
        QCOMPARE(m.messages.shown.size(), std::size_t(messages));
        QCOMPARE(m.storage.saves.size(), std::size_t{saved});
        QCOMPARE(m.document.IsModified(), modified && !(saved && !saveFails));
        QVERIFY(m.files.asked.empty());
    }

    // A file that loads becomes the document, on top of the recent files; one
    // that does not leaves the document, its name and flag, as they were.
    void openTakesTheFileOnlyWhenItLoads_data() {
        QTest::addColumn<bool>("loads");
        QTest::newRow("loads") << true;
        QTest::newRow("fails") << false;
    }
    void openTakesTheFileOnlyWhenItLoads() {
        QFETCH(bool, loads);
        Manager m;
        m.document.SetModifiedFlag(true);
        m.messages.answers = {MessageAnswer::No};
        if (!loads) {
            m.storage.loadError = "No se pudo leer «otro.trz».";
        }
        QSignalSpy replaced(&m.manager, &DocumentManager::DocumentReplaced);
        QSignalSpy captions(&m.manager, &DocumentManager::CaptionChanged);
        const QString path = QStringLiteral("/pruebas/otro.trz");
        QCOMPARE(m.manager.OpenDocumentFile(path), loads);
        QCOMPARE(m.storage.loads, std::vector<std::string>{path.toStdString()});
        QCOMPARE(replaced.size(), loads ? 1 : 0);
        QCOMPARE(m.document.GetPathName(), loads ? path.toStdString() : Manager::kSaved);
        QCOMPARE(m.document.IsModified(), !loads);
        QCOMPARE(m.recent.Files(), loads ? QStringList{path} : QStringList{});
        QCOMPARE(m.manager.Caption(), loads ? QStringLiteral("otro.trz - Trazel")
                                            : QStringLiteral("guardado.trz - Trazel"));
        QCOMPARE(captions.size(), loads ? 1 : 0);
        QCOMPARE(m.messages.shown.size(), std::size_t{loads ? 1u : 2u});
        if (!loads) {
            QCOMPARE(m.messages.shown[1].text, QStringLiteral("No se pudo leer «otro.trz»."));
            QCOMPARE(m.messages.shown[1].kind, MessageKind::Error);
        }
    }

    // A recent file that cannot be opened any more leaves the list; an entry
    // beyond the list opens nothing.
    void recentFileThatFailsLeavesTheList() {
        Manager m;
        m.recent.Add("/pruebas/viejo.trz");
        m.recent.Add("/pruebas/perdido.trz");
        m.storage.loadError = "No se encuentra.";
        QSignalSpy changed(&m.manager, &DocumentManager::RecentFilesChanged);
        QVERIFY(!m.manager.OnOpenRecentFile(2));
        QVERIFY(m.storage.loads.empty());
        QVERIFY(!m.manager.OnOpenRecentFile(0));
        QCOMPARE(m.recent.Files(), QStringList{"/pruebas/viejo.trz"});
        QCOMPARE(changed.size(), 1);
    }

    // Save on a document never saved asks for a name, suggesting its title;
    // no name, no save.
    void saveWithoutAFileAsksForAName_data() {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("chosen") << "/pruebas/nuevo.trz";
        QTest::newRow("cancelled") << "";
    }
    void saveWithoutAFileAsksForAName() {
        QFETCH(QString, chosen);
        Manager m;
        m.document.OnNewDocument();
        m.files.answers = {chosen};
        QCOMPARE(m.manager.OnFileSave(), !chosen.isEmpty());
        QCOMPARE(m.files.asked.size(), std::size_t{1});
        QCOMPARE(m.files.asked[0].second, QString::fromUtf8(CDocument::kUntitledName));
        QCOMPARE(m.storage.saves.size(), std::size_t{!chosen.isEmpty()});
        QCOMPARE(m.document.GetPathName(), chosen.toStdString());
    }

  private:
    QTemporaryDir settingsDir_;
};

QTEST_MAIN(DocumentManagerTest)
#include "document_manager_test.moc"
