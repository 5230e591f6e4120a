// The lists in the real main window: the hints and header a start shows, and leaving with
// "&Konec" and "&Ano" without edits, which leaves the sample as it was and settles any file
// after the first round.
#include "tests/window/WindowFixture.h"
#include "ui/Koraxgui.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

// One start, "&Konec", "&Ano"; what the file holds afterwards.
QByteArray afterKonecAno(const QByteArray& contents)
{
    OpenWindow open(contents);
    ModalWatcher watcher(pressing(QStringLiteral("Button1")));
    open.window->BitBtn1->click();
    return open.window->isVisible() ? QByteArray() : open.folder.contents();
}

const QByteArray kSample = bytesOf(TROVA_DEMO_DATA "/profile.dat");

} // namespace

class ListWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheHintsAndHeaderOfTheSample()
    {
        OpenWindow open(kSample);
        const QTableWidget& grid = *open.window->sgDiveProfile;
        QCOMPARE(open.window->mAscentRates->toolTip(), QStringLiteral("Rychlosti výstupu: od-do, rychlost za minutu."));
        QVERIFY(grid.toolTip().startsWith(QStringLiteral("Profil ponoru: hloubka, čas")));
        QCOMPARE(grid.item(0, 0)->text() + '|' + grid.item(0, 1)->text() + '|' + grid.item(0, 2)->text(),
            QStringLiteral("Hloubka|Čas|Směs O2/He"));
        QVERIFY(!(grid.item(0, 1)->flags() & Qt::ItemIsEditable));
    }

    void sampleComesBackByteForByte() { QCOMPARE(afterKonecAno(kSample), kSample); }

    void konecAnoRoundsSettle_data()
    {
        QTest::addColumn<QByteArray>("contents");
        const QDir folder(QStringLiteral(TROVA_TEST_DATA "/lists"));
        for (const QString& name : folder.entryList({ QStringLiteral("*.dat") }, QDir::Files, QDir::Name)) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QTest::newRow(qPrintable(name)) << file.readAll();
        }
    }
    void konecAnoRoundsSettle()
    {
        QFETCH(QByteArray, contents);
        const QByteArray first = afterKonecAno(contents);
        QVERIFY(!first.isEmpty());
        QCOMPARE(afterKonecAno(first), first);
    }
};

QTEST_MAIN(ListWindowTest)
#include "test_list_window.moc"
