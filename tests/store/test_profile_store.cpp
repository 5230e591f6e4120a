// The profile store's save through a link on Linux: the link stays and the file keeps every
// permission bit. The store's other cases are run by portable_tests, on Linux and on Windows.
#include "profile/TProfile.h"
#include "tests/support/TestFiles.h"

#include <QtTest>

#include <sys/stat.h>

class ProfileStoreTest : public QObject {
    Q_OBJECT

private slots:
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
