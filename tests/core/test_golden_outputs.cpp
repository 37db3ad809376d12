// The outputs of random texts in every mode, format and invert/mirror setting
// stay byte for byte what they were when they were recorded: a fingerprint
// (SHA-256) of hz.txt, zimuo.bin and Tempchar.txt of four texts per setting.
// The texts come from a fixed seed, mixing ASCII, line breaks and GB2312
// characters (ASCII only in 8*16 mode), with lengths up to the 1012 limit.

#include "core/conversion_run.h"
#include "platform/code_page_936.h"
#include "synthetic_fonts.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QTest>

#include <random>

using namespace ledglyph;
using namespace testfonts;

namespace {

QString randomText(std::mt19937 &random, CellMode mode)
{
    const int length = 1 + static_cast<int>(random() % 1012);
    QString text;
    while (text.size() < length) {
        const quint32 pick = random() % 10;
        if (pick == 0 && text.size() + 2 <= length) {
            text += QStringLiteral("\r\n");
        } else if (pick < 5 || mode == CellMode::Cell8x16) {
            text += QChar(static_cast<char16_t>(0x20 + random() % 95));
        } else {
            quint16 code = 0;
            do
                code = static_cast<quint16>(0xA1A1 + (random() % 87) * 256 + random() % 94);
            while (!cp936::isAssignedGb2312(static_cast<qint16>(code)));
            const char bytes[] = {char(code >> 8), char(code & 0xFF)};
            text += cp936::decode(QByteArray(bytes, 2));
        }
    }
    return text;
}

} // namespace

class TestGoldenOutputs : public QObject {
    Q_OBJECT

private slots:
    void sameBytesAsRecorded_data()
    {
        QTest::addColumn<ConversionOptions>("options");
        QTest::addColumn<QByteArray>("fingerprint");
        const char *const fingerprints[] = {
            "a5a9648f1118a1314f61d225eda9bfe6b1cab4df39c89943ad729954c33b6f7e",
            "4d886a8990f32cbed31d22f01c19e7f2d288d1a92455951f4b46c06a4ddd392f",
            "41fea1ab67bd3aadd8d5ae577235c9416887154c3809e96fca3a6d07e0e17a59",
            "3d9a28f38e7a34869b0cb0f949749f378939d8c568aa32bb071ac5225a47a04f",
            "867345b61f44572ed27ac00902203239228a934cf0b249f36baf1a8948b53e04",
            "838aeae042fd5d8016bce2fc0039392f64e601d89a56a5827561a3ac04624abf",
            "c9a0f68947b9ce5a8a1853578c728f21af7885a6e4b1393b6f0ab322e34c29dd",
            "16c3cf700e83d7626c55a9954b22b1dcd36782c6b4282ab14b38b8c74e9a4a89",
            "7f15fd2f6ea2f4df8210e6f81d6a3cb81e185109222d9768b316028f85d82a19",
            "efb8a4d4da6b819b63463a941241c70240e114758e542b2eed95b8944f729e26",
            "d06d71304c5d59bfe45f40a6a2729104a3bf5d507b96af000c450027663f19ca",
            "a70fdbb20dcc29263d7c416a9503beafae4d1a8f4a8fc5285206af04d13c8de8",
            "fcedc6075b854b55382222fdf0b8576467e0d91e9ba811e3ca93c48d1f6dca6f",
            "4da40e2f711fe39949c7034dde2615206034d401998d22ef2bd605edfbd85c4c",
            "870bd0096a4390e4da6bc88737bd4e6a1580c1301cc416dd3961c0b2483627a7",
            "79fd0d767f31b5c92a1cf48e8ce29956ba42fe440ad4ecb48908cb37c0628aec",
        };
        int i = 0;
        for (const OutputFormat format : {OutputFormat::C51, OutputFormat::A51})
            for (const CellMode cell : {CellMode::Cell16x16, CellMode::Cell8x16})
                for (const bool invert : {true, false})
                    for (const bool mirror : {true, false})
                        QTest::addRow("%s %s invert=%d mirror=%d", format == OutputFormat::C51 ? "C51" : "A51",
                                      cell == CellMode::Cell8x16 ? "8x16" : "16x16", invert, mirror)
                            << ConversionOptions{.format = format, .cellMode = cell, .invert = invert, .mirror = mirror}
                            << QByteArray(fingerprints[i++]);
    }

    void sameBytesAsRecorded()
    {
        QFETCH(ConversionOptions, options);
        QFETCH(QByteArray, fingerprint);
        QTemporaryDir dir;
        writeAsc16(dir.path());
        writeHzk16(dir.path());
        const FixedClock clock(QDateTime(QDate(2008, 3, 22), QTime(21, 5, 9)));
        std::mt19937 random(2008);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        ConversionRun run(dir.path(), dir.path(), clock);
        for (int t = 0; t < 4; ++t) {
            const QString text = randomText(random, options.cellMode);
            const RunOutcome outcome = run.run(text, options);
            QCOMPARE(outcome.kind, RunOutcome::Kind::Completed);
            for (const char *name : {"hz.txt", "zimuo.bin", "Tempchar.txt"})
                hash.addData(readFile(dir.filePath(QLatin1String(name))));
        }
        QCOMPARE(hash.result().toHex(), fingerprint);
    }
};

QTEST_GUILESS_MAIN(TestGoldenOutputs)
#include "test_golden_outputs.moc"
