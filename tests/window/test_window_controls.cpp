// The controls as the user meets them: the interlocks, the radio groups' keyboard, what can
// be typed, the 120 dpi size factor.
#include "tests/window/WindowFixture.h"
#include "ui/DpiScale.h"
#include "ui/Koraxgui.h"
#include "ui/RadioGroup.h"

#include <QTabBar>
#include <QtTest>

class WindowControlsTest : public QObject {
    Q_OBJECT

private slots:
    // The input, in order: "tabN" clicks a page's tab, "@name" gives a control the focus,
    // "none" leaves rgAlgorithm with no item chosen, a capitalised key name (Tab, Up) types the
    // key, any other name clicks that control (gbDeepStops on an empty spot). An expected
    // "focus name" comes first.
    void rulesFollowTheInput_data() { Rows::addFrom("window/controls.txt"); }
    void rulesFollowTheInput()
    {
        const OpenWindow open(Rows::cell("file"));
        TfKoraxGUI& window = *open.window;
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTabBar& tabs = *window.PageControl1->tabBar();
        for (const QString& step : Rows::text("input").split(' ')) {
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
        const QStringList expected = Rows::text("expected").split(';');
        const bool focusToo = expected.front().startsWith(QStringLiteral("focus "));
        const QWidget* focus = QApplication::focusWidget();
        const QStringList focused { "focus " + (focus ? focus->objectName() : QStringLiteral("none")) };
        QCOMPARE((focusToo ? focused : QStringList()) + shownStates(window, expected.mid(focusToo ? 1 : 0)), expected);
    }

    // What profile.dat cannot hold cannot be typed: foreign characters, and line breaks in a
    // one-line field (they would split its key line).
    void refusesWhatTheFileCannotHold_data() { Rows::addFrom("window/typing.txt"); }
    void refusesWhatTheFileCannotHold()
    {
        const OpenWindow open(QByteArray {});
        auto* widget = open.window->findChild<QWidget*>(Rows::text("control"));
        auto* edit = qobject_cast<QLineEdit*>(widget);
        if (edit) {
            edit->clear();
            edit->insert(QStringLiteral("3\nRmv: 1"));
        } else {
            qobject_cast<QPlainTextEdit*>(widget)->clear();
        }
        for (const QChar c : Rows::text("typed")) { // QTest can type ASCII only
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &key);
        }
        QCOMPARE(edit ? edit->text() : qobject_cast<QPlainTextEdit*>(widget)->toPlainText(), Rows::text("shown"));
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
