// The controls as the user meets them: the interlocks, the radio groups' keyboard, what can
// be typed, the 120 dpi size factor.
#include "tests/window/WindowFixture.h"
#include "ui/DpiScale.h"
#include "ui/Koraxgui.h"
#include "ui/RadioGroup.h"

#include <QTabBar>
#include <QtTest>

namespace {

// The ink in a region of a picture of widget: "red", text lit in "navy" (blue well over red and
// green), plain dark "black", or "nothing".
QString inkIn(QWidget& widget, const QRect& region)
{
    const QImage picture = widget.grab().toImage();
    bool red = false, blue = false, dark = false;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            red = red || (c.red() > 180 && c.green() < 80 && c.blue() < 80);
            blue = blue || (c.blue() > c.red() + 60 && c.blue() > c.green() + 60);
            dark = dark || (c.red() < 80 && c.green() < 80 && c.blue() < 80);
        }
    }
    return red ? "red" : blue ? "navy" : dark ? "black" : "nothing";
}

} // namespace

class WindowControlsTest : public QObject {
    Q_OBJECT

private slots:
    // The input, in order: "tabN" clicks a page's tab, "@name" gives a control the focus,
    // "none" leaves rgAlgorithm with no item chosen, a capitalised key name (Tab, Up) types the
    // key, any other name clicks that control (gbDeepStops on an empty spot). An expected
    // "focus name" comes first.
    void rulesFollowTheInput_data() { cases::addRows("window/controls.txt"); }
    void rulesFollowTheInput()
    {
        const OpenWindow open(cases::cell("file"));
        TfKoraxGUI& window = *open.window;
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTabBar& tabs = *window.PageControl1->tabBar();
        for (const QString& step : cases::text("input").split(' ')) {
            auto* control = window.findChild<QWidget*>(step.mid(step.startsWith('@') ? 1 : 0));
            if (step.startsWith(QStringLiteral("tab")))
                QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(step.back().digitValue()).center());
            else if (step == "none")
                radio_group::setItemIndex(*window.rgAlgorithm, -1);
            else if (step.front().isUpper())
                QTest::keyClick(QApplication::focusWidget(), QKeySequence(step)[0].key());
            else if (step.startsWith('@')) {
                window.PageControl1->setCurrentWidget(
                    window.tsDive->isAncestorOf(control) ? window.tsDive : window.tsGases);
                control->setFocus(Qt::TabFocusReason);
            } else
                QTest::mouseClick(control, Qt::LeftButton, {}, step == "gbDeepStops" ? QPoint(250, 90) : QPoint());
        }
        const QStringList expected = cases::text("expected").split(';');
        const bool focusToo = expected.front().startsWith(QStringLiteral("focus "));
        const QWidget* focus = QApplication::focusWidget();
        const QStringList focused { "focus " + (focus ? focus->objectName() : QStringLiteral("none")) };
        QCOMPARE((focusToo ? focused : QStringList()) + shownStates(window, expected.mid(focusToo ? 1 : 0)), expected);
    }

    // What profile.dat cannot hold cannot be typed: foreign characters, and line breaks in a
    // one-line field (they would split its key line).
    void refusesWhatTheFileCannotHold_data() { cases::addRows("window/typing.txt"); }
    void refusesWhatTheFileCannotHold()
    {
        const OpenWindow open(QByteArray {});
        auto* widget = open.window->findChild<QWidget*>(cases::text("control"));
        auto* edit = qobject_cast<QLineEdit*>(widget);
        if (edit) {
            edit->clear();
            edit->insert(QStringLiteral("3\nRmv: 1"));
        } else {
            qobject_cast<QPlainTextEdit*>(widget)->clear();
        }
        for (const QChar c : cases::text("typed")) { // QTest can type ASCII only
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &key);
        }
        QCOMPARE(edit ? edit->text() : qobject_cast<QPlainTextEdit*>(widget)->toPlainText(), cases::text("shown"));
    }

    // The tab under the mouse lights up; chbUpdateTissue has a red caption but a normal tick.
    void captionsHaveTheirColours_data() { cases::addRows("window/captions.txt"); }
    void captionsHaveTheirColours()
    {
        const QString part = cases::text("part");
        const QString expected = cases::text("ink");
        const OpenWindow open("SurfaceInterval: 2:00\r\nUpdateTissueFile: y\r\n");
        QTabBar& tabs = *open.window->PageControl1->tabBar();
        QCheckBox& box = *open.window->chbUpdateTissue;
        const int indicator = box.style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &box);
        if (part.startsWith(QStringLiteral("tab"))) {
            QTest::mouseMove(&tabs, tabs.tabRect(0).center());
            QTRY_COMPARE(inkIn(tabs, tabs.tabRect(part.back().digitValue())), expected);
        } else {
            QCOMPARE(inkIn(box,
                         part == "tick" ? QRect(0, 0, indicator, box.height())
                                        : QRect(indicator + 2, 0, box.width() - indicator - 2, box.height())),
                expected);
        }
    }

    void scalesTheOuterSizeAt120Dpi()
    {
        // As start-up finds the window: laid out, not yet shown.
        QWidget window;
        window.setFixedSize(550, 438);
        scaleOuterSize(window, dpiScaleFactor(120));
        QCOMPARE(window.frameGeometry().size(), QSize(687, 547));
        QCOMPARE(window.minimumSize(), window.maximumSize());
    }
};

QTEST_MAIN(WindowControlsTest)
#include "test_window_controls.moc"
