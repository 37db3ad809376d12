#pragma once

// What the download window and ledglyph-cli say about the device that stands
// for COM1: the chooser's texts, why a device was taken, the log line of an
// opened port, the list of ports, and the request to pick one when nothing decides.

#include "platform/serial/port_choice.h"

#include <QString>

namespace ledglyph::port_texts {

inline const QString chooserLabel = QStringLiteral("COM1 设备：");
inline const QString pickPlaceholder = QStringLiteral("请选择连接单片机的串口");
inline const QString nonePlaceholder = QStringLiteral("没有找到串口设备");
inline const QString environmentLocked = QStringLiteral("要在这里选择，请先去掉环境变量 LEDGLYPH_COM1。");

// "唯一插着的 USB 串口适配器", ...
QString reason(ChoiceReason why);

// The log line after an opened port, "COM1 = /dev/ttyUSB0（USB-SERIAL CH340 (1A86:7523)）",
// with the 4 spaces before the time that the line above it has.
QString com1Line(const QString &device, const QList<SerialPortEntry> &present);

// "COM1 = /dev/ttyUSB0：唯一插着的 USB 串口适配器", or that nothing decides.
QString choiceLine(const PortChoice &choice);

// The window's message when "打开串口" finds nothing decided (a CR between lines).
QString undecidedPrompt(const QList<SerialPortEntry> &present);

// ledglyph-cli ports: each port on a line, "* " before the one that stands for
// COM1, then the choice line (LF between lines, one at the end).
QString portListing(const QList<SerialPortEntry> &present, const PortChoice &choice);

// ledglyph-cli download without --device when nothing decides.
QString undecidedForCommandLine(const QList<SerialPortEntry> &present);

} // namespace ledglyph::port_texts
