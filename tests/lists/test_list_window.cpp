// The lists in the real main window: what a start shows, and leaving with "&Konec" and
// "&Ano" without edits settling every file after the first round.
#include "Koraxgui.h"
#include "WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBlock>
#include <QtTest>

namespace {

// One start, "&Konec", "&Ano"; what the file holds afterwards.
QByteArray afterKonecAno(const QByteArray& contents)
{
    OpenWindow open(contents);
    ModalWatcher watcher(answers::press("Button1"));
    open.window->BitBtn1->click();
    return open.window->isVisible() ? QByteArray() : open.folder.contents();
}

QStringList memoLines(const QPlainTextEdit& memo)
{
    QStringList lines;
    for (QTextBlock block = memo.document()->begin(); block.isValid(); block = block.next())
        lines.append(block.text());
    return lines;
}

} // namespace

class ListWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheListsOfTheSample()
    {
        OpenWindow open(readDemoProfile());
        const TfKoraxGUI& window = *open.window;
        QCOMPARE(memoLines(*window.mDescentRates), QStringList { "0-45, 20" });
        QCOMPARE(memoLines(*window.mAscentRates), (QStringList { "45-6, 9", "6-0, 3" }));
        QCOMPARE(window.mAscentRates->toolTip(), QStringLiteral("Rychlosti výstupu: od-do, rychlost za minutu."));
        QCOMPARE(window.sgDiveProfile->item(0, 2)->text(), QStringLiteral("Směs O2/He"));
        QCOMPARE(window.sgDiveProfile->item(3, 1)->text(), QStringLiteral("3"));
        QCOMPARE(window.sgDiveProfile->item(3, 2)->text(), QStringLiteral("21/35"));
        QVERIFY(window.sgDiveProfile->toolTip().startsWith(QStringLiteral("Profil ponoru: hloubka, čas")));
    }

    void konecAnoRoundsSettle_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("sample") << readDemoProfile();
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
