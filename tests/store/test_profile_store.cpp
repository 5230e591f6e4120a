// The profile store on profiles held in memory: repeated keys, lookups after edits, hints, the
// stop-distance reading shared by the window and the planner, the save's failure message, and a
// save through a link. The byte-level cases (line ends, key lines, lists, saved bytes, files that
// cannot be opened or written) are run by portable_tests, on Linux and on Windows.
#include "profile/ProfileText.h"
#include "profile/StopDistance.h"
#include "profile/TProfile.h"
#include "tests/support/Cases.h"
#include "tests/support/TestFiles.h"

#include <QtTest>

#include <sys/stat.h>

using Lines = std::vector<std::string>;

namespace {

TProfile profileOf(const Lines& lines)
{
    return TProfile("mem", profile_text::joinLines(lines));
}

} // namespace

class ProfileStoreTest : public QObject {
    Q_OBJECT

private slots:
    // Every key line's value, in file order: the planner's reading of repeated keys.
    void readsRepeatedValuesInFileOrder()
    {
        const Lines lines { "AscentRate: 45-6, 9", "30, 5, air", "# AscentRate: no", " AscentRate:  6-0, 3",
            "xAscentRate: 1", "AscentRate: 3-0, 1" };
        QCOMPARE(profile_text::valuesOf(lines, "AscentRate:"), (Lines { "45-6, 9", "6-0, 3", "3-0, 1" }));
    }

    void lookupsFollowEveryEdit_data() { cases::addRows("store/edited_lookups.txt"); }
    void lookupsFollowEveryEdit()
    {
        TProfile profile = profileOf(cases::lines("lines"));
        std::vector<std::string> keys;
        for (const QString& key : cases::text("keys").split(' '))
            keys.push_back(key.toStdString());
        for (const std::string& key : keys)
            profile.Find(key);
        for (const QString& edit : cases::text("edits").split(';')) {
            const QString verb = edit.section(' ', 0, 0);
            const std::string edited = edit.section(' ', 1, 1).toStdString();
            const QString value = edit.section(' ', 2);
            if (verb == "set")
                profile.SetValue(edited, value.toStdString());
            else if (verb == "values") {
                Lines list;
                for (const QString& entry : value.split(','))
                    list.push_back(entry.toStdString());
                profile.SetValues(edited, list);
            } else
                profile.SetProfileLines({ edit.section(' ', 1).toStdString() });
            const TProfile fresh = profileOf(profile.Lines());
            for (const std::string& key : keys) {
                QCOMPARE(profile.Find(key), fresh.Find(key));
                QCOMPARE(profile.KeyLines(key), fresh.KeyLines(key));
            }
        }
    }

    void buildsHintsFromCommentBlocks_data() { cases::addRows("store/hints.txt"); }
    void buildsHintsFromCommentBlocks()
    {
        TProfile profile = profileOf(cases::lines("lines"));
        profile.GetValue("Rmv:");
        QCOMPARE(QByteArray::fromStdString(profile.GetComment()), cases::cell("hint"));
    }

    void readsTheWindowsIntegerForms_data() { cases::addRows("store/stop_distance.txt"); }
    void readsTheWindowsIntegerForms()
    {
        const auto read = readStopDistance(cases::cell("text").toStdString());
        QCOMPARE(read ? QByteArray::number(*read) : QByteArray(), cases::cell("value"));
    }

    // The cause under the program's own first line, then where the old bytes are.
    void failureSaysWhyAndWhereTheOldBytesAre()
    {
        platform::ReplaceResult failure;
        failure.failure = platform::SaveFailure::noSpace;
        failure.keptJournal = "/home/jiří/.cache/trova/profile.dat.a1B2c3.journal";
        QCOMPARE(QByteArray(ProfileSaveError("profile.dat", failure).what()),
            QByteArray("Cannot create file profile.dat\nNa disku nen\xed dost voln\xe9ho m\xedsta.\nP\xf9vodn\xed "
                       "obsah je ulo\x9e"
                       "en v /home/ji\xf8\xed/.cache/trova/profile.dat.a1B2c3.journal"));
    }

    void permissionBitsAndLinksAreKept()
    {
        const QTemporaryDir folder;
        const QString path = folder.filePath("profile.dat"), real = folder.filePath("real.dat");
        // With the set-group-id bit, which a mask of the nine permission bits would drop.
        QVERIFY(writeBytes(real, "a\nb") && ::chmod(qPrintable(real), 02640) == 0 && QFile::link(real, path));
        TProfile(path.toStdString()).Save();
        QVERIFY(QFileInfo(path).isSymLink());
        QCOMPARE(bytesOf(real), QByteArray("a\r\nb\r\n"));
        struct stat saved { };
        QVERIFY(::stat(qPrintable(real), &saved) == 0);
        QCOMPARE(saved.st_mode & 07777, 02640u);
        QCOMPARE(
            QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), (QStringList { "profile.dat", "real.dat" }));
    }
};

QTEST_APPLESS_MAIN(ProfileStoreTest)
#include "test_profile_store.moc"
