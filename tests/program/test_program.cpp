// The program's start-up and message loop, run here with a timer acting as the user: a missing
// profile.dat ends it with its message before any window shows, and a press of "&Výpočet" on
// the sample settings with our planner opens the plan in notepad.exe when one is on PATH, else
// in the trova-plan beside the program.
#include "app/AppShell.h"
#include "tests/support/WindowFixture.h"
#include "ui/Koraxgui.h"

#include <QApplication>
#include <QtTest>

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
    }

    void endsWhenProfileIsMissing()
    {
        ModalWatcher watcher;
        QCOMPARE(runApplication(), 1);
        QCOMPARE(watcher.seen, QStringList { "T/ROVA|Nenalezen soubor profile.dat|0" });
        QCOMPARE(watcher.behind, QStringList());
        QVERIFY(QDir(work->path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
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
        QCOMPARE(watcher.seen, QStringList());
        // The stand-in logs its arguments in the working folder it inherits.
        QVERIFY(QFile::exists("1plan.out"));
        QTRY_COMPARE(callsOf(cases::text("started")), QStringList { "argc=1|1plan.out" });
        QVERIFY(!QFile::exists(cases::text("passedOver") + ".log"));
    }
};

QTEST_MAIN(ProgramTest)
#include "test_program.moc"
