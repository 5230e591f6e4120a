// The journal of an in-place save and the start-up recovery over it: only a whole journal of
// this very file is ever used, and a save that ended leaves no journal behind.
#include "platform/FileReplace.h"
#include "platform/SaveJournal.h"
#include "tests/support/Cases.h"

#include <QtTest>

#include <filesystem>
#include <sys/stat.h>

namespace {

using namespace std::string_literals;

const std::string kOld = "Rmv: 20\r\nend\0tail"s;
const std::string kNew = "Rmv: 25\r\n";

bool writeFile(const std::string& path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const bool written = file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return file != nullptr && std::fclose(file) == 0 && written;
}

std::string bytesOf(const std::string& path)
{
    std::string bytes;
    return platform::readFileContents(path, bytes) ? bytes : "<missing>";
}

} // namespace

class SaveJournalTest : public QObject {
    Q_OBJECT

    QTemporaryDir root;
    const std::string folder = root.filePath("save").toStdString();
    const std::string cache = root.filePath("cache").toStdString();
    const std::string path = folder + "/profile.dat";

    // The journal of a save of profile.dat from kOld to kNew, as the save would write it.
    platform::SaveJournal journalOfProfile()
    {
        struct stat info { };
        ::stat(path.c_str(), &info);
        return { platform::saveTarget(path), static_cast<std::uint64_t>(info.st_dev),
            static_cast<std::uint64_t>(info.st_ino), kOld, kNew };
    }

    QStringList journalNames() const
    {
        return QDir(QString::fromStdString(cache + "/trova")).entryList(QDir::Files | QDir::Hidden);
    }

private slots:
    void initTestCase() { ::setenv("XDG_CACHE_HOME", cache.c_str(), 1); }
    void init()
    {
        for (const std::string& made : { folder, cache }) {
            std::filesystem::remove_all(made);
            QVERIFY(std::filesystem::create_directories(made));
        }
    }

    // A journal reads back as written, an end line and no bytes among its own bytes too; any cut,
    // any changed byte and any byte after the end line make the text no journal.
    void onlyAWholeJournalIsRead()
    {
        const platform::SaveJournal journal { "/a/profile.dat", 2049, 1234567, kOld + "\nend 0\n", "" };
        const std::string text = platform::journalText(journal);
        QCOMPARE(platform::parseJournal(text), journal);
        for (std::size_t size = 0; size < text.size(); ++size)
            QVERIFY2(!platform::parseJournal(text.substr(0, size)), qPrintable(QString("cut at %1").arg(size)));
        for (std::size_t at = 0; at < text.size(); ++at) {
            std::string changed = text;
            changed[at] = static_cast<char>(changed[at] ^ 0x01);
            QVERIFY2(!platform::parseJournal(changed), qPrintable(QString("byte %1 changed").arg(at)));
        }
        QVERIFY(!platform::parseJournal(text + "\n"));
    }

    void recoveryJudgesTheFile_data() { cases::addRows("store/journals.txt"); }
    void recoveryJudgesTheFile()
    {
        const QByteArray file = cases::cell("file");
        QVERIFY(writeFile(path, file == "old" ? kOld : file == "new" ? kNew : "Rmv: 25\r\nnd\0tail"s));
        platform::SaveJournal journal = journalOfProfile();
        const QByteArray kind = cases::cell("journal");
        if (kind == "other path")
            journal.path = folder + "/other.dat";
        if (kind == "other inode")
            ++journal.inode;
        const std::string text = platform::journalText(journal);
        QVERIFY(kind == "partial" ? writeFile(platform::writeJournal(journal), text.substr(0, text.size() - 3))
                                  : !platform::writeJournal(journal).empty());
        const QStringList before = journalNames();

        const auto cut = platform::findCutSave(path);
        QCOMPARE(cut.has_value(), cases::yes("offered"));
        if (cut)
            QCOMPARE(cut->journal, journal);
        QCOMPARE(journalNames(), cases::yes("kept") ? before : QStringList());
        QVERIFY(bytesOf(path) != "<missing>");
    }

    void restoreWritesTheOldBytesAndRemovesTheJournal()
    {
        QVERIFY(writeFile(path, "Rmv: 25\r\nnd"));
        QVERIFY(!platform::writeJournal(journalOfProfile()).empty());
        const auto cut = platform::findCutSave(path);
        QVERIFY(cut);
        QVERIFY(platform::restoreCutSave(*cut));
        QCOMPARE(bytesOf(path), kOld);
        QCOMPARE(journalNames(), QStringList());
        QVERIFY(!platform::findCutSave(path));
    }

    void keptFileSetsTheJournalAside()
    {
        QVERIFY(writeFile(path, "Rmv: 25\r\nnd"));
        const std::string journalPath = platform::writeJournal(journalOfProfile());
        const auto cut = platform::findCutSave(path);
        QVERIFY(cut);
        const std::string aside = platform::keepCutFile(*cut);
        QCOMPARE(QString::fromStdString(aside),
            QString::fromStdString(journalPath.substr(0, journalPath.size() - 8) + ".kept"));
        QCOMPARE(bytesOf(path), std::string("Rmv: 25\r\nnd"));
        QCOMPARE(platform::parseJournal(bytesOf(aside)), journalOfProfile());
        QVERIFY(!platform::findCutSave(path));
    }
};

QTEST_APPLESS_MAIN(SaveJournalTest)
#include "test_save_journal.moc"
