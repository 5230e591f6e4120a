// The code page at the widget boundary: every byte survives the trip through Unicode, and a
// file name means the same file to the window, the viewer and the planner.
#include "platform/Cp1250.h"
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
        QTest::newRow("Czech letters") << QByteArray("\x9elu\x9dou\xe8k\xfd \xf9\xd8\xec")
                                       << QString::fromUtf8("žluťoučký ůŘě");
        QTest::newRow("euro and quotes") << QByteArray("\x80\x84\x93") << QString::fromUtf8("€„“");
        QTest::newRow("undefined bytes stay controls")
            << QByteArray("\x81\x83\x88\x90\x98") << QString::fromUtf8("\u0081\u0083\u0088\u0090\u0098");
    }
    void lettersMapToTheirCharacters()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(cp1250::toUnicode(bytes.toStdString()), text);
        QCOMPARE(cp1250::fromUnicode(text), bytes.toStdString());
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
