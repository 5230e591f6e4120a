// Reading and saving real files: nothing the user had may be lost, whatever fails.
#include "profile/TProfile.h"

#include <QtTest>

#include <string>

Q_DECLARE_METATYPE(std::string)

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
    const QString path = folder.filePath("profile.dat");

    QStringList filesInFolder() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden); }

private slots:
    void init() { QFile::remove(path); }

    void unknownLinesSurviveByteForByte()
    {
        writeAll(path, "# V\xfd\x9aka\r\nUnknownKey: \x8a\x81\x90  \n\n \t 45,1,air\rRmv: 20\r\n\x01\x1f");
        TProfile profile(path.toStdString());
        profile.SetValue("Rmv:", "25");
        profile.Save();
        QCOMPARE(readAll(path),
            QByteArray("# V\xfd\x9aka\r\nUnknownKey: \x8a\x81\x90  \r\n\r\n \t 45,1,air\r\nRmv: 25\r\n\x01\x1f\r\n"));
    }

    void bytesFromTheFirstNulAreKept_data()
    {
        using namespace std::string_literals;
        QTest::addColumn<std::string>("file");
        QTest::addColumn<std::string>("saved");
        QTest::newRow("NUL in a comment, key appended before it") << "# a\0b\r\nRmv: 20\r\n"s
                                                                  << "# a\r\nRmv: 25\r\n\0b\r\nRmv: 20\r\n"s;
        QTest::newRow("NUL first") << "\0Rmv: 20"s
                                   << "Rmv: 25\r\n\0Rmv: 20"s;
        QTest::newRow("NUL after a line end") << "Rmv: 20\n\0\0\xff"s
                                              << "Rmv: 25\r\n\0\0\xff"s;
    }
    void bytesFromTheFirstNulAreKept()
    {
        QFETCH(std::string, file);
        QFETCH(std::string, saved);
        writeAll(path, QByteArray::fromStdString(file));
        TProfile profile(path.toStdString());
        profile.SetValue("Rmv:", "25");
        profile.Save();
        QCOMPARE(readAll(path), QByteArray::fromStdString(saved));
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
        for (const bool asFolder : { false, true }) {
            QVERIFY(!asFolder || QDir(folder.path()).mkdir("profile.dat"));
            QVERIFY_THROWS_EXCEPTION(ProfileOpenError, TProfile(path.toStdString()));
        }
        QCOMPARE(QString(ProfileOpenError("profile.dat").what()), QString("Nenalezen soubor profile.dat"));
        QVERIFY(QDir(folder.path()).rmdir("profile.dat"));
    }

    void readOnlyFileIsRefusedAndKept()
    {
        writeAll(path, "Rmv: 20\r\nx\r\n");
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
        QCOMPARE(readAll(path), QByteArray("Rmv: 20\r\nx\r\n"));
        QCOMPARE(filesInFolder(), QStringList { "profile.dat" });
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        profile.Save(); // the lines were kept for a later try
        QCOMPARE(readAll(path), QByteArray("Rmv: 25\r\nx\r\n"));
    }

    void permissionBitsAndLinksAreKept()
    {
        const QString real = folder.filePath("real.dat");
        writeAll(real, "a\nb");
        const auto bits = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(real, bits) && QFile::link(real, path));
        TProfile(path.toStdString()).Save();
        QVERIFY(QFileInfo(path).isSymLink());
        QCOMPARE(readAll(real), QByteArray("a\r\nb\r\n"));
        QCOMPARE(QFile::permissions(real), bits | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(filesInFolder(), (QStringList { "profile.dat", "real.dat" }));
        QFile::remove(real);
    }
};

QTEST_APPLESS_MAIN(ProfileSaveTest)
#include "test_profile_save.moc"
