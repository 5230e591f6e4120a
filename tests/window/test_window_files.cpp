// profile.dat through the window: what the controls show (the missing-key values too), the
// hints, the stored keys and the stop-distance check, and what leaving the window writes.
#include "tests/window/WindowFixture.h"
#include "ui/Koraxgui.h"

#include <QTableWidget>
#include <QTextDocument>
#include <QtTest>

namespace {

const QByteArray kSample = bytesOf(TROVA_DEMO_DATA "/profile.dat");

// One start, "&Konec", "&Ano"; what the file holds afterwards, nothing when the window stays.
QByteArray afterKonecAno(const QByteArray& contents)
{
    OpenWindow open(contents);
    ModalWatcher watcher(pressing(QStringLiteral("Button1")));
    open.window->BitBtn1->click();
    return open.window->isVisible() ? QByteArray() : open.folder.contents();
}

} // namespace

class WindowFilesTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheFile_data() { cases::addRows("window/shown.txt"); }
    void showsTheFile()
    {
        const OpenWindow open(cases::cell("file") == "sample" ? kSample : cases::cell("file"));
        const QStringList expected = cases::text("expected").split(';');
        QCOMPARE(shownStates(*open.window, expected), expected);
    }

    void setsHints_data() { cases::addRows("window/hints.txt"); }
    void setsHints()
    {
        const OpenWindow open(cases::cell("file") == "sample" ? kSample : cases::cell("file"));
        const QString tip = open.window->findChild<QWidget*>(cases::text("control"))->toolTip();
        QTextDocument asRead;
        asRead.setHtml(tip);
        QCOMPARE(Qt::mightBeRichText(tip) ? asRead.toPlainText() : tip, cases::text("hint"));
    }

    // Closing with "Ano": a stop distance the check accepts is written as typed, the keys the
    // file lacks after its lines in the order of the table; else its message shows, and the
    // window stays with the file unchanged.
    void checksTheStopDistance_data() { cases::addRows("window/stop-distance.txt"); }
    void checksTheStopDistance()
    {
        const OpenWindow open("StopDistance: 9\r\n");
        open.window->edStopDistance->setText(cases::text("typed"));
        ModalWatcher watcher(pressing("Button1"));
        open.window->close();
        const bool accepted = cases::cell("box").isEmpty();
        QCOMPARE(watcher.seen,
            QStringList("Save Changes||-1")
                + (accepted ? QStringList() : QStringList("Chyba|" + cases::text("box") + "|0")));
        QCOMPARE(open.window->isVisible(), !accepted);
        const QByteArray written
            = bytesOf(TROVA_TEST_DATA "/window/missing-keys.dat").replace(": 9", ": " + cases::cell("typed"));
        QCOMPARE(open.folder.contents(), accepted ? written : "StopDistance: 9\r\n");
    }

    // The sample holds every key as the window writes it, so an unedited save changes no byte,
    // not even of a Czech value.
    void konecAnoLeavesTheSampleByteExact()
    {
        const QByteArray sample = QByteArray(kSample).replace("tissue.dat", "tk\xe1n\xec-\x9e\x8a.dat");
        QCOMPARE(afterKonecAno(sample), sample);
    }

    // Any file settles after one round of "&Konec" and "&Ano": a second round changes no byte.
    void konecAnoRoundsSettle_data()
    {
        QTest::addColumn<QByteArray>("contents");
        const QDir folder(QStringLiteral(TROVA_TEST_DATA "/window/settling"));
        for (const QString& name : folder.entryList(QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(name)) << bytesOf(folder.filePath(name));
    }
    void konecAnoRoundsSettle()
    {
        QFETCH(QByteArray, contents);
        const QByteArray first = afterKonecAno(contents);
        QVERIFY(!first.isEmpty());
        QCOMPARE(afterKonecAno(first), first);
    }

    // The dive table's header row, which is no profile line and cannot be edited.
    void diveTableHasItsHeader()
    {
        const OpenWindow open(kSample);
        const QTableWidget& grid = *open.window->sgDiveProfile;
        QCOMPARE(grid.item(0, 0)->text() + '|' + grid.item(0, 1)->text() + '|' + grid.item(0, 2)->text(),
            QStringLiteral("Hloubka|Čas|Směs O2/He"));
        QVERIFY(!(grid.item(0, 1)->flags() & Qt::ItemIsEditable));
    }

    // Esc, after editing the altitude and unticking repetitive dives (written as 900:00), and
    // the answer to the save-changes dialog. A window kept keeps every edit and the output name,
    // and changes nothing on disk.
    void answersTheClosing_data() { cases::addRows("window/closing.txt"); }
    void answersTheClosing()
    {
        const QByteArray profile("# test\r\nAltitude: 0\r\nStopDistance: 3\r\nPlanFile: plan.out\r\n");
        const OpenWindow open(profile);
        open.window->edAltitude->setText(QStringLiteral("123"));
        open.window->chbRepetitiveDives->setChecked(false);
        ModalWatcher watcher(pressing(cases::text("answer")));
        QTest::keyClick(open.window->edAltitude, Qt::Key_Escape);
        QCOMPARE(watcher.seen, QStringList("Save Changes||-1"));
        QCOMPARE(open.window->isVisible(), cases::cell("outcome") == "kept");
        QCOMPARE(open.window->edAltitude->text(), QStringLiteral("123"));
        if (cases::cell("outcome") == "kept") // the next run is still numbered
            QCOMPARE(open.window->edOutputFile->text(), QStringLiteral("1plan.out"));
        const QByteArray file = open.folder.contents();
        QVERIFY(cases::cell("outcome") == "saved" ? file.startsWith(QByteArray(profile).replace(": 0", ": 123"))
                    && file.contains("\r\nSurfaceInterval: 900:00\r\n")
                                                  : file == profile);
    }
};

QTEST_MAIN(WindowFilesTest)
#include "test_window_files.moc"
