// Code page 936 as the conversion uses it: character codes as signed 16-bit
// values, the GB2312 area test, and text to bytes and back.

#include "platform/code_page_936.h"

#include <QTest>

using namespace ledglyph;

class TestCodePage936 : public QObject {
    Q_OBJECT

private slots:
    void charCodes_data()
    {
        QTest::addColumn<QString>("ch");
        QTest::addColumn<int>("code");
        QTest::newRow("A") << QStringLiteral("A") << 65;
        QTest::newRow("CR") << QStringLiteral("\r") << 13;
        QTest::newRow("NUL") << QString(QChar(0)) << 0;
        QTest::newRow("€ is the single byte 0x80") << QStringLiteral("€") << 128;
        QTest::newRow("啊 B0A1") << QStringLiteral("啊") << -20319;
        QTest::newRow("full-width space A1A1") << QStringLiteral("\u3000") << int(qint16(0xA1A1));
        QTest::newRow("齄 F7FE") << QStringLiteral("齄") << int(qint16(0xF7FE));
        QTest::newRow("丂 8140, outside GB2312") << QStringLiteral("丂") << int(qint16(0x8140));
    }

    void charCodes()
    {
        QFETCH(QString, ch);
        QFETCH(int, code);
        const std::optional<qint16> got = cp936::charCode(ch);
        QVERIFY(got.has_value());
        QCOMPARE(int{*got}, code);
    }

    void unencodableCharactersHaveNoCode_data()
    {
        QTest::addColumn<QString>("ch");
        QTest::newRow("emoji") << QStringLiteral("😀");
        QTest::newRow("lone high surrogate") << QString(QChar(0xD83D));
        QTest::newRow("lone low surrogate") << QString(QChar(0xDE00));
        QTest::newRow("zero-width space") << QStringLiteral("\u200B");
    }

    void unencodableCharactersHaveNoCode()
    {
        QFETCH(QString, ch);
        QVERIFY(!cp936::charCode(ch).has_value());
        QVERIFY(!cp936::encode(QStringLiteral("ab") + ch).has_value());
    }

    void gb2312Area_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("inside");
        QTest::newRow("A1A1") << 0xA1A1 << true;
        QTest::newRow("F7FE") << 0xF7FE << true;
        QTest::newRow("FEFE") << 0xFEFE << true;
        QTest::newRow("A0A1 first byte low") << 0xA0A1 << false;
        QTest::newRow("A1A0 second byte low") << 0xA1A0 << false;
        QTest::newRow("B040") << 0xB040 << false;
        QTest::newRow("8140") << 0x8140 << false;
        QTest::newRow("FFA1 first byte high") << 0xFFA1 << false;
        QTest::newRow("A1FF second byte high") << 0xA1FF << false;
    }

    void gb2312Area()
    {
        QFETCH(int, code);
        QFETCH(bool, inside);
        QCOMPARE(cp936::isGb2312DoubleByte(static_cast<qint16>(code)), inside);
    }

    void textToBytesAndBack()
    {
        const QString text = QStringLiteral("点阵A\r\n€");
        const QByteArray bytes("\xB5\xE3\xD5\xF3" "A\r\n\x80");
        QCOMPARE(cp936::encode(text).value_or(QByteArray()), bytes);
        QCOMPARE(cp936::decode(bytes), text);
        QCOMPARE(cp936::encode(QString()).value_or(QByteArray("x")), QByteArray());
    }

    void decodingFollowsWindows()
    {
        // 0xFF is no lead byte; Windows maps it to U+F8F5 like 0x80 to €.
        QCOMPARE(cp936::decode(QByteArray("A\xFF")), QStringLiteral("A\uF8F5"));
        // A lead byte with an invalid trail byte is a replacement character.
        QCOMPARE(cp936::decode(QByteArray("A\x81 ")), QStringLiteral("A\uFFFD "));
    }
};

QTEST_GUILESS_MAIN(TestCodePage936)
#include "test_code_page_936.moc"
