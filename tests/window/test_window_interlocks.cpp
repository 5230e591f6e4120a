// The interlocks as the user meets them, the page captions, the grid's shape, the DPI factor
// and the Windows-1250 input restriction.
#include "DpiScale.h"
#include "Koraxgui.h"
#include "RadioGroup.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

namespace {

constexpr int kPyle = 0;
constexpr int kWkpp = 1;

QRadioButton* item(QGroupBox& group, int index)
{
    return group.findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly).at(index);
}

// Types each character as one key press (QTest's own typing knows Latin-1 only).
void typeText(QWidget& control, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&control, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&control, &release);
    }
}

}  // namespace

class WindowInterlockTest : public QObject {
    Q_OBJECT

private slots:
    void deepStopsGovernTheirControls_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("groupEnabled");
        QTest::addColumn<bool>("pyleTimeEnabled");
        QTest::newRow("WKPP, untick") << QByteArray("DeepStops: w\r\n") << "untick" << false << false;
        QTest::newRow("WKPP, untick, tick again") << QByteArray("DeepStops: w\r\n") << "untick tick" << true << false;
        QTest::newRow("WKPP, choose Pyle") << QByteArray("DeepStops: w\r\n") << "Pyle" << true << true;
        QTest::newRow("Pyle, choose WKPP") << QByteArray("DeepStops: p\r\n") << "WKPP" << true << false;
        QTest::newRow("off, click the empty frame") << QByteArray("DeepStops: n\r\n") << "frame" << false << false;
        QTest::newRow("Pyle, click the empty frame") << QByteArray("DeepStops: p\r\n") << "frame" << true << true;
    }
    void deepStopsGovernTheirControls()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, action);
        QFETCH(bool, groupEnabled);
        QFETCH(bool, pyleTimeEnabled);
        OpenWindow open(file);
        TfKoraxGUI& w = *open.window;
        w.PageControl1->setCurrentIndex(0);
        const int itemBefore = radio_group::itemIndex(*w.rgDeepStops);
        for (const QString& step : action.split(' ')) {
            if (step == "untick" || step == "tick")
                QTest::mouseClick(w.chbDeepStops, Qt::LeftButton);
            else if (step == "Pyle" || step == "WKPP")
                QTest::mouseClick(item(*w.rgDeepStops, step == "Pyle" ? kPyle : kWkpp), Qt::LeftButton);
            else
                QTest::mouseClick(w.gbDeepStops, Qt::LeftButton, {}, QPoint(250, 90));
        }
        QCOMPARE(w.rgDeepStops->isEnabled(), groupEnabled);
        QCOMPARE(w.edPyleStopTime->isEnabled(), pyleTimeEnabled);
        QCOMPARE(w.lPyleStopTime->isEnabled(), pyleTimeEnabled);
        QVERIFY(w.gbDeepStops->isEnabled());
        QVERIFY(w.chbDeepStops->isEnabled());
        if (action == "frame")
            QCOMPARE(radio_group::itemIndex(*w.rgDeepStops), itemBefore);
    }

    void repetitiveDivesGovernTheirControls_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("off, tick") << QByteArray("SurfaceInterval: 900:00\r\n") << true;
        QTest::newRow("on, untick") << QByteArray("SurfaceInterval: 2:00\r\n") << false;
    }
    void repetitiveDivesGovernTheirControls()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, enabled);
        OpenWindow open(file);
        TfKoraxGUI& w = *open.window;
        w.PageControl1->setCurrentIndex(0);
        QTest::mouseClick(w.chbRepetitiveDives, Qt::LeftButton);
        QCOMPARE(w.edSurfaceInterval->isEnabled(), enabled);
        QCOMPARE(w.chbUpdateTissue->isEnabled(), enabled);
        QVERIFY(w.Label12->isEnabled());
    }

    void decoGasesGovernOnlyTheirFieldAndLabel()
    {
        OpenWindow open("UseOCDeco: y\r\n");
        TfKoraxGUI& w = *open.window;
        w.PageControl1->setCurrentIndex(1);
        QTest::mouseClick(w.chbUseOCDeco, Qt::LeftButton);
        QVERIFY(!w.edOcDecoGas->isEnabled());
        QVERIFY(!w.lOCDecoGas->isEnabled());
        QVERIFY(w.edOcDecoMaxPO2->isEnabled());
        QVERIFY(w.edMaxEND->isEnabled());
        QVERIFY(w.Label17->isEnabled());
        QVERIFY(w.Label18->isEnabled());
    }

    void computeButtonFollowsThePage_data()
    {
        QTest::addColumn<QList<int>>("pages");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("info to dive") << QList<int>{0} << true;
        QTest::newRow("info to gases") << QList<int>{1} << true;
        QTest::newRow("there and back") << QList<int>{0, 2} << false;
        QTest::newRow("between settings pages") << QList<int>{0, 1} << true;
    }
    void computeButtonFollowsThePage()
    {
        QFETCH(QList<int>, pages);
        QFETCH(bool, enabled);
        OpenWindow open("StopDistance: 3\r\n");
        QCOMPARE(open.window->PageControl1->currentWidget(), open.window->tsKorax);
        for (int page : pages)
            QTest::mouseClick(open.window->PageControl1->tabBar(), Qt::LeftButton, {},
                              open.window->PageControl1->tabBar()->tabRect(page).center());
        QCOMPARE(open.window->Button1->isEnabled(), enabled);
    }

    void showsTheTabCaptions_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("caption");
        QTest::newRow("dive page, trailing blank") << 0 << "Parametry ponoru ";
        QTest::newRow("gases page, one ampersand shown") << 1 << QString::fromUtf8("Směsi && konfigurace ");
        QTest::newRow("info page") << 2 << "T/Rova - info";
    }
    void showsTheTabCaptions()
    {
        QFETCH(int, page);
        QFETCH(QString, caption);
        const OpenWindow open("");
        QCOMPARE(open.window->PageControl1->tabText(page), caption);
        QVERIFY(QKeySequence::mnemonic(caption).isEmpty());
    }

    void movesFocusInTabOrder_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("grid to repetitive dives") << "sgDiveProfile" << "chbRepetitiveDives";
        QTest::newRow("interval to tissue update") << "edSurfaceInterval" << "chbUpdateTissue";
        QTest::newRow("tissue update to altitude") << "chbUpdateTissue" << "edAltitude";
        QTest::newRow("conservatism to last stop") << "edConservatism" << "edLastStopDepth";
        QTest::newRow("stop distance to deep stops") << "edStopDistance" << "chbDeepStops";
        QTest::newRow("Pyle time to descent rates") << "edPyleStopTime" << "mDescentRates";
        QTest::newRow("descent to ascent rates") << "mDescentRates" << "mAscentRates";
        QTest::newRow("max END to tissue file") << "edMaxEND" << "edTissueFile";
        QTest::newRow("delete files to algorithm") << "chDeleteFiles" << "rgAlgorithmItem0";
        QTest::newRow("salt water to precision") << "chbSaltWater" << "edPrecision";
        QTest::newRow("compute to exit") << "Button1" << "BitBtn1";
    }
    void movesFocusInTabOrder()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        const OpenWindow open("");
        QWidget* next = open.window->findChild<QWidget*>(from)->nextInFocusChain();
        while ((next->focusPolicy() & Qt::TabFocus) == 0)
            next = next->nextInFocusChain();
        QCOMPARE(next->objectName(), to);
    }

    void keepsTooltipsUpTenSeconds()
    {
        const OpenWindow open("");
        QCOMPARE(open.window->edAltitude->toolTipDuration(), 10000);
        QCOMPARE(open.window->sgDiveProfile->toolTipDuration(), 10000);
    }

    void gridHasItsHeaderRowAndCells()
    {
        const OpenWindow open("");
        QTableWidget& grid = *open.window->sgDiveProfile;
        QCOMPARE(grid.rowCount(), 6);
        QCOMPARE(grid.columnCount(), 3);
        QCOMPARE(grid.columnWidth(0), 82);
        QCOMPARE(grid.rowHeight(0), 18);
        QVERIFY(!grid.tabKeyNavigation());
        QCOMPARE(grid.horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        grid.editItem(grid.item(0, 1));
        QVERIFY(grid.findChild<QLineEdit*>() == nullptr);
    }

    void scalesTheOuterSizeOnce_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QSize>("size");
        QTest::newRow("96 dpi unchanged") << 96 << QSize(550, 438);
        QTest::newRow("120 dpi times 1.25, truncated") << 120 << QSize(687, 547);
        QTest::newRow("144 dpi times 1.5") << 144 << QSize(825, 657);
    }
    void scalesTheOuterSizeOnce()
    {
        QFETCH(int, dpi);
        QFETCH(QSize, size);
        // As FormCreate finds the window: laid out, not yet shown.
        QWidget window;
        window.setFixedSize(550, 438);
        scaleOuterSize(window, dpiScaleFactor(dpi));
        QCOMPARE(window.frameGeometry().size(), size);
        QCOMPARE(window.minimumSize(), window.maximumSize());
    }

    void refusesCharactersTheFileCannotHold_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        const QString czech = QString::fromUtf8("žluťoučký €");
        const QString mixed = QString::fromUtf8("aΩ€b");
        QTest::newRow("edit keeps Czech") << "edTissueFile" << czech << czech;
        QTest::newRow("edit refuses omega") << "edTissueFile" << mixed << QString::fromUtf8("a€b");
        QTest::newRow("memo refuses omega") << "mDescentRates" << mixed << QString::fromUtf8("a€b");
        QTest::newRow("memo paste refused") << "paste" << QString::fromUtf8("3Ω") << "";
        QTest::newRow("memo paste kept") << "paste" << czech << czech;
        QTest::newRow("grid cell refuses omega") << "grid" << mixed << QString::fromUtf8("a€b");
        QTest::newRow("edit paste with a line break refused") << "editPaste" << "3\nRmv: 1" << "";
        QTest::newRow("edit paste with NUL refused") << "editPaste" << (QStringLiteral("3") + QChar::Null) << "";
        QTest::newRow("edit paste kept") << "editPaste" << "3, 5" << "3, 5";
        QTest::newRow("memo paste CR LF becomes a line break") << "paste" << "1\r\n2\r3" << "1\n2\n3";
    }
    void refusesCharactersTheFileCannotHold()
    {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        OpenWindow open("");
        TfKoraxGUI& w = *open.window;
        w.PageControl1->setCurrentIndex(control == "edTissueFile" ? 1 : 0);
        if (control == "edTissueFile") {
            w.edTissueFile->clear();
            typeText(*w.edTissueFile, typed);
            QCOMPARE(w.edTissueFile->text(), shown);
        } else if (control == "mDescentRates") {
            w.mDescentRates->clear();
            typeText(*w.mDescentRates, typed);
            QCOMPARE(w.mDescentRates->toPlainText(), shown);
        } else if (control == "editPaste") {
            w.edOcDecoGas->clear();
            QApplication::clipboard()->setText(typed);
            w.edOcDecoGas->paste();
            QCOMPARE(w.edOcDecoGas->text(), shown);
        } else if (control == "paste") {
            w.mAscentRates->clear();
            QApplication::clipboard()->setText(typed);
            w.mAscentRates->paste();
            QCOMPARE(w.mAscentRates->toPlainText(), shown);
        } else {
            if (w.sgDiveProfile->item(1, 0) == nullptr)
                w.sgDiveProfile->setItem(1, 0, new QTableWidgetItem);
            w.sgDiveProfile->editItem(w.sgDiveProfile->item(1, 0));
            auto* editor = w.sgDiveProfile->findChild<QLineEdit*>();
            QVERIFY(editor != nullptr);
            typeText(*editor, typed);
            QCOMPARE(editor->text(), shown);
        }
    }
};

QTEST_MAIN(WindowInterlockTest)
#include "test_window_interlocks.moc"
