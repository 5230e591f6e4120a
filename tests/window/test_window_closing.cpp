// Leaving the window: the save-changes dialog and its answers, saving without asking after a
// press, a refused stop distance, a profile.dat that cannot be written, and the key roles.
#include "Koraxgui.h"
#include "WindowFixture.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

const QByteArray kProfile("# test\r\nAltitude: 0\r\nStopDistance: 3\r\nPlanFile: plan.out\r\n");
constexpr int kDivePage = 0;

bool holdsLine(const QByteArray& file, const QByteArray& line)
{
    return file.split('\n').contains(line + '\r');
}

}  // namespace

class WindowClosingTest : public QObject {
    Q_OBJECT

private slots:
    void answersTheSaveChangesDialog_data()
    {
        QTest::addColumn<ModalWatcher::Answer>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saves");
        QTest::newRow("Ano saves and closes") << answers::press("Button1") << true << true;
        QTest::newRow("Ne closes without saving") << answers::press("BitBtn1") << true << false;
        QTest::newRow("Esc answers Ne") << answers::escape() << true << false;
        QTest::newRow("Zpet keeps the window") << answers::press("BitBtn2") << false << false;
        QTest::newRow("close box keeps the window") << answers::closeBox() << false << false;
    }
    void answersTheSaveChangesDialog()
    {
        QFETCH(ModalWatcher::Answer, answer);
        QFETCH(bool, closes);
        QFETCH(bool, saves);
        OpenWindow open(kProfile);
        open.window->edAltitude->setText(QStringLiteral("123"));
        ModalWatcher watcher(answer);
        open.window->close();
        QCOMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].title, QStringLiteral("Save Changes"));
        QCOMPARE(open.window->isVisible(), !closes);
        QCOMPARE(holdsLine(open.folder.contents(), "Altitude: 123"), saves);
        if (!saves)
            QCOMPARE(open.folder.contents(), kProfile);
        QCOMPARE(open.window->edAltitude->text(), QStringLiteral("123"));
    }

    void savesThePlanBaseNameOnClosing()
    {
        OpenWindow open(kProfile);
        QCOMPARE(open.window->edOutputFile->text(), QStringLiteral("1plan.out"));
        ModalWatcher watcher(answers::press("Button1"));
        open.window->close();
        QVERIFY(holdsLine(open.folder.contents(), "PlanFile: plan.out"));
    }

    void closesWithoutAskingAfterAPress()
    {
        OpenWindow open(kProfile);
        open.window->PageControl1->setCurrentIndex(kDivePage);
        open.window->Button1->click();
        QVERIFY(holdsLine(open.folder.contents(), "PlanFile: 1plan.out"));
        open.window->edAltitude->setText(QStringLiteral("55"));
        ModalWatcher watcher;
        open.window->close();
        QVERIFY(watcher.seen.isEmpty());
        QVERIFY(!open.window->isVisible());
        QVERIFY(holdsLine(open.folder.contents(), "Altitude: 55"));
        QVERIFY(holdsLine(open.folder.contents(), "PlanFile: plan.out"));
    }

    void keepsTheWindowOpenWhenTheStopDistanceIsRefused_data()
    {
        QTest::addColumn<bool>("pressedBefore");
        QTest::newRow("never computed, answered Ano") << false;
        QTest::newRow("computed before") << true;
    }
    void keepsTheWindowOpenWhenTheStopDistanceIsRefused()
    {
        QFETCH(bool, pressedBefore);
        OpenWindow open(kProfile);
        if (pressedBefore) {
            open.window->PageControl1->setCurrentIndex(kDivePage);
            open.window->Button1->click();
        }
        const QByteArray before = open.folder.contents();
        const QString numbered = open.window->edOutputFile->text();
        open.window->edAltitude->setText(QStringLiteral("77"));
        open.window->edStopDistance->setText(QStringLiteral("0"));
        ModalWatcher watcher(answers::press("Button1"));
        open.window->close();
        QCOMPARE(watcher.seen.last().text, QStringLiteral("Vzálenost mezi zastávkami nesmí být nulová!"));
        QVERIFY(open.window->isVisible());
        QCOMPARE(open.folder.contents(), before);
        QCOMPARE(open.window->edOutputFile->text(), numbered);

        open.window->edStopDistance->setText(QStringLiteral("3"));
        open.window->close();
        QVERIFY(!open.window->isVisible());
        QVERIFY(holdsLine(open.folder.contents(), "Altitude: 77"));
    }

    void reportsAProfileThatCannotBeWritten_data()
    {
        QTest::addColumn<bool>("onClosing");
        QTest::newRow("compute button") << false;
        QTest::newRow("closing with Ano") << true;
    }
    void reportsAProfileThatCannotBeWritten()
    {
        QFETCH(bool, onClosing);
        OpenWindow open(kProfile);
        open.folder.makeReadOnly();
        open.window->edAltitude->setText(QStringLiteral("9"));
        ModalWatcher watcher(answers::press("Button1"));
        if (onClosing) {
            open.window->close();
        } else {
            open.window->PageControl1->setCurrentIndex(kDivePage);
            open.window->Button1->click();
        }
        const SeenModal report = watcher.seen.last();
        QCOMPARE(report.title, QStringLiteral("T/ROVA"));
        QCOMPARE(report.text, QStringLiteral("Cannot create file profile.dat"));
        QCOMPARE(report.icon, int(QMessageBox::Critical));
        QVERIFY(open.window->isVisible());
        QCOMPARE(open.folder.contents(), kProfile);
        QCOMPARE(open.window->edAltitude->text(), QStringLiteral("9"));
    }

    void escapeStartsTheClosing()
    {
        OpenWindow open(kProfile);
        ModalWatcher watcher(answers::press("BitBtn1"));
        QTest::keyClick(open.window->edAltitude, Qt::Key_Escape);
        QCOMPARE(watcher.seen.size(), 1);
        QVERIFY(!open.window->isVisible());
    }

    void enterPressesComputeOnlyWhenEnabled_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("saves");
        QTest::newRow("settings page") << kDivePage << true;
        QTest::newRow("info page") << 2 << false;
    }
    void enterPressesComputeOnlyWhenEnabled()
    {
        QFETCH(int, page);
        QFETCH(bool, saves);
        OpenWindow open(kProfile);
        open.window->PageControl1->setCurrentIndex(page);
        open.window->edAltitude->setText(QStringLiteral("42"));
        QTest::keyClick(open.window->edAltitude, Qt::Key_Return);
        QCOMPARE(holdsLine(open.folder.contents(), "Altitude: 42"), saves);
    }

    void enterInAMemoStartsANewLine()
    {
        OpenWindow open(kProfile);
        open.window->PageControl1->setCurrentIndex(kDivePage);
        open.window->mDescentRates->clear();
        QTest::keyClicks(open.window->mDescentRates, QStringLiteral("a"));
        QTest::keyClick(open.window->mDescentRates, Qt::Key_Return);
        QTest::keyClicks(open.window->mDescentRates, QStringLiteral("b"));
        QCOMPARE(open.window->mDescentRates->toPlainText(), QStringLiteral("a\nb"));
        QCOMPARE(open.folder.contents(), kProfile);
    }
};

QTEST_MAIN(WindowClosingTest)
#include "test_window_closing.moc"
