// The data files the build lays out in the program folder: the font libraries
// generated from GNU Unifont and the help text.

#include <QFile>
#include <QStringDecoder>
#include <QTest>

namespace {

QByteArray appFile(const char *name)
{
    QFile file(QStringLiteral(LEDGLYPH_APPDIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool isBlank(const QByteArray &bytes)
{
    return bytes.count('\0') == bytes.size();
}

// Lit dots outside the middle columns 4..11 of a 16-wide record.
bool hasDotsOutsideMiddle(const QByteArray &record)
{
    for (int row = 0; row < 16; ++row) {
        const int bits = (static_cast<quint8>(record[2 * row]) << 8) | static_cast<quint8>(record[2 * row + 1]);
        if (bits & 0xF00F)
            return true;
    }
    return false;
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

        QVERIFY(!isBlank(hzk16.mid(45120, 32)));  // 啊
        QVERIFY(!isBlank(hzk16.mid(261664, 32))); // 齄
        QVERIFY(isBlank(hzk16.mid(0, 32)));       // the full-width space is blank in every font
        QVERIFY(!isBlank(asc16.mid(65 * 16, 16))); // A
        QVERIFY(isBlank(asc16.mid(13 * 16, 16)));  // CR and LF: a typed line break gives blank cells
        QVERIFY(isBlank(asc16.mid(10 * 16, 16)));
        QVERIFY(isBlank(asc16.mid(32 * 16, 16)));  // space

        // Half-width symbols such as the middle dot (A1A4) and Greek alpha (A6C1) are centred.
        for (const int offset : {3 * 32, (5 * 94 + 32) * 32}) {
            const QByteArray record = hzk16.mid(offset, 32);
            QVERIFY(!isBlank(record));
            QVERIFY(!hasDotsOutsideMiddle(record));
        }
        // The zones GB2312 leaves empty (10 to 15) hold zero records.
        QVERIFY(isBlank(hzk16.mid(9 * 94 * 32, 6 * 94 * 32)));
    }

    void helpTextIsCodePage936WithCrLf()
    {
        const QByteArray bytes = appFile("hellp.qvx");
        QVERIFY(!bytes.isEmpty());
        QStringDecoder decoder("GBK");
        QVERIFY(decoder.isValid());
        const QString text = decoder.decode(bytes);
        QVERIFY(!decoder.hasError());
        QVERIFY(!text.contains(QChar::ReplacementCharacter));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
        for (const QString &needed : {QStringLiteral("DB9"), QStringLiteral("COM1"), QStringLiteral("9600"),
                                      QStringLiteral("zimuo.bin"), QStringLiteral("打开串口"),
                                      QStringLiteral("下载完成"), QStringLiteral("LEDGLYPH_COM1")})
            QVERIFY2(text.contains(needed), qPrintable(needed));
    }
};

QTEST_GUILESS_MAIN(TestProgramFolderData)
#include "test_program_folder_data.moc"
