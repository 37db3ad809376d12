// The data files the build lays out in the program folder: the font libraries
// generated from GNU Unifont and the help text.

#include "tests/support/test_files.h"

#include <QStringDecoder>
#include <QTest>

using namespace ledglyph::test;

namespace {

QByteArray appFile(const char *name)
{
    return readFile(QStringLiteral(LEDGLYPH_APPDIR "/") + QLatin1String(name));
}

bool isBlank(const QByteArray &bytes)
{
    return bytes.count('\0') == bytes.size();
}

} // namespace

class TestProgramFolderData : public QObject {
    Q_OBJECT

private slots:
    void fontLibrariesHaveTheirLayout()
    {
        const QByteArray hzk16 = appFile("hzk16");
        const QByteArray asc16 = appFile("ASC16");
        QCOMPARE(hzk16.size(), 261696);
        QCOMPARE(asc16.size(), 4096);
        QVERIFY(!isBlank(hzk16.mid(45120, 32)));   // 啊
        QVERIFY(!isBlank(hzk16.mid(261664, 32)));  // 齄
        QVERIFY(isBlank(hzk16.mid(0, 32)));        // the full-width space is blank in every font
        QVERIFY(!isBlank(asc16.mid(65 * 16, 16))); // A
        // CR, LF and the space are blank: a typed line break gives blank cells.
        for (const int code : {13, 10, 32})
            QVERIFY(isBlank(asc16.mid(code * 16, 16)));
        // Half-width symbols such as the middle dot (A1A4) and Greek alpha (A6C1)
        // are centred: no lit dot outside the middle columns 4..11.
        for (const int offset : {3 * 32, (5 * 94 + 32) * 32}) {
            const QByteArray record = hzk16.mid(offset, 32);
            QVERIFY(!isBlank(record));
            for (int row = 0; row < 16; ++row)
                QCOMPARE((quint8(record[2 * row]) << 8 | quint8(record[2 * row + 1])) & 0xF00F, 0);
        }
        // The zones GB2312 leaves empty (10 to 15) hold zero records.
        QVERIFY(isBlank(hzk16.mid(9 * 94 * 32, 6 * 94 * 32)));
    }

    void helpTextIsCodePage936WithCrLf()
    {
        const QByteArray bytes = appFile("hellp.qvx");
        QStringDecoder decoder("GBK");
        const QString text = decoder.decode(bytes);
        QVERIFY(!bytes.isEmpty() && !decoder.hasError() && !text.contains(QChar::ReplacementCharacter));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
        for (const char *needed : {"DB9", "COM1", "9600", "zimuo.bin", "打开串口", "下载完成", "LEDGLYPH_COM1"})
            QVERIFY2(text.contains(QString::fromUtf8(needed)), needed);
    }
};

QTEST_GUILESS_MAIN(TestProgramFolderData)
#include "test_program_folder_data.moc"
