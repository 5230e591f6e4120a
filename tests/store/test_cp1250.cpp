// The code page at the widget boundary: every byte maps to its character and back, and a file
// name means the same file to the window, the viewer and the planner.
#include "files/Cp1250Text.h"
#include "files/FileNames.h"
#include "platform/Cp1250.h"

#include <QtTest>

class Cp1250Test : public QObject {
    Q_OBJECT

private slots:
    // The upper half as Unicode's published mapping CP1250.TXT gives it, so that two swapped
    // entries of the table show; the five undefined bytes stay the C1 controls of their value.
    void everyByteMapsToItsCodePoint()
    {
        std::string all;
        QString text;
        for (int byte = 1; byte <= 127; ++byte)
            text += QChar(byte);
        text += QString::fromUtf8("€\u0081‚\u0083„…†‡\u0088‰Š‹ŚŤŽŹ\u0090‘’“”•–—\u0098™š›śťžź"
                                  "\u00a0ˇ˘Ł¤Ą¦§¨©Ş«¬\u00ad®Ż°±˛ł´µ¶·¸ąş»Ľ˝ľż"
                                  "ŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎĐŃŇÓÔŐÖ×ŘŮÚŰÜÝŢß"
                                  "ŕáâăäĺćçčéęëěíîďđńňóôőö÷řůúűüýţ˙");
        for (int byte = 1; byte <= 255; ++byte)
            all += static_cast<char>(byte);
        QCOMPARE(cp1250::toUnicode(all), text);
        QVERIFY(cp1250::canEncode(text));
        QCOMPARE(cp1250::fromUnicode(text), all);
        QCOMPARE(QString::fromStdString(cp1250::cp1250ToUtf8(all)), text);
        QCOMPARE(QString::fromStdString(platform::nativeFileName(all)), text);
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
