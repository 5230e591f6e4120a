// The menu launcher trova-desktop, run for real from an installed tree in a temporary folder
// (bin/ with the launcher, our korax and a stand-in trova that notes the folder it was started
// in; share/trova/ with the Czech and English demos) with a temporary HOME.
#include "tests/support/Cases.h"
#include "tests/support/TestFiles.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kUserSettings = "# mine\r\nRmv: 25\r\n";

} // namespace

class DesktopLauncherTest : public QObject {
    Q_OBJECT

    QTemporaryDir root;
    const QString prefix = root.filePath("usr");
    const QString home = root.filePath("home/jiří");
    const QString startedIn = root.filePath("started-in");
    const QString notified = root.filePath("notified");
    const QString folder = home + "/.local/share/trova";

    // XDG_DATA_HOME "unset" is left out; one starting with "/" lies under the root. desktop: the
    // language variables of the desktop, when the case gives them (empty ones unset).
    Finished launch(
        const QString& dataHome = "unset", const QString& homeGiven = {}, const QHash<QString, QString>& desktop = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!desktop.isEmpty()) {
            for (const char* name : { "LC_ALL", "LC_MESSAGES", "LANGUAGE", "LANG", "TROVA_LANG" })
                environment.remove(name);
        }
        for (auto variable = desktop.begin(); variable != desktop.end(); ++variable) {
            if (!variable.value().isEmpty())
                environment.insert(variable.key(), variable.value());
        }
        environment.insert("HOME", homeGiven.isEmpty() ? home : homeGiven);
        environment.remove("XDG_DATA_HOME");
        if (dataHome != "unset")
            environment.insert("XDG_DATA_HOME", dataHome.startsWith('/') ? root.path() + dataHome : dataHome);
        environment.insert("PATH", root.filePath("desktop") + ":/usr/bin:/bin");
        return runProgram(prefix + "/bin/trova-desktop", {}, root.path(), environment);
    }

    static bool writeScript(const QString& path, const QByteArray& text)
    {
        return writeBytes(path, "#!/bin/sh\n" + text)
            && QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    }

private slots:
    void init()
    {
        QVERIFY(QDir(root.path()).removeRecursively()); // made again below
        QVERIFY(QDir().mkpath(prefix + "/bin") && QDir().mkpath(prefix + "/share/trova") && QDir().mkpath(home)
            && QDir().mkpath(root.filePath("desktop")));
        QVERIFY(QFile::copy(LAUNCHER_PATH, prefix + "/bin/trova-desktop"));
        QVERIFY(QFile::copy(KORAX_PATH, prefix + "/bin/korax"));
        QVERIFY(QFile::copy(TROVA_DEMO_DATA "/profile.dat", prefix + "/share/trova/profile.dat"));
        QVERIFY(QFile::copy(TROVA_DEMO_DATA "/profile.en.dat", prefix + "/share/trova/profile.en.dat"));
        QVERIFY(writeScript(prefix + "/bin/trova", "pwd -P > '" + startedIn.toUtf8() + "'\n"));
        for (const char* desktop : { "desktop/notify-send", "desktop/xmessage" })
            QVERIFY(writeScript(root.filePath(desktop), "printf '%s\\n' \"$@\" > '" + notified.toUtf8() + "'\n"));
    }

    void firstStartMakesTheFolder_data() { cases::addRows("packaging/data_homes.txt"); }
    void firstStartMakesTheFolder()
    {
        const QString made = root.filePath(cases::text("folder"));
        QCOMPARE(launch(cases::text("dataHome")).exitCode, 0);
        QCOMPARE(bytesOf(startedIn).trimmed(), made.toUtf8());
        QCOMPARE(bytesOf(made + "/profile.dat"), bytesOf(TROVA_DEMO_DATA "/profile.dat"));
        QCOMPARE(QFileInfo(made + "/korax.exe").symLinkTarget(), prefix + "/bin/korax");
        QCOMPARE(QDir(made).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({ "korax.exe", "profile.dat" }));
        // The link is the planner itself: it plans the demo dive there.
        QCOMPARE(runProgram(made + "/korax.exe", {}, made).exitCode, 0);
        QVERIFY(QFileInfo::exists(made + "/plan.out"));
    }

    // The first start copies the demo in the language of the programs, by their rule's own table.
    void copiesTheDemoOfItsLanguage_data() { cases::addRows("language/rule.txt"); }
    void copiesTheDemoOfItsLanguage()
    {
        const Finished run = launch("unset", {},
            { { "TROVA_LANG", cases::text("override") }, { "LANG", cases::text("locale") },
                { "LANGUAGE", cases::text("first") } });
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(bytesOf(home + "/.local/share/trova/profile.dat"),
            bytesOf(
                cases::text("language") == "en" ? TROVA_DEMO_DATA "/profile.en.dat" : TROVA_DEMO_DATA "/profile.dat"));
    }

    // A korax.exe of the user's is left alone; a missing one (never there, or deleted) is linked
    // to ours. The settings stay the user's.
    void theUsersFilesAreLeftAlone_data() { cases::addRows("packaging/users_planners.txt"); }
    void theUsersFilesAreLeftAlone()
    {
        const QString korax = cases::text("korax");
        const QString linkedTo = cases::cell("linkedTo").isEmpty() ? QString() : root.filePath(cases::text("linkedTo"));
        QVERIFY(QDir().mkpath(folder) && writeBytes(folder + "/profile.dat", kUserSettings));
        if (korax == "program")
            QVERIFY(writeScript(folder + "/korax.exe", "exit 0\n"));
        if (korax == "link")
            QVERIFY(writeScript(linkedTo, "exit 0\n"));
        if (korax == "link" || korax == "dangling")
            QVERIFY(QFile::link(linkedTo, folder + "/korax.exe"));
        const QByteArray before = bytesOf(korax == "missing" ? linkedTo : folder + "/korax.exe");

        QCOMPARE(launch().exitCode, 0);
        QCOMPARE(bytesOf(startedIn).trimmed(), folder.toUtf8());
        QCOMPARE(bytesOf(folder + "/profile.dat"), kUserSettings);
        QCOMPARE(QFileInfo(folder + "/korax.exe").symLinkTarget(), linkedTo);
        QCOMPARE(bytesOf(folder + "/korax.exe"), before);
    }

    // Nothing starts; the reason goes to stderr and, with no terminal there, to the desktop: as a
    // notification, or in a message box where no notification can be shown.
    void aFolderThatCannotBeMadeIsReported_data() { cases::addRows("packaging/blocked_folders.txt"); }
    void aFolderThatCannotBeMadeIsReported()
    {
        const QString blocker = cases::text("blocker");
        const bool notifications = cases::yes("notifications");
        if (blocker.contains('/'))
            QVERIFY(QDir().mkpath(root.filePath("data")));
        QVERIFY(writeBytes(root.filePath(blocker), "not a folder"));
        if (!notifications)
            QVERIFY(writeScript(root.filePath("desktop/notify-send"), "exit 1\n"));
        const Finished run = launch("/data");
        QCOMPARE(run.exitCode, 1);
        const QByteArray message = "Složku " + root.filePath("data/trova").toUtf8()
            + " nelze vytvořit ani do ní zapisovat; T/ROVA se nespustí.";
        QCOMPARE(run.err, "trova-desktop: " + message + "\n");
        QCOMPARE(bytesOf(notified),
            notifications ? "--app-name=T/ROVA\n--icon=cz.trova.Trova\nT/ROVA\n" + message + "\n"
                          : "-center\nT/ROVA: " + message + "\n");
        QVERIFY(!QFileInfo::exists(startedIn));
        QCOMPARE(bytesOf(root.filePath(blocker)), QByteArray("not a folder"));
    }

    // What the launcher will not start in, each named on stderr: nothing is copied, linked or
    // run, and a file that a planted link points to keeps its bytes. Another user's folder
    // needs root to make.
    void refusesWhatItCannotUse_data() { cases::addRows("packaging/refusals.txt"); }
    void refusesWhatItCannotUse()
    {
        const QString setup = cases::text("setup");
        const QString victim = root.filePath("victim.txt");
        QVERIFY(QDir().mkpath(folder) && writeBytes(victim, "private\n"));
        if (setup == "folder")
            QVERIFY(QDir().mkpath(folder + "/profile.dat"));
        if (setup == "dangling")
            QVERIFY(QFile::link(root.filePath("gone.dat"), folder + "/profile.dat"));
        if (setup == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(folder + "/profile.dat").constData(), 0600), 0);
        if (setup == "0777" || setup == "nobody") {
            if (setup == "nobody" && ::geteuid() != 0)
                QSKIP("only root can give a folder to another user");
            for (const char* planted : { "/.profile.dat.demo", "/profile.dat", "/korax.exe" })
                QVERIFY(QFile::link(victim, folder + planted));
            QVERIFY(setup == "0777" ? ::chmod(QFile::encodeName(folder).constData(), 0777) == 0
                                    : ::chown(QFile::encodeName(folder).constData(), 65534, 65534) == 0);
        }
        const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        const Finished run = launch("unset", setup == "relative HOME" ? "home/jiří" : QString());
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(
            QString::fromUtf8(run.err), "trova-desktop: " + cases::text("message").replace("FOLDER", folder) + "\n");
        QVERIFY(!QFileInfo::exists(startedIn));
        QCOMPARE(bytesOf(victim), QByteArray("private\n"));
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    }

    // A link left at the demo copy's old temporary name in the user's own folder is not
    // followed: the demo becomes profile.dat, the file the link points to keeps its bytes.
    void theDemoCopyFollowsNoLink()
    {
        const QString victim = root.filePath("victim.txt");
        QVERIFY(QDir().mkpath(folder) && writeBytes(victim, "private\n"));
        QVERIFY(QFile::link(victim, folder + "/.profile.dat.demo"));
        QCOMPARE(launch().exitCode, 0);
        QCOMPARE(bytesOf(folder + "/profile.dat"), bytesOf(TROVA_DEMO_DATA "/profile.dat"));
        QVERIFY(!QFileInfo(folder + "/profile.dat").isSymLink());
        QCOMPARE(bytesOf(victim), QByteArray("private\n"));
    }
};

QTEST_GUILESS_MAIN(DesktopLauncherTest)
#include "test_desktop_launcher.moc"
