#include "download/port_texts.h"

#include <QStringList>

#include <algorithm>

namespace ledglyph::port_texts {

namespace {

const QString chooserName = QStringLiteral("窗口左下方的“COM1 设备”列表");

// The ports, one label a line, each after `indent`; the chosen one after "* ".
QStringList portLines(const QList<SerialPortEntry> &present, const QString &chosen, const QString &indent)
{
    QStringList lines;
    for (const SerialPortEntry &port : present)
        lines << (port.device == chosen ? QStringLiteral("* ") : indent) + portLabel(port);
    return lines;
}

} // namespace

QString reason(ChoiceReason why)
{
    switch (why) {
    case ChoiceReason::Environment:
        return QStringLiteral("由环境变量 LEDGLYPH_COM1 指定");
    case ChoiceReason::Remembered:
        return QStringLiteral("上次选择的串口");
    case ChoiceReason::SystemCom1:
        return QStringLiteral("系统自带的串口");
    case ChoiceReason::OnlyUsbAdapter:
        return QStringLiteral("唯一插着的 USB 串口适配器");
    case ChoiceReason::Undecided:
        break;
    }
    return QStringLiteral("尚未确定");
}

QString com1Line(const QString &device, const QList<SerialPortEntry> &present)
{
    const auto port = std::ranges::find(present, device, &SerialPortEntry::device);
    const QString details = port == present.end() ? QString() : portDetails(*port);
    return QStringLiteral("COM1 = ") + device + (details.isEmpty() ? QString() : QStringLiteral("（%1）").arg(details))
           + QString(4, u' ');
}

QString choiceLine(const PortChoice &choice)
{
    if (!choice.decided())
        return QStringLiteral("COM1 尚未确定：请在下载窗口中选择，或用 ledglyph-cli download --device 指定。");
    return QStringLiteral("COM1 = %1：%2").arg(choice.device, reason(choice.reason));
}

QString undecidedPrompt(const QList<SerialPortEntry> &present)
{
    if (present.isEmpty())
        return QStringLiteral("没有找到串口设备。请插上连接单片机的 USB 转串口适配器（CH340、PL2303、CP210x、FTDI 等），")
               + QStringLiteral("在%1中选择它，再按“打开串口”。").arg(chooserName);
    return QStringLiteral("还没有确定哪个串口作为 COM1。请在%1中选择连接单片机的串口，再按“打开串口”。").arg(chooserName)
           + QLatin1Char('\n') + QStringLiteral("找到的串口：") + QLatin1Char('\n')
           + portLines(present, {}, {}).join(QLatin1Char('\n'));
}

QString portListing(const QList<SerialPortEntry> &present, const PortChoice &choice)
{
    QStringList lines = portLines(present, choice.device, QStringLiteral("  "));
    if (present.isEmpty())
        lines << QStringLiteral("没有找到串口设备。");
    lines << choiceLine(choice);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString undecidedForCommandLine(const QList<SerialPortEntry> &present)
{
    if (present.isEmpty())
        return QStringLiteral("没有找到串口设备。请插上连接单片机的 USB 转串口适配器，或用 --device 指定设备。\n");
    // The example is a USB adapter if there is one, and never the system's console.
    QList<SerialPortEntry> candidates = present;
    candidates.removeIf([](const SerialPortEntry &port) { return port.console; });
    std::ranges::stable_partition(candidates, &SerialPortEntry::isUsbAdapter);
    const QString example =
        candidates.isEmpty() ? QString() : QStringLiteral("，例如 --device %1").arg(candidates.constFirst().device);
    return QStringLiteral("找到的串口：\n") + portLines(present, {}, QStringLiteral("  ")).join(QLatin1Char('\n'))
           + QStringLiteral("\n还没有确定哪个串口作为 COM1：请用 --device 指定%1。\n").arg(example);
}

} // namespace ledglyph::port_texts
