// ledglyph-line-relay --sender DEV --board DEV [--rate BYTES]: joins a
// sender's serial device to the serial device of the ucsim 8051 simulator
// (s51 -s DEV with uart0_flowctrl=1), each the far end of a socat
// pseudo-terminal pair. It takes the sender's bytes at once, so that the
// sender finishes in the time the line would take however slowly the
// simulator runs, and passes them on unchanged, paced at the line's rate
// (9600 baud: 960 bytes a second). Runs until it is ended by a signal.

#include "platform/console_output.h"
#include "download/wire_format.h"
#include "tools/linerelay/line_relay.h"

#include <QCommandLineParser>
#include <QCoreApplication>

using namespace ledglyph;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "在发送端串口与 8051 模拟器（ucsim，s51 须开流控 uart0_flowctrl=1）的串口之间原样转发字节："
        "发送端的字节立即收下，再按线路速率发给单片机。"));
    parser.addHelpOption();
    const QCommandLineOption sender(QStringLiteral("sender"), QStringLiteral("发送端这一侧的串口设备。"),
                                    QStringLiteral("DEV"));
    const QCommandLineOption board(QStringLiteral("board"), QStringLiteral("模拟器这一侧的串口设备。"),
                                   QStringLiteral("DEV"));
    const QCommandLineOption rate(QStringLiteral("rate"), QStringLiteral("每秒最多发给单片机的字节数（0：不限；默认 960）。"),
                                  QStringLiteral("BYTES"),
                                  QString::number(LEDGLYPH_BAUD_RATE / LEDGLYPH_BITS_PER_BYTE));
    parser.addOptions({sender, board, rate});
    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (parsed && parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    bool rateOk = false;
    const int bytesPerSecond = parsed ? parser.value(rate).toInt(&rateOk) : 0;
    if (!rateOk || bytesPerSecond < 0 || parser.value(sender).isEmpty() || parser.value(board).isEmpty()) {
        console::writeErr(parser.errorText() + QLatin1Char('\n') + parser.helpText());
        return 2;
    }
    const std::optional<QString> failure = relay::relay(parser.value(sender), parser.value(board), bytesPerSecond);
    console::writeErr(QStringLiteral("ledglyph-line-relay：%1\n").arg(failure.value_or(QString())));
    return 1;
}
