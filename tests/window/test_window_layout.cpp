// The windows as laid out: frames and sizes, fonts in pixels, colours, glyphs and the picture.
#include "Koraxgui.h"
#include "Savechng.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class WindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void hasAFixedDialogFrame()
    {
        const OpenWindow open("");
        TfKoraxGUI& w = *open.window;
        QCOMPARE(w.size(), QSize(550, 438));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(w.windowTitle(), QStringLiteral("T/ROVA"));
        QVERIFY(!(w.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(w.Button1->isDefault());
    }

    void dialogHasTheOrdinaryFrame()
    {
        TfSaveChanges dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Save Changes"));
        QVERIFY(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
        QCOMPARE(dialog.Label1->text(), QStringLiteral("Přejete si uložit změny do souboru \"profile.dat\" ?"));
        QVERIFY(dialog.Button1->isDefault());
    }

    void usesFontsInPixels_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("bold");
        QTest::newRow("window font on the panel") << "Panel1" << 11 << true;
        QTest::newRow("page font on an edit") << "edAltitude" << 9 << true;
        QTest::newRow("page font on the buttons") << "BitBtn1" << 9 << true;
        QTest::newRow("small font") << "Label21" << 9 << false;
        QTest::newRow("heading") << "Label5" << 13 << true;
        QTest::newRow("version") << "lblAbout" << 31 << true;
        QTest::newRow("warning frame") << "GroupBox8" << 13 << false;
        QTest::newRow("warning text") << "Label19" << 9 << false;
    }
    void usesFontsInPixels()
    {
        QFETCH(QString, control);
        QFETCH(int, pixels);
        QFETCH(bool, bold);
        const OpenWindow open("");
        const QFont font = open.window->findChild<QWidget*>(control)->font();
        QCOMPARE(font.pixelSize(), pixels);
        QCOMPARE(font.bold(), bold);
    }

    void colourIsRedOnlyWhileEnabled()
    {
        const OpenWindow open("");
        const QPalette palette = open.window->chbUpdateTissue->palette();
        QCOMPARE(palette.color(QPalette::Active, QPalette::WindowText), QColor(Qt::red));
        QVERIFY(palette.color(QPalette::Disabled, QPalette::WindowText) != QColor(Qt::red));
    }

    void glyphsHaveTwoStatesOnATransparentGround()
    {
        const OpenWindow open("");
        const QIcon glyph = open.window->Button1->icon();
        const QImage enabled = glyph.pixmap(QSize(18, 18), QIcon::Normal).toImage();
        const QImage disabled = glyph.pixmap(QSize(18, 18), QIcon::Disabled).toImage();
        QCOMPARE(enabled.size(), QSize(18, 18));
        QVERIFY(enabled != disabled);
        QCOMPARE(qAlpha(enabled.pixel(0, 0)), 0);
    }

    void showsThePictureAtNaturalSize()
    {
        const OpenWindow open("");
        QCOMPARE(open.window->Image1->pixmap().size(), QSize(174, 127));
        QCOMPARE(open.window->Image1->alignment(), Qt::AlignLeft | Qt::AlignTop);
        QVERIFY(!open.window->Image1->hasScaledContents());
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "test_window_layout.moc"
