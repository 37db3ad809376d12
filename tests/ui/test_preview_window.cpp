// The preview window: its frames at given times against the firmware's
// display code run on the host, the note under the matrix, the picture it
// draws, and its two exports. And what it shares with the board simulator
// ledglyph-board: the board's decision on a glyph file and the film strip;
// with the simulator's own dot drawing. (The simulator on a serial line is
// test_download_end_to_end's, its command line test_cli's.)

#include "core/conversion.h"
#include "firmware/display.h"
#include "firmware/glyph_store.h"
#include "preview/board_rules.h"
#include "preview/drawing/matrix_drawing.h"
#include "tests/support/test_files.h"
#include "tools/board/glyph_dots.h"
#include "ui/matrix_view.h"
#include "ui/preview_window.h"
#include "ui_test_support.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace ledglyph;
using namespace ledglyph::test;
using namespace Qt::StringLiterals;
using preview::PreviewSource;

namespace {

// zimuo.bin of `text`, converted with the program folder's font libraries.
QByteArray glyphFile(const QString &text, const ConversionOptions &options)
{
    static const fonts::FontLibraries fonts = fonts::FontLibraries::load(QStringLiteral(LEDGLYPH_APPDIR));
    return convertText(text, options, fonts, QDateTime()).value().glyphs;
}

// The 16 × 64 matrix as rows of '#' (lit) and '.'.
QStringList matrixRows(const std::function<bool(int row, int column)> &lit)
{
    QStringList rows;
    for (int row = 0; row < 16; ++row) {
        rows << QString();
        for (int column = 0; column < 64; ++column)
            rows.last() += lit(row, column) ? u'#' : u'.';
    }
    return rows;
}

// The matrix `ms` after the board took `glyphs` at `speedCode` (a step every
// 30 ms × the code), by the firmware's own calls.
QStringList firmwareMatrix(const QByteArray &glyphs, int speedCode, int ms)
{
    const auto *cells = reinterpret_cast<const uint8_t *>(glyphs.constData());
    uint8_t frame[DISPLAY_FRAME_BYTES];
    display board{};
    display_show(&board, frame, cells, glyph_cells_shown(cells, uint16_t(glyphs.size())));
    for (int step = 0; step < ms / (30 * speedCode); ++step)
        display_step(&board);
    return matrixRows([&frame](int row, int column) { return display_lit(frame, uint8_t(row), uint8_t(column)); });
}

struct Playback {
    QString text{};           // converted; empty: `glyphs` as they are
    QByteArray glyphs{};
    ConversionOptions options{};
    bool optionsKnown = true; // the opener knows the options (the main window does)
    int speed = 1;            // chosen in the window's list
    QList<int> timesMs{};
    QString note{};
};

} // namespace

Q_DECLARE_METATYPE(Playback)

class TestPreviewWindow : public QObject {
    Q_OBJECT

private slots:
    // Past one pass of the strip (17 cells, 272 steps: 8.16 s at speed 1) too.
    void framesAreTheFirmwares_data()
    {
        QTest::addColumn<Playback>("playback");
        QTest::newRow("16*16, both options, speed 1") << Playback{
            .text = "欢迎 LED", .speed = 1, .timesMs = {0, 29, 30, 1000, 8159, 12345}};
        QTest::newRow("8*16, invert off, speed 3") << Playback{
            .text = "Hello", .options = {.cellMode = CellMode::Cell8x16, .invert = false}, .speed = 3,
            .timesMs = {0, 90, 5000, 40000},
            .note = "取模时未选“黑白反转”：显示板在数据位为 0 时点亮，所以画面亮暗颠倒。"};
        QTest::newRow("mirror off, speed 6") << Playback{
            .text = "显示屏", .options = {.mirror = false}, .speed = 6, .timesMs = {0, 179, 180, 9000},
            .note = "取模时未选“左右对调”：显示板每行从最右边的点开始送出数据，所以字左右颠倒。"};
        QTest::newRow("both off") << Playback{
            .text = "A", .options = {.invert = false, .mirror = false}, .speed = 2, .timesMs = {0, 600},
            .note = "取模时未选“黑白反转”和“左右对调”：显示板在数据位为 0 时点亮、每行从最右边的点开始送出，"
                    "所以画面亮暗颠倒、字左右颠倒。"};
        QTest::newRow("options unknown") << Playback{
            .text = "字", .optionsKnown = false, .speed = 4, .timesMs = {0, 4321},
            .note = "字模文件不记录取模选项：画面若亮暗颠倒或左右颠倒，是取模时未选“黑白反转”或“左右对调”。"};
        // The board keeps its earlier glyphs; the preview cannot know them.
        QTest::newRow("a file the board refuses") << Playback{
            .glyphs = QByteArray(32 + 352, '\x55'), .speed = 1, .timesMs = {0, 3000},
            .note = "显示板不接受这个文件，保留原来的字模：字模数据 384 字节，不是 32×字数+353（至少 1 个字）"};
    }
    void framesAreTheFirmwares()
    {
        QFETCH(Playback, playback);
        const QByteArray glyphs = playback.text.isEmpty() ? playback.glyphs : glyphFile(playback.text, playback.options);
        TestDesktop env;
        PreviewWindow window(env.services, nullptr);
        PreviewSource source{.glyphs = glyphs};
        if (playback.optionsKnown)
            source.madeWith = PreviewSource::Options{playback.options.invert, playback.options.mirror};
        window.play(source);
        controlOf<QComboBox>(&window, "speedList")->setCurrentIndex(playback.speed - 1);
        QCOMPARE(window.speedCode(), playback.speed);
        QCOMPARE(controlOf<QLabel>(&window, "noteLine")->text(), playback.note);
        for (const int ms : playback.timesMs) {
            window.seekTime(ms);
            const QStringList shown = matrixRows([&window](int row, int column) { return window.frames().lit(row, column); });
            QVERIFY2(shown == firmwareMatrix(playback.text.isEmpty() ? QByteArray() : glyphs, playback.speed, ms),
                     qPrintable(QStringLiteral("at %1 ms").arg(ms)));
        }
    }

    // One lit dot (top row, column 15) on an inverted board: a round red LED
    // among dimmed ones on black, at 100 % and at 200 %; one column on, it is
    // in column 14 and the window is paused.
    void pictureOfAKnownFrame()
    {
        QByteArray glyphs(32 + 353, '\xFF');
        glyphs[0] = '\x7F';
        TestDesktop env;
        PreviewWindow window(env.services, nullptr);
        window.play({.glyphs = glyphs, .speedCode = 9}); // no such code: the slowest
        QCOMPARE(window.speedCode(), 6);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        controlOf<QPushButton>(&window, "playButton")->click();
        QCOMPARE(controlOf<QPushButton>(&window, "playButton")->text(), "播放");
        window.seekTime(0);

        const auto colourAt = [&](int dot, int row, int column, double across = 0.5) {
            const QImage shot = window.matrix().grab().toImage();
            return shot.pixel(int((column + 1 + across) * dot), int((row + 1 + across) * dot));
        };
        const QRgb red = qRgb(255, 48, 32), dim = qRgb(64, 24, 24), black = qRgb(24, 24, 24);
        QCOMPARE(window.matrix().size(), QSize(66 * 8, 18 * 8));
        QCOMPARE(colourAt(8, 0, 15), red);
        QCOMPARE(colourAt(8, 0, 14), dim);
        QCOMPARE(colourAt(8, 1, 15), dim);
        QCOMPARE(colourAt(8, 0, 15, 0), black); // between the dots

        controlOf<QComboBox>(&window, "zoomList")->setCurrentText("200%");
        QCOMPARE(window.matrix().size(), QSize(66 * 16, 18 * 16));
        QCOMPARE(colourAt(16, 0, 15), red);
        QCOMPARE(colourAt(16, 0, 15, 0.1), black); // outside the round LED, in its square

        controlOf<QPushButton>(&window, "playButton")->click();
        controlOf<QPushButton>(&window, "stepButton")->click();
        QVERIFY(!window.isPlaying());
        QCOMPARE(colourAt(16, 0, 14), red);
        QCOMPARE(colourAt(16, 0, 15), dim);
    }

    // The film strip is the one ledglyph-board draws; the animation, without
    // an animated writer in Qt, is a numbered series of the window's frames.
    void exports()
    {
        const QByteArray glyphs = glyphFile("欢迎", {});
        TestDesktop env;
        QTemporaryDir dir;
        env.host.files << dir.filePath("strip.png") << dir.filePath("sign.png");
        PreviewWindow window(env.services, nullptr);
        window.play({.glyphs = glyphs, .speedCode = 3});
        controlOf<QPushButton>(&window, "stripButton")->click();
        controlOf<QPushButton>(&window, "animationButton")->click();

        writeFile(dir.filePath("zimuo.bin"), glyphs);
        const ProgramRun board = runProgram(builtProgram("ledglyph-board"), {"--glyphs", dir.filePath("zimuo.bin"),
                                            "--speed", "3", "--frames", dir.filePath("board.png")});
        QCOMPARE(board.exitCode, 0);
        QCOMPARE(QImage(dir.filePath("strip.png")), QImage(dir.filePath("board.png")));

        // 13 cells shown, 208 steps, 18.7 s at 90 ms: the first ten seconds.
        QCOMPARE(controlOf<QLabel>(&window, "exportLine")->text(),
                 QStringLiteral("已保存 111 张图片，每张 90 毫秒：%1 至 sign-111.png").arg(dir.filePath("sign-001.png")));
        QVERIFY(!QFile::exists(dir.filePath("sign-112.png")));
        controlOf<QPushButton>(&window, "playButton")->click();
        window.seekTime(90 * 110);
        QCOMPARE(QImage(dir.filePath("sign-111.png")), window.matrix().grab().toImage().convertToFormat(QImage::Format_RGB32));
    }

    // The firmware's rules decide what the board takes: the store's capacity
    // and the speed in the header. (A file accepted and the length rule are
    // framesAreTheFirmwares' rows and test_download_end_to_end's.) Then the
    // film strip, and ledglyph-board's picture of a cell.
    void boardDecisionAndFilmStrip()
    {
        const auto refusal = [](const QByteArray &data, int speedCode) {
            const Status accepted = preview::checkBoardAccepts(data, speedCode);
            return accepted.ok() ? u"accepted"_s : accepted.error().message;
        };
        QCOMPARE(refusal(QByteArray(32 * 1013 + 353, 1), 1), u"字模数据 32769 字节，超过显示板的容量 32737 字节"_s);
        QCOMPARE(refusal(QByteArray(32 + 353, 1), 7), u"传输头错误"_s);

        // In the film strip one lit dot in the top row, the 16th column, moves
        // left one column every 30 ms at speed 1. (A glyph file the board
        // refuses gives ledglyph-board no picture: test_cli's scriptedRuns.)
        QByteArray glyphs(32 + 353, '\xFF'); // inverted: every dot dark
        glyphs[0] = '\x7F';                  // cell 0, top row, left byte: column 15 lit
        const QImage strip = preview::filmStrip(glyphs, 1, {0, 150});
        QCOMPARE(strip.size(), QSize(64 * 8 + 16, 2 * (16 * 8 + 16)));
        const auto lit = [&](int frame, int row, int column) {
            return strip.pixel(8 + column * 8 + 4, frame * (16 * 8 + 16) + 8 + row * 8 + 4) == qRgb(255, 48, 32);
        };
        QVERIFY(lit(0, 0, 15) && !lit(0, 0, 14) && !lit(0, 1, 15));
        QVERIFY(lit(1, 0, 10) && !lit(1, 0, 15));

        // ledglyph-board's own picture of a cell in its report.
        const QByteArray cell = "\x80\x01"_ba + QByteArray(28, '\0') + "\x0F\xF0"_ba;
        QCOMPARE(board::drawCell(cell), u"#..............#\n"_s + u"................\n"_s.repeated(14) + u"....########....\n"_s);
    }
};

QTEST_MAIN(TestPreviewWindow)
#include "test_preview_window.moc"
