// The program's start-up and message loop, run here with a timer acting as the user: a missing
// profile.dat ends it with its message before any window shows, and a press of "&Výpočet" on
// the sample settings with our planner opens the plan in notepad.exe when one is on PATH, else
// in the trova-plan beside the program.
#include "app/AppShell.h"
#include "files/FileReplace.h"
#include "files/SaveJournal.h"
#include "tests/support/WindowFixture.h"
#include "ui/Koraxgui.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

#include <sys/stat.h>

class ProgramTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> work;
    const QString previous = QDir::currentPath();
    const QString besideProgram = QCoreApplication::applicationDirPath() + "/trova-plan";
    const QByteArray savedPath = qgetenv("PATH");

private slots:
    // Made by name: the default names a temporary after the program, and start-up sets "T/ROVA".
    void init()
    {
        work = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/work-XXXXXX");
        QDir::setCurrent(work->path());
    }
    void cleanup()
    {
        QDir::setCurrent(previous);
        QFile::remove(besideProgram);
        qputenv("PATH", savedPath);
        qunsetenv("XDG_CACHE_HOME");
    }

    // A profile.dat that cannot be read as settings ends the start with its message before any
    // window: never waited on (a named pipe), never read without bound (a device, a huge file).
    void endsWhenProfileCannotBeRead_data() { cases::addRows("program/unreadable.txt"); }
    void endsWhenProfileCannotBeRead()
    {
        const QByteArray file = cases::cell("file");
        if (file == "pipe")
            QCOMPARE(::mkfifo("profile.dat", 0600), 0);
        if (file == "folder")
            QVERIFY(QDir().mkdir("profile.dat"));
        if (file == "zero")
            QVERIFY(QFile::link("/dev/zero", "profile.dat"));
        if (file == "large") {
            QFile large("profile.dat");
            QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(qint64 { 65 } << 20));
        }
        const QStringList before = QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        ModalWatcher watcher;
        QCOMPARE(runApplication(), 1);
        QCOMPARE(watcher.seen, QStringList { "T/ROVA|" + cases::text("message") + "|0" });
        QCOMPARE(watcher.behind, QStringList());
        QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }

    void startsTheViewerFound_data() { cases::addRows("program/viewers.txt"); }
    void startsTheViewerFound()
    {
        QTemporaryDir pathEntry(QDir::tempPath() + "/path-XXXXXX");
        QVERIFY(
            QFile::copy(TROVA_STANDIN, besideProgram) && QFile::copy(TROVA_STANDIN, pathEntry.filePath("notepad.exe")));
        QVERIFY(QFile::copy(KORAX_BINARY, "korax.exe") && QFile::copy(TROVA_DEMO_DATA "/profile.dat", "profile.dat"));
        if (cases::yes("notepadOnPath"))
            qputenv("PATH", (pathEntry.path() + QDir::listSeparator()).toLocal8Bit() + savedPath);
        ModalWatcher watcher;
        QTimer::singleShot(0, [] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* main = qobject_cast<TfKoraxGUI*>(window)) {
                    main->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(0);
                    main->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
                    main->close();
                }
            }
        });
        QCOMPARE(runApplication(), 0);
        // No box: the plan was written and shown. The stand-in logs its arguments in the working
        // folder it inherits.
        QCOMPARE(watcher.seen, QStringList());
        QTRY_COMPARE(callsOf(cases::text("started")), QStringList { "argc=1|1plan.out" });
        QVERIFY(!QFile::exists(cases::text("passedOver") + ".log"));
    }

    // A save cut by a kill is offered to be undone before profile.dat is read; nothing is
    // deleted unseen.
    void offersToUndoACutSave_data() { cases::addRows("program/cut_saves.txt"); }
    void offersToUndoACutSave()
    {
        const QString journals = work->filePath("cache/trova");
        qputenv("XDG_CACHE_HOME", QFile::encodeName(work->filePath("cache")));
        QVERIFY(writeBytes("profile.dat", cases::cell("file")));
        struct stat info { };
        QCOMPARE(::stat("profile.dat", &info), 0);
        QVERIFY(!platform::writeJournal({ platform::saveTarget("profile.dat"), info.st_dev, info.st_ino,
                                            "Altitude: 100\r\nRmv: 20\r\n", "Altitude: 200\r\n" })
                     .empty());
        const QString answer = cases::text("answer");
        const QByteArray meanwhile = cases::cell("meanwhile");
        ModalWatcher watcher(answer.isEmpty() ? ModalWatcher::Answer {} : [&answer, &meanwhile](QWidget& box) {
            if (!meanwhile.isEmpty() && box.windowTitle() == "T/ROVA")
                QVERIFY(writeBytes("profile.dat", meanwhile)); // another program, while the question is open
            pressing(answer)(box);
        });
        QString shown;
        QTimer look;
        // Left without closing the window, which would ask about saving.
        look.callOnTimeout([&shown, &look] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (qobject_cast<TfKoraxGUI*>(window) != nullptr && window->isVisible()) {
                    shown = window->findChild<QLineEdit*>("edAltitude")->text();
                    look.stop();
                    QCoreApplication::exit(0);
                }
            }
        });
        look.start(10);
        QCOMPARE(runApplication(), 0);

        const QStringList kept = QDir(journals).entryList({ "*.kept" }, QDir::Files);
        QStringList expected;
        if (!answer.isEmpty())
            expected << "T/ROVA|Ukládání souboru profile.dat bylo přerušeno. Obnovit jeho původní obsah?|4";
        if (!meanwhile.isEmpty())
            expected << "T/ROVA|Soubor profile.dat se mezitím změnil; jeho původní obsah se neobnoví.|0";
        if (cases::yes("kept") && kept.size() == 1)
            expected << "T/ROVA|Původní obsah souboru profile.dat zůstává uložen v " + journals + "/" + kept.front()
                    + "|0";
        QCOMPARE(watcher.seen, expected);
        QCOMPARE(shown, cases::text("shown"));
        QCOMPARE(kept.size(), cases::yes("kept") ? 1 : 0);
        QCOMPARE(QDir(journals).entryList(QDir::Files).size(), kept.size());
    }
};

QTEST_MAIN(ProgramTest)
#include "test_program.moc"
