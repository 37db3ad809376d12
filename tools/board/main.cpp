// ledglyph-board: a display board on a serial device, for trying the download
// without hardware (for example on one end of a socat pseudo-terminal pair);
// with --glyphs, the film strip of a glyph file as the board shows it.

#include "platform/command_line.h"
#include "platform/exit_code.h"
#include "platform/name_bytes.h"
#include "preview/drawing/matrix_drawing.h"
#include "tools/board/board_simulator.h"

#include <QCoreApplication>

using namespace ledglyph;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ledglyph-board"));

    ProgramCommandLine commandLine(QStringLiteral("ledglyph-board"), QStringLiteral(
        "模拟显示板（单片机），由显示板固件的接收程序决定一切：回答轮询 \"s\"，接收 0x79 0x01 速度代码、"
        "字模数据和 0x73 0x73 0x73，线路静止 %1 毫秒后决定接受还是拒绝；保存接受的字模数据并显示收到的内容。")
        .arg(RECEIVER_QUIET_MS));
    QCommandLineParser &parser = commandLine.parser;
    const QCommandLineOption device(QStringLiteral("device"), QStringLiteral("串口设备，例如 /dev/ttyUSB0 或伪终端。"),
                                    QStringLiteral("DEV"));
    const QCommandLineOption delay(QStringLiteral("answer-delay"), QStringLiteral("回答轮询前等待的毫秒数（默认 0）。"),
                                   QStringLiteral("MS"), QStringLiteral("0"));
    // Gone: the board decides after the firmware's own quiet time, which the
    // sender's pause after a transfer is made for. Named, so that its use is told why.
    QCommandLineOption idle(QStringLiteral("idle"), QString(), QStringLiteral("MS"));
    idle.setFlags(QCommandLineOption::HiddenFromHelp);
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("把显示板接受的字模数据保存到此文件。"),
                                 QStringLiteral("FILE"));
    const QCommandLineOption once(QStringLiteral("once"), QStringLiteral(
        "显示板对第一次传输作出决定后退出：接受时退出码为 0，拒绝时为 1（紧跟其后的第二次传输与第一次连成一次，长度不对，被拒绝）。"));
    const QCommandLineOption frames(QStringLiteral("frames"),
                                    QStringLiteral("把显示板（16×64 点阵）在各时刻的画面上下排列，保存为 PNG 图片。"),
                                    QStringLiteral("FILE.png"));
    QStringList defaultTimes; // as the preview window's film strip
    for (const int ms : preview::filmStripTimesMs)
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
    if (const std::optional<CommandLineAnswer> answer = commandLine.parse(commandLineArguments(argc, argv)))
        return printAnswer(*answer);
    if (const std::optional<CommandLineAnswer> answer =
            commandLine.givenTwice({&device, &delay, &out, &frames, &times, &glyphs, &speed}))
        return printAnswer(*answer);
    if (!parser.positionalArguments().isEmpty())
        return printAnswer(commandLine.usageError(
            QStringLiteral("多余的参数：%1").arg(parser.positionalArguments().join(QLatin1Char(' ')))));
    if (parser.isSet(idle))
        return printAnswer(commandLine.usageError(QStringLiteral(
            "--idle 已取消：显示板按固件的规则，在线路静止 %1 毫秒后决定接受还是拒绝一次传输。").arg(RECEIVER_QUIET_MS)));
    bool delayOk = false;
    board::BoardOptions options;
    options.device = parser.value(device);
    options.answerDelayMs = parser.value(delay).toInt(&delayOk);
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
        return printAnswer(commandLine.usageError(QStringLiteral("--times 需要以逗号分隔的非负毫秒数。")));
    if (parser.isSet(glyphs)) {
        bool speedOk = false;
        const int speedCode = parser.value(speed).toInt(&speedOk);
        if (options.framesPath.isEmpty() || !speedOk || speedCode < 1 || speedCode > 6)
            return printAnswer(commandLine.usageError(QStringLiteral("--glyphs 需要 --frames，--speed 需要 1 到 6。")));
        return board::showGlyphFile(parser.value(glyphs), speedCode, options);
    }
    if (options.device.isEmpty())
        return printAnswer(commandLine.usageError(QStringLiteral("请用 --device 指定串口设备。")));
    if (!delayOk || options.answerDelayMs < 0)
        return printAnswer(commandLine.usageError(QStringLiteral("--answer-delay 需要非负的毫秒数。")));

    board::BoardSimulator board(options);
    if (!board.start())
        return ExitRefused;
    return QCoreApplication::exec();
}
