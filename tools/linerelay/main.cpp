// ledglyph-line-relay --sender DEV --board DEV [--rate BYTES]: joins a
// sender's serial device to the serial device of the ucsim 8051 simulator
// (s51 -s DEV with uart0_flowctrl=1), each the far end of a socat
// pseudo-terminal pair. It takes the sender's bytes at once, so that the
// sender finishes in the time the line would take however slowly the
// simulator runs, and passes them on unchanged, paced at the line's rate
// (9600 baud: 960 bytes a second). Runs until it is ended by a signal.

#include "protocol/wire_format.h"
#include "platform/command_line.h"
#include "platform/console_output.h"
#include "platform/name_bytes.h"
#include "tools/linerelay/line_relay.h"

#include <QCoreApplication>

using namespace ledglyph;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    ProgramCommandLine commandLine(QStringLiteral("ledglyph-line-relay"), QStringLiteral(
        "在发送端串口与 8051 模拟器（ucsim，s51 须开流控 uart0_flowctrl=1）的串口之间原样转发字节："
        "发送端的字节立即收下，再按线路速率发给单片机。"));
    const QCommandLineOption sender(QStringLiteral("sender"), QStringLiteral("发送端这一侧的串口设备。"),
                                    QStringLiteral("DEV"));
    const QCommandLineOption board(QStringLiteral("board"), QStringLiteral("模拟器这一侧的串口设备。"),
                                   QStringLiteral("DEV"));
    const QCommandLineOption rate(QStringLiteral("rate"), QStringLiteral("每秒最多发给单片机的字节数（0：不限；默认 960）。"),
                                  QStringLiteral("BYTES"),
                                  QString::number(LEDGLYPH_BAUD_RATE / LEDGLYPH_BITS_PER_BYTE));
    commandLine.addOptions({sender, board, rate});
    if (const std::optional<CommandLineAnswer> answer = commandLine.parse(commandLineArguments(argc, argv)))
        return printAnswer(*answer);
    const QCommandLineParser &parser = commandLine.parser;
    if (const std::optional<CommandLineAnswer> answer = commandLine.givenTwice({&sender, &board, &rate}))
        return printAnswer(*answer);
    if (!parser.positionalArguments().isEmpty())
        return printAnswer(commandLine.usageError(
            QStringLiteral("多余的参数：%1").arg(parser.positionalArguments().join(QLatin1Char(' ')))));
    if (parser.value(sender).isEmpty() || parser.value(board).isEmpty())
        return printAnswer(commandLine.usageError(QStringLiteral("请给出 --sender 和 --board 两个串口设备。")));
    bool rateOk = false;
    const int bytesPerSecond = parser.value(rate).toInt(&rateOk);
    if (!rateOk || bytesPerSecond < 0)
        return printAnswer(commandLine.usageError(
            QStringLiteral("--rate 的值“%1”无效，应为不小于 0 的整数。").arg(parser.value(rate))));
    const Failure failure = relay::relay(parser.value(sender), parser.value(board), bytesPerSecond);
    console::writeErr(QStringLiteral("ledglyph-line-relay：%1\n").arg(failure.message));
    return ExitRefused;
}
