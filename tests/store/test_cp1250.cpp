// The code page at the widget boundary: every byte survives the trip through Unicode, and a
// file name means the same file to the window, the viewer and the planner.
#include "platform/Cp1250.h"
#include "platform/Cp1250Text.h"
#include "platform/FileNames.h"

#include <QtTest>

class Cp1250Test : public QObject {
    Q_OBJECT

private slots:
    void everyByteComesBackUnchanged()
    {
        std::string all;
        for (int byte = 1; byte <= 255; ++byte)
            all += static_cast<char>(byte);
        const QString text = cp1250::toUnicode(all);
        QCOMPARE(text.size(), qsizetype(255));
        QVERIFY(cp1250::canEncode(text));
        QCOMPARE(cp1250::fromUnicode(text), all);
        QCOMPARE(QByteArray::fromStdString(platform::nativeFileName(all)), text.toUtf8());
    }

    void lettersMapToTheirCharacters_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        // The upper half as Unicode's published mapping CP1250.TXT gives it, so that two swapped
        // entries of the table show; the five undefined bytes stay the C1 controls of their value.
        QByteArray upperHalf;
        for (int byte = 0x80; byte <= 0xff; ++byte)
            upperHalf += static_cast<char>(byte);
        QTest::newRow("0x80-0xFF at their code points")
            << upperHalf
            << QString::fromUtf8("€\u0081‚\u0083„…†‡\u0088‰Š‹ŚŤŽŹ\u0090‘’“”•–—\u0098™š›śťžź"
                                 "\u00a0ˇ˘Ł¤Ą¦§¨©Ş«¬\u00ad®Ż°±˛ł´µ¶·¸ąş»Ľ˝ľż"
                                 "ŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎĐŃŇÓÔŐÖ×ŘŮÚŰÜÝŢß"
                                 "ŕáâăäĺćçčéęëěíîďđńňóôőö÷řůúűüýţ˙");
        QTest::newRow("the lower half is ASCII") << QByteArray("\x01 Az~\x7f") << QString::fromUtf8("\u0001 Az~\u007f");
    }
    void lettersMapToTheirCharacters()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(cp1250::toUnicode(bytes.toStdString()), text);
        QCOMPARE(cp1250::fromUnicode(text), bytes.toStdString());
        QCOMPARE(QString::fromStdString(cp1250::cp1250ToUtf8(bytes.toStdString())), text);
    }

    void foreignCharactersAreMarked()
    {
        const QString text = QString::fromUtf8("a中b");
        QVERIFY(!cp1250::canEncode(text));
        QCOMPARE(cp1250::fromUnicode(text), std::string("a?b"));
    }
};

QTEST_APPLESS_MAIN(Cp1250Test)
#include "test_cp1250.moc"
