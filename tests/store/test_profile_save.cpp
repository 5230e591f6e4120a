// Reading and saving real files: nothing the user had may be lost, whatever fails.
#include "profile/TProfile.h"
#include "tests/support/Cases.h"
#include "tests/support/TestFiles.h"

#include <QtTest>

class ProfileSaveTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    const QString path = folder.filePath("profile.dat");

    QStringList filesInFolder() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden); }

private slots:
    void init() { QFile::remove(path); }

    void savesTheOtherBytesAsTheyWere_data() { cases::addRows("store/saved_bytes.txt"); }
    void savesTheOtherBytesAsTheyWere()
    {
        QVERIFY(writeBytes(path, cases::cell("file")));
        TProfile profile(path.toStdString());
        profile.SetValue("Rmv:", "25");
        profile.Save();
        QCOMPARE(bytesOf(path), cases::cell("saved"));
    }

    void keptBackupIsNamedInTheMessage()
    {
        const ProfileSaveError error("profile.dat", "/home/jiří/.cache/trova/profile.dat.a1B2c3");
        QCOMPARE(QByteArray(error.what()),
            QByteArray("Cannot create file profile.dat\nP\xf9vodn\xed obsah je ulo\x9e"
                       "en v /home/ji\xf8\xed/.cache/trova/profile.dat.a1B2c3"));
    }

    void missingOrFolderIsAnError()
    {
        QVERIFY_THROWS_EXCEPTION(ProfileOpenError, TProfile(path.toStdString()));
        QVERIFY(QDir(folder.path()).mkdir("profile.dat"));
        QVERIFY_THROWS_EXCEPTION(ProfileOpenError, TProfile(path.toStdString()));
        QVERIFY(QDir(folder.path()).rmdir("profile.dat"));
        QCOMPARE(QString(ProfileOpenError("profile.dat").what()), QString("Nenalezen soubor profile.dat"));
    }

    void readOnlyFileIsRefusedAndKept()
    {
        QVERIFY(writeBytes(path, "Rmv: 20\r\nx\r\n"));
        QDir::setCurrent(folder.path());
        TProfile profile("profile.dat");
        profile.SetValue("Rmv:", "25");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        try {
            profile.Save();
            QFAIL("no error");
        } catch (const ProfileSaveError& error) {
            QCOMPARE(QString(error.what()), QString("Cannot create file profile.dat"));
        }
        QCOMPARE(bytesOf(path), QByteArray("Rmv: 20\r\nx\r\n"));
        QCOMPARE(filesInFolder(), QStringList { "profile.dat" });
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        profile.Save(); // the lines were kept for a later try
        QCOMPARE(bytesOf(path), QByteArray("Rmv: 25\r\nx\r\n"));
    }

    void permissionBitsAndLinksAreKept()
    {
        const QString real = folder.filePath("real.dat");
        QVERIFY(writeBytes(real, "a\nb"));
        const auto bits = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(real, bits) && QFile::link(real, path));
        TProfile(path.toStdString()).Save();
        QVERIFY(QFileInfo(path).isSymLink());
        QCOMPARE(bytesOf(real), QByteArray("a\r\nb\r\n"));
        QCOMPARE(QFile::permissions(real), bits | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(filesInFolder(), (QStringList { "profile.dat", "real.dat" }));
        QFile::remove(real);
    }
};

QTEST_APPLESS_MAIN(ProfileSaveTest)
#include "test_profile_save.moc"
