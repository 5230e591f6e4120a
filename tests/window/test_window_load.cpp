// Loading profile.dat into the window: every control kind, the missing-key values, the hints
// and Czech text.
#include "Cp1250.h"
#include "Koraxgui.h"
#include "RadioGroup.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTextDocument>
#include <QtTest>

namespace {

// A control's shown value: an edit's text, a tick, or a radio group's item.
QString shown(const TfKoraxGUI& window, const QString& name)
{
    QWidget* control = window.findChild<QWidget*>(name);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    if (auto* box = qobject_cast<QCheckBox*>(control))
        return box->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
    if (auto* group = qobject_cast<QGroupBox*>(control))
        return QStringLiteral("item %1").arg(radio_group::itemIndex(*group));
    return QStringLiteral("<no control %1>").arg(name);
}

// The tooltip as the user reads it.
QString hintText(const QWidget& control)
{
    const QString tip = control.toolTip();
    if (!Qt::mightBeRichText(tip))
        return tip;
    QTextDocument document;
    document.setHtml(tip);
    return document.toPlainText();
}

}  // namespace

class WindowLoadTest : public QObject {
    Q_OBJECT

private slots:
    void showsEveryControlKind_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("expected");
        const QByteArray demo = readDemoProfile();
        QTest::newRow("sample: text") << demo << "edConservatism" << "20";
        QTest::newRow("sample: text with blanks") << demo << "edOcDecoGas" << "50, 100";
        QTest::newRow("sample: flag y") << demo << "chDeleteFiles" << "checked";
        QTest::newRow("sample: flag n") << demo << "chbUpdateTissue" << "unchecked";
        QTest::newRow("sample: radio y is item 0") << demo << "rgUnits" << "item 0";
        QTest::newRow("sample: radio n is item 1") << demo << "rgAlgorithm" << "item 1";
        QTest::newRow("sample: deep stops n") << demo << "chbDeepStops" << "unchecked";
        QTest::newRow("sample: deep stops off keep Pyle") << demo << "rgDeepStops" << "item 0";
        QTest::newRow("sample: numbered output") << demo << "edOutputFile" << "1plan.out";
        QTest::newRow("sample: 900:00 is no repetitive dive") << demo << "chbRepetitiveDives" << "unchecked";
        QTest::newRow("sample: deco gases on") << demo << "chbUseOCDeco" << "checked";
        QTest::newRow("empty: text") << QByteArray() << "edAltitude" << "0";
        QTest::newRow("empty: stop distance") << QByteArray() << "edStopDistance" << "0";
        QTest::newRow("empty: flag") << QByteArray() << "chbSaltWater" << "unchecked";
        QTest::newRow("empty: units item 1") << QByteArray() << "rgUnits" << "item 1";
        QTest::newRow("empty: algorithm item 1") << QByteArray() << "rgAlgorithm" << "item 1";
        QTest::newRow("empty: deep stops on") << QByteArray() << "chbDeepStops" << "checked";
        QTest::newRow("empty: deep stops Pyle") << QByteArray() << "rgDeepStops" << "item 0";
        QTest::newRow("empty: repetitive on") << QByteArray() << "chbRepetitiveDives" << "checked";
        QTest::newRow("empty: output 10") << QByteArray() << "edOutputFile" << "10";
        QTest::newRow("empty: surface interval") << QByteArray() << "edSurfaceInterval" << "0";
        QTest::newRow("deep stops w is WKPP") << QByteArray("DeepStops: w\r\n") << "rgDeepStops" << "item 1";
        QTest::newRow("deep stops no is Pyle") << QByteArray("DeepStops: no\r\n") << "rgDeepStops" << "item 0";
        QTest::newRow("deep stops N is off") << QByteArray("DeepStops: N\r\n") << "chbDeepStops" << "unchecked";
        QTest::newRow("flag yes is false") << QByteArray("SaltWater: yes\r\n") << "chbSaltWater" << "unchecked";
        QTest::newRow("flag Y is true") << QByteArray("OxyNarc: Y\r\n") << "chbOxyNarc" << "checked";
        QTest::newRow("key alone reads empty") << QByteArray("Altitude:\r\n") << "edAltitude" << "";
        QTest::newRow("no blank loses a character") << QByteArray("Altitude:300\r\n") << "edAltitude" << "00";
        QTest::newRow("900:00 only byte for byte") << QByteArray("SurfaceInterval: 900:0\r\n")
                                                   << "chbRepetitiveDives" << "checked";
    }
    void showsEveryControlKind()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, control);
        QFETCH(QString, expected);
        const OpenWindow open(file);
        QCOMPARE(shown(*open.window, control), expected);
    }

    void setsEnabledStatesOnLoad_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("enabled");
        const QByteArray demo = readDemoProfile();
        QTest::newRow("deco gas field on") << demo << "edOcDecoGas" << true;
        QTest::newRow("deco gas label on") << demo << "lOCDecoGas" << true;
        QTest::newRow("deco gas field off") << QByteArray() << "edOcDecoGas" << false;
        QTest::newRow("deep stops off: radio group") << demo << "rgDeepStops" << false;
        QTest::newRow("deep stops off: Pyle time") << demo << "edPyleStopTime" << false;
        QTest::newRow("deep stops Pyle: Pyle time") << QByteArray() << "edPyleStopTime" << true;
        QTest::newRow("deep stops WKPP: Pyle label") << QByteArray("DeepStops: W\r\n") << "lPyleStopTime" << false;
        QTest::newRow("no repetitive dive: interval") << demo << "edSurfaceInterval" << false;
        QTest::newRow("no repetitive dive: tissue update")
            << QByteArray("SurfaceInterval: 900:00\r\nUpdateTissueFile: y\r\n") << "chbUpdateTissue" << false;
        QTest::newRow("repetitive dive: interval") << QByteArray() << "edSurfaceInterval" << true;
        QTest::newRow("compute button on the info page") << demo << "Button1" << false;
        QTest::newRow("max PO2 stays usable") << QByteArray() << "edOcDecoMaxPO2" << true;
    }
    void setsEnabledStatesOnLoad()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, control);
        QFETCH(bool, enabled);
        const OpenWindow open(file);
        QCOMPARE(open.window->findChild<QWidget*>(control)->isEnabled(), enabled);
    }

    void tissueUpdateTickSurvivesWhileDisabled()
    {
        const OpenWindow open("SurfaceInterval: 900:00\r\nUpdateTissueFile: y\r\n");
        QVERIFY(open.window->chbUpdateTissue->isChecked());
    }

    void setsHints_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        QTest::newRow("block above the key") << QByteArray("# Nadmořská výška\r\n# v metrech\r\nAltitude: 0\r\n")
                                             << "edAltitude" << QString::fromUtf8("Nadmořská výška\nv metrech");
        QTest::newRow("hash alone is an empty row") << QByteArray("#a\r\n#\r\n#b\r\nRmv: 20\r\n") << "edRmv" << "a\n\nb";
        QTest::newRow("block shared past other keys") << QByteArray("# spotřeba\r\nRmv: 20\r\nDecoRmv: 16\r\n")
                                                      << "edDecoRmv" << QString::fromUtf8("spotřeba");
        QTest::newRow("no comment above") << QByteArray("Rmv: 20\r\n# later\r\n") << "edRmv" << "";
        QTest::newRow("missing key clears the design hint") << QByteArray() << "edAltitude" << "";
        QTest::newRow("markup shown literally") << QByteArray("# <b>tučně</b> & <i>\r\nMaxEND: 30\r\n")
                                                << "edMaxEND" << QString::fromUtf8("<b>tučně</b> & <i>");
        QTest::newRow("radio group hint") << QByteArray("# jednotky\r\nUseMetric: y\r\n") << "rgUnits" << "jednotky";
        QTest::newRow("deep stop hint on its check box") << QByteArray("# hloubkové\r\nDeepStops: p\r\n")
                                                         << "chbDeepStops" << QString::fromUtf8("hloubkové");
        QTest::newRow("interval hint on the edit") << QByteArray("# interval\r\nSurfaceInterval: 1:00\r\n")
                                                   << "edSurfaceInterval" << "interval";
        QTest::newRow("deco gas hint on its check box") << QByteArray("# deco\r\nUseOCDeco: y\r\n")
                                                        << "chbUseOCDeco" << "deco";
        QTest::newRow("output file hint") << QByteArray("# plán\r\nPlanFile: a.out\r\n") << "edOutputFile"
                                          << QString::fromUtf8("plán");
        QTest::newRow("conservatism label keeps its own")
            << QByteArray() << "Label11"
            << QString::fromUtf8("Konzervatismus přidejte v chladné vodě a při zvýšeném zatížení.");
    }
    void setsHints()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, control);
        QFETCH(QString, hint);
        // The rows are written in UTF-8; the file holds Windows-1250.
        const OpenWindow open(QByteArray::fromStdString(cp1250::fromUnicode(QString::fromUtf8(file))));
        QCOMPARE(hintText(*open.window->findChild<QWidget*>(control)), hint);
    }

    void showsCzechTextAndWritesItBack()
    {
        const QByteArray file("# Soubor tk\xe1n\xec\r\nTissueFile: tk\xe1n\xec-\x9e\x8a.dat\r\nStopDistance: 3\r\n");
        OpenWindow open(file);
        QCOMPARE(open.window->edTissueFile->text(), QString::fromUtf8("tkáně-žŠ.dat"));
        QCOMPARE(open.window->edTissueFile->toolTip(), QString::fromUtf8("Soubor tkáně"));
        ModalWatcher watcher(answers::press("Button1"));
        open.window->close();
        QVERIFY(open.folder.contents().startsWith(file));
    }
};

QTEST_MAIN(WindowLoadTest)
#include "test_window_load.moc"
