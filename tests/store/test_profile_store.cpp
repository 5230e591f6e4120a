// The profile store: how the bytes of profile.dat become lines and go back, lookups, hints and
// replacements on profiles held in memory, the stop-distance reading shared by the window and
// the planner, and saving real files, where nothing the user had may be lost.
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

    QTemporaryDir folder;
    const QString path = folder.filePath("profile.dat");

    QStringList filesInFolder() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden); }

private slots:
    void init() { QFile::remove(path); }

    void splitsAtEveryLineEndAndWritesCrLf_data() { cases::addRows("store/line_ends.txt"); }
    void splitsAtEveryLineEndAndWritesCrLf()
    {
        const TProfile profile("mem", cases::cell("text").toStdString());
        QCOMPARE(profile.Lines(), cases::lines("lines"));
        QCOMPARE(QByteArray::fromStdString(profile_text::joinLines(profile.Lines())), cases::cell("written"));
    }

    // Every key line's value, in file order: the planner's reading of repeated keys.
    void readsRepeatedValuesInFileOrder()
    {
        const Lines lines { "AscentRate: 45-6, 9", "30, 5, air", "# AscentRate: no", " AscentRate:  6-0, 3",
            "xAscentRate: 1", "AscentRate: 3-0, 1" };
        QCOMPARE(profile_text::valuesOf(lines, "AscentRate:"), (Lines { "45-6, 9", "6-0, 3", "3-0, 1" }));
    }

    void findsKeyLinesAndReadsTheirValues_data() { cases::addRows("store/key_lines.txt"); }
    void findsKeyLinesAndReadsTheirValues()
    {
        TProfile profile = profileOf(cases::lines("lines"));
        const int index = cases::cell("index").toInt();
        QCOMPARE(profile.Find("Rmv:"), index);
        QCOMPARE(QByteArray::fromStdString(profile.GetValue("Rmv:")), cases::cell("value"));
        QCOMPARE(profile.LastIndex(), index);
        QCOMPARE(profile.GetBool("Rmv:"), cases::yes("flag"));
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

    void setValuesPlacesTheList_data() { cases::addRows("store/set_values.txt"); }
    void setValuesPlacesTheList()
    {
        TProfile profile = profileOf(cases::lines("lines"));
        profile.SetValues("R:", cases::lines("list"));
        QCOMPARE(profile.Lines(), cases::lines("result"));
    }

    void readsTheWindowsIntegerForms_data() { cases::addRows("store/stop_distance.txt"); }
    void readsTheWindowsIntegerForms()
    {
        const auto read = readStopDistance(cases::cell("text").toStdString());
        QCOMPARE(read ? QByteArray::number(*read) : QByteArray(), cases::cell("value"));
    }

    void savesTheOtherBytesAsTheyWere_data() { cases::addRows("store/saved_bytes.txt"); }
    void savesTheOtherBytesAsTheyWere()
    {
        QVERIFY(writeBytes(path, cases::cell("file")));
        TProfile profile(path.toStdString());
        profile.SetValue("Rmv:", "25");
        profile.Save();
        QCOMPARE(bytesOf(path), cases::cell("saved"));
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

    void missingOrFolderIsAnError()
    {
        QVERIFY_THROWS_EXCEPTION(ProfileOpenError, TProfile(path.toStdString()));
        QVERIFY(QDir(folder.path()).mkdir("profile.dat"));
        QVERIFY_THROWS_EXCEPTION(ProfileOpenError, TProfile(path.toStdString()));
        QVERIFY(QDir(folder.path()).rmdir("profile.dat"));
    }

    void readOnlyFileIsRefusedAndKept()
    {
        QVERIFY(writeBytes(path, "Rmv: 20\r\nx\r\n"));
        QDir::setCurrent(folder.path());
        TProfile profile("profile.dat");
        profile.SetValue("Rmv:", "25");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        QVERIFY_THROWS_EXCEPTION(ProfileSaveError, profile.Save());
        QCOMPARE(bytesOf(path), QByteArray("Rmv: 20\r\nx\r\n"));
        QCOMPARE(filesInFolder(), QStringList { "profile.dat" });
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        profile.Save(); // the lines were kept for a later try
        QCOMPARE(bytesOf(path), QByteArray("Rmv: 25\r\nx\r\n"));
    }

    void permissionBitsAndLinksAreKept()
    {
        const QString real = folder.filePath("real.dat");
        // With the set-group-id bit, which a mask of the nine permission bits would drop.
        QVERIFY(writeBytes(real, "a\nb") && ::chmod(qPrintable(real), 02640) == 0 && QFile::link(real, path));
        TProfile(path.toStdString()).Save();
        QVERIFY(QFileInfo(path).isSymLink());
        QCOMPARE(bytesOf(real), QByteArray("a\r\nb\r\n"));
        struct stat saved { };
        QVERIFY(::stat(qPrintable(real), &saved) == 0);
        QCOMPARE(saved.st_mode & 07777, 02640u);
        QCOMPARE(filesInFolder(), (QStringList { "profile.dat", "real.dat" }));
        QFile::remove(real);
    }
};

QTEST_APPLESS_MAIN(ProfileStoreTest)
#include "test_profile_store.moc"
