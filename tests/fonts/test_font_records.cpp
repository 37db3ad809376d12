// Record positions in hzk16 and ASC16, and whole-record reads that refuse a
// missing, unreadable or short file instead of yielding a blank glyph.

#include "fonts/font_file.h"
#include "fonts/font_records.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ledglyph::fonts;

class TestFontRecords : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // Byte i of the file holds (i * 7 + i / 256) & 0xFF: neighbouring offsets differ.
    QString writeFile(const QString &name, qint64 size)
    {
        QByteArray bytes(size, '\0');
        for (qint64 i = 0; i < size; ++i)
            bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != size)
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    static quint8 patternAt(qint64 i) { return static_cast<quint8>((i * 7 + i / 256) & 0xFF); }

private slots:
    void hzRecordOffsets_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("offset");
        QTest::newRow("full-width space A1A1") << 0xA1 << 0xA1 << 0 << 0;
        QTest::newRow("啊 B0A1") << 0xB0 << 0xA1 << 1410 << 45120;
        QTest::newRow("A1FE ends zone 1") << 0xA1 << 0xFE << 93 << 2976;
        QTest::newRow("A2A1 starts zone 2") << 0xA2 << 0xA1 << 94 << 3008;
        QTest::newRow("齄 F7FE, last GB2312 character") << 0xF7 << 0xFE << 8177 << 261664;
    }

    void hzRecordOffsets()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(int, index);
        QFETCH(int, offset);
        QCOMPARE(hzRecordIndex(first, second), index);
        QCOMPARE(hzRecordOffset(first, second), offset);
    }

    void lastHanziRecordEndsAt87Zones()
    {
        QCOMPARE(hzRecordOffset(0xF7, 0xFE) + hzRecordSize, 261696);
        QCOMPARE(hzFileSizeOf87Zones, 261696);
    }

    void ascRecordOffsetsAreTheCharactersOwnRecord_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("offset");
        QTest::newRow("space") << 32 << 512;
        QTest::newRow("A") << 65 << 1040;
        QTest::newRow("code 255 ends the file") << 255 << 4080;
    }

    void ascRecordOffsetsAreTheCharactersOwnRecord()
    {
        QFETCH(int, code);
        QFETCH(int, offset);
        QCOMPARE(ascRecordOffset(static_cast<quint8>(code)), offset);
    }

    void readsTheRecordAtItsOffset()
    {
        FontFile font(writeFile(QStringLiteral("ASC16"), ascFileSize));
        QByteArray record;
        const FontRead read = font.readRecord(ascRecordOffset(65), ascRecordSize, record);
        QVERIFY(read.ok());
        QCOMPARE(read.fileSize, 4096);
        QCOMPARE(record.size(), 16);
        for (int j = 0; j < 16; ++j)
            QCOMPARE(static_cast<quint8>(record.at(j)), patternAt(1040 + j));

        // The last record of the file reads whole, up to its last byte.
        QVERIFY(font.readRecord(ascRecordOffset(255), ascRecordSize, record).ok());
        QCOMPARE(static_cast<quint8>(record.at(15)), patternAt(4095));
    }

    void recordPastTheEndIsTooShortAndLeavesZeros()
    {
        FontFile font(writeFile(QStringLiteral("short"), 4095));
        QByteArray record("junk");
        const FontRead read = font.readRecord(ascRecordOffset(255), ascRecordSize, record);
        QCOMPARE(read.status, FontRead::Status::TooShort);
        QCOMPARE(read.fileSize, 4095);
        QCOMPARE(read.neededSize, 4096);
        QCOMPARE(record, QByteArray(16, '\0'));
        // A record wholly inside the file still reads.
        QVERIFY(font.readRecord(ascRecordOffset(254), ascRecordSize, record).ok());
    }

    void missingFileIsMissing()
    {
        FontFile font(m_dir.filePath(QStringLiteral("nowhere")));
        QByteArray record;
        QCOMPARE(font.readRecord(0, 32, record).status, FontRead::Status::Missing);
        QCOMPARE(record, QByteArray(32, '\0'));
    }

    void folderIsUnreadable()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("afolder")));
        FontFile font(m_dir.filePath(QStringLiteral("afolder")));
        QByteArray record;
        const FontRead read = font.readRecord(0, 32, record);
        QCOMPARE(read.status, FontRead::Status::Unreadable);
        QVERIFY(!read.systemError.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFontRecords)
#include "test_font_records.moc"
