// ledglyph-board: a display board on a serial device, for trying the download
// without hardware (for example on one end of a socat pseudo-terminal pair);
// with --glyphs, the film strip of a glyph file as the board shows it.

#include "platform/command_line.h"
#include "preview/drawing/matrix_drawing.h"
#include "tools/board/board_simulator.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ledglyph-board"));

    ledglyph::ProgramCommandLine commandLine(QStringLiteral("ledglyph-board"), QStringLiteral(
        "模拟显示板（单片机）：回答轮询 \"s\"，接收 0x79 0x01 速度代码、字模数据和 0x73 0x73 0x73，"
        "保存字模数据并显示收到的内容。线路静止 --idle 毫秒且最后三个字节为 sss 时，一次传输结束。"));
    QCommandLineParser &parser = commandLine.parser;
    const QCommandLineOption device(QStringLiteral("device"), QStringLiteral("串口设备，例如 /dev/ttyUSB0 或伪终端。"),
                                    QStringLiteral("DEV"));
    const QCommandLineOption delay(QStringLiteral("answer-delay"), QStringLiteral("回答轮询前等待的毫秒数（默认 0）。"),
                                   QStringLiteral("MS"), QStringLiteral("0"));
    const QCommandLineOption idle(QStringLiteral("idle"), QStringLiteral("线路静止多少毫秒算传输结束（默认 500）。"),
                                  QStringLiteral("MS"), QStringLiteral("500"));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("把收到的字模数据保存到此文件。"),
                                 QStringLiteral("FILE"));
    const QCommandLineOption once(QStringLiteral("once"), QStringLiteral("收完一次传输后退出；紧跟其后的第二次传输算作错误（退出码 1）。"));
    const QCommandLineOption frames(QStringLiteral("frames"),
                                    QStringLiteral("把显示板（16×64 点阵）在各时刻的画面上下排列，保存为 PNG 图片。"),
                                    QStringLiteral("FILE.png"));
    QStringList defaultTimes; // as the preview window's film strip
    for (const int ms : ledglyph::preview::filmStripTimesMs)
        defaultTimes << QString::number(ms);
    const QCommandLineOption times(QStringLiteral("times"),
                                   QStringLiteral("画面的时刻：收到字模后的毫秒数，以逗号分隔（默认 %1）。").arg(defaultTimes.join(u',')),
                                   QStringLiteral("MS,MS,..."), defaultTimes.join(u','));
    const QCommandLineOption glyphs(QStringLiteral("glyphs"),
                                    QStringLiteral("不用串口：把这个字模文件（zimuo.bin）当作收到的数据，与 --frames 一起使用。"),
                                    QStringLiteral("FILE"));
    const QCommandLineOption speed(QStringLiteral("speed"),
                                   QStringLiteral("与 --glyphs 一起：速度代码 1 到 6（默认 1，最快）。"),
                                   QStringLiteral("1..6"), QStringLiteral("1"));
    commandLine.addOptions({device, delay, idle, out, once, frames, times, glyphs, speed});
    if (const std::optional<ledglyph::CommandLineAnswer> answer = commandLine.parse(QCoreApplication::arguments()))
        return ledglyph::printAnswer(*answer);
    bool delayOk = false;
    bool idleOk = false;
    ledglyph::board::BoardOptions options;
    options.device = parser.value(device);
    options.answerDelayMs = parser.value(delay).toInt(&delayOk);
    options.idleMs = parser.value(idle).toInt(&idleOk);
    options.outPath = parser.value(out);
    options.once = parser.isSet(once);
    options.framesPath = parser.value(frames);
    bool timesOk = true;
    for (const QString &time : parser.value(times).split(QLatin1Char(','))) {
        bool ok = false;
        options.frameTimesMs << time.trimmed().toInt(&ok);
        timesOk = timesOk && ok && options.frameTimesMs.last() >= 0;
    }
    if (!timesOk)
        return ledglyph::printAnswer(commandLine.usageError(QStringLiteral("--times 需要以逗号分隔的非负毫秒数。")));
    if (parser.isSet(glyphs)) {
        bool speedOk = false;
        const int speedCode = parser.value(speed).toInt(&speedOk);
        if (options.framesPath.isEmpty() || !speedOk || speedCode < 1 || speedCode > 6)
            return ledglyph::printAnswer(commandLine.usageError(QStringLiteral("--glyphs 需要 --frames，--speed 需要 1 到 6。")));
        return ledglyph::board::showGlyphFile(parser.value(glyphs), speedCode, options);
    }
    if (options.device.isEmpty())
        return ledglyph::printAnswer(commandLine.usageError(QStringLiteral("请用 --device 指定串口设备。")));
    if (!delayOk || options.answerDelayMs < 0 || !idleOk || options.idleMs <= 0)
        return ledglyph::printAnswer(commandLine.usageError(QStringLiteral("--answer-delay 和 --idle 需要非负的毫秒数（--idle 须大于 0）。")));

    ledglyph::board::BoardSimulator board(options);
    if (!board.start())
        return 2;
    return QCoreApplication::exec();
}
