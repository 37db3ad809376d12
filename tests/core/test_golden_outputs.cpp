// The outputs of random texts in every mode, format and invert/mirror setting
// stay byte for byte what they were when they were recorded: a fingerprint
// (SHA-256) of hz.txt, zimuo.bin and Tempchar.txt of four texts per setting.
// The texts come from a fixed seed, mixing ASCII, line breaks and GB2312
// characters (ASCII only in 8*16 mode), with lengths up to the 1012 limit.

#include "core/conversion_run.h"
#include "platform/code_page_936.h"
#include "synthetic_fonts.h"
#include "tests/support/test_time.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QTest>

#include <random>

using namespace ledglyph;
using namespace ledglyph::test;

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
    // A failure names every setting whose outputs changed.
    void sameBytesAsRecorded()
    {
        // The first 16 hex digits of each SHA-256. A line per format and cell
        // mode; in each line invert and mirror, invert, mirror, neither.
        const char *const fingerprints[] = {
            "a5a9648f1118a131", "4d886a8990f32cbe", "41fea1ab67bd3aad", "3d9a28f38e7a3486", // C51 16*16
            "867345b61f44572e", "838aeae042fd5d80", "c9a0f68947b9ce5a", "16c3cf700e83d762", // C51 8*16
            "7f15fd2f6ea2f4df", "efb8a4d4da6b819b", "d06d71304c5d59bf", "a70fdbb20dcc2926", // A51 16*16
            "fcedc6075b854b55", "4da40e2f711fe399", "870bd0096a4390e4", "79fd0d767f31b5c9", // A51 8*16
        };
        QTemporaryDir dir;
        writeFonts(dir.path());
        const FixedClock clock(testTime());
        QStringList changed;
        for (int i = 0; i < 16; ++i) {
            const ConversionOptions options{.format = i & 8 ? OutputFormat::A51 : OutputFormat::C51,
                                            .cellMode = i & 4 ? CellMode::Cell8x16 : CellMode::Cell16x16,
                                            .invert = !(i & 2),
                                            .mirror = !(i & 1)};
            std::mt19937 random(2008);
            QCryptographicHash hash(QCryptographicHash::Sha256);
            ConversionRun run(dir.path(), dir.path(), clock);
            for (int t = 0; t < 4; ++t) {
                QCOMPARE(run.run(randomText(random, options.cellMode), options).kind, RunOutcome::Kind::Completed);
                for (const char *name : {"hz.txt", "zimuo.bin", "Tempchar.txt"})
                    hash.addData(readFile(dir.filePath(QLatin1String(name))));
            }
            if (hash.result().toHex().left(16) != fingerprints[i])
                changed << QStringLiteral("%1 %2 invert=%3 mirror=%4")
                               .arg(i & 8 ? "A51" : "C51", i & 4 ? "8*16" : "16*16")
                               .arg(options.invert)
                               .arg(options.mirror);
        }
        QCOMPARE(changed.join(QStringLiteral(", ")), QString());
    }
};

QTEST_GUILESS_MAIN(TestGoldenOutputs)
#include "test_golden_outputs.moc"
