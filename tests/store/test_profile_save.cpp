// Reading and saving real files: nothing the user had may be lost, whatever fails.
#include "TProfile.h"

#include <QtTest>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class ProfileSaveTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QString path;

private slots:
    void init()
    {
        QVERIFY(folder.isValid());
        path = folder.filePath("profile.dat");
        QFile::remove(path);
    }

    void unknownLinesSurviveByteForByte()
    {
        const QByteArray original("# V\xfd\x9aka\r\nUnknownKey: \x8a\x81\x90  \n\n \t 45,1,air\rRmv: 20\r\n\x01\x1f");
        writeAll(path, original);
        TProfile profile(path.toStdString());
        profile.SetValue("Rmv:", "25");
        profile.Save();
        QCOMPARE(readAll(path),
            QByteArray("# V\xfd\x9aka\r\nUnknownKey: \x8a\x81\x90  \r\n\r\n \t 45,1,air\r\n"
                       "Rmv: 25\r\n\x01\x1f\r\n"));
    }

    void missingOrUnreadableFileIsAnError_data()
    {
        QTest::addColumn<bool>("asFolder");
        QTest::newRow("missing") << false;
        QTest::newRow("a folder") << true;
    }
    void missingOrUnreadableFileIsAnError()
    {
        QFETCH(bool, asFolder);
        if (asFolder)
            QVERIFY(QDir(folder.path()).mkdir("profile.dat"));
        try {
            TProfile profile(path.toStdString());
            QFAIL("no error");
        } catch (const ProfileOpenError& error) {
            QCOMPARE(QString(error.what()), "Nenalezen soubor " + path);
        }
        if (asFolder)
            QVERIFY(QDir(folder.path()).rmdir("profile.dat"));
        else
            QVERIFY(!QFile::exists(path));
    }

    void readOnlyFileIsRefusedAndKept()
    {
        const QByteArray original("Rmv: 20\r\nx\r\n");
        writeAll(path, original);
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
        QCOMPARE(readAll(path), original);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "profile.dat" });

        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        profile.Save(); // the lines were kept for a later try
        QCOMPARE(readAll(path), QByteArray("Rmv: 25\r\nx\r\n"));
    }

    void permissionBitsAreKept()
    {
        writeAll(path, "a");
        const auto bits = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(path, bits));
        TProfile(path.toStdString()).Save();
        QCOMPARE(QFile::permissions(path), bits | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "profile.dat" });
    }

    void symlinkIsWrittenThrough()
    {
        const QString real = folder.filePath("real.dat");
        writeAll(real, "a\nb");
        QVERIFY(QFile::link(real, path));
        TProfile(path.toStdString()).Save();
        QVERIFY(QFileInfo(path).isSymLink());
        QCOMPARE(readAll(real), QByteArray("a\r\nb\r\n"));
        QFile::remove(real);
    }
};

QTEST_APPLESS_MAIN(ProfileSaveTest)
#include "test_profile_save.moc"
