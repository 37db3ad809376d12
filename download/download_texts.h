#pragma once

// The download window's texts: list entries, prompts, message titles and log
// lines, with their exact line breaks and trailing spaces.

#include "core/maker_texts.h"
#include "protocol/wire_format.h"
#include "platform/serial/serial_link.h"
#include "platform/system_reason.h"

#include <QString>
#include <QStringList>

namespace ledglyph::download_texts {

inline const QStringList displayModes{
    QStringLiteral("左移动显示"), QStringLiteral("右移动显示"), QStringLiteral("上移显示"),
    QStringLiteral("下移显示"),   QStringLiteral("左移加静止"), QStringLiteral("循环显示")};

inline const QStringList speeds{
    QStringLiteral("变化速度1"), QStringLiteral("变化速度2"), QStringLiteral("变化速度3"),
    QStringLiteral("变化速度4"), QStringLiteral("变化速度5"), QStringLiteral("变化速度6")};

// Captions.
inline const QString settingsFrame = QStringLiteral("功能设置");
inline const QString sendFrame = QStringLiteral("串口发送数据");
inline const QString openFileButton = QStringLiteral("打开文件");
inline const QString openPortButton = QStringLiteral("打开串口");
inline const QString closePortButton = QStringLiteral("关闭串口");
inline const QString sendButton = QStringLiteral("发送数据");
inline const QString returnButton = QStringLiteral("返回");

// The open-file dialog's filter in Qt's form: the description the dialog shows,
// "二进制文件(*.bin;*.hex;)", then the patterns it matches.
inline const QString fileFilter = QStringLiteral("二进制文件(*.bin;*.hex;) (*.bin *.hex)");
inline const QString helpFileName = QStringLiteral("hellp.qvx");

// Opening the port.
inline const QString openPortPrompt =
    QStringLiteral("请用DB9串行线将PC的COM1与单片机连接，之后开启单片机电源。连接成功后才能下载字模")
    + QLatin1Char('\n')
    + QStringLiteral("串口设置 端口号：COM1 波特率：9600b/s  奇偶校验：无  数据位：8  停止位：1");
inline const QString portOpenedLog = QStringLiteral("串口已打开,等待与单片机的连接。") + QString(4, u' ');

// The board's signal and the confirmation.
inline const QString boardSignalLog = QStringLiteral("收到单片机信号，与单片机连接成功。") + QString(1, u' ');
inline const QString confirmPrompt =
    QStringLiteral("与单片机连接成功") + QStringLiteral("\n\n")
    + QStringLiteral("按下“确定”将字模下载到单片机。") + QLatin1Char('\n')
    + QStringLiteral("按下“取消”返回") + QLatin1Char('\n')
    + QStringLiteral("注意：单片机与PC连接后请在一分钟内将字模下载到单片机，") + QLatin1Char('\n')
    + QStringLiteral("如超过一分钟请重新连接");

// The transfer.
inline const QString noSpeedPrompt = QStringLiteral("你还没有选择显示方式和移动速度，谢谢！！！");
inline const QString downloadingLog = QStringLiteral("正在下载中，请等待....") + QString(13, u' ');
inline const QString completedLog = QStringLiteral("下载完成 OK！") + QString(22, u' ');
inline const QString completedPrompt = QStringLiteral("串口下载完成");

// The size line under the hex listing; the time of day follows it.
inline const QString sizeLinePrefix = QStringLiteral("文件读入正常，大小为：");
inline const QString sizeLineUnit = QStringLiteral("字节") + QString(7, u' ');

// How far a transfer is, for the window's progress line and the terminal.
inline QString transferProgress(qint64 sent, qint64 total)
{
    if (sent < total) {
        const qint64 bitsLeft = (total - sent) * LEDGLYPH_BITS_PER_BYTE;
        const qint64 secondsLeft = (bitsLeft + LEDGLYPH_BAUD_RATE - 1) / LEDGLYPH_BAUD_RATE;
        return QStringLiteral("已发送 %1 / %2 字节，还需约 %3 秒").arg(sent).arg(total).arg(secondsLeft);
    }
    return QStringLiteral("%1 字节已全部发出，等待单片机收下……").arg(total);
}
inline QString transferDone(qint64 total)
{
    return QStringLiteral("已发出 %1 字节，下载完成").arg(total);
}

// The window's caption and the titles of its boxes.
inline const QString windowCaption =
    QStringLiteral("点阵取模串口下载 http://") + maker::webHost + QStringLiteral(" 作者：林晓舟");
inline const QString portTitle = maker::welcomeTitle;
inline const QString transferTitle = maker::welcomeTitle + QStringLiteral("！！！");

// Faults the window reports itself: a device that cannot be opened or goes
// away, a help or glyph file that cannot be read, a failed transfer. The
// system's reason comes last, after the Chinese sentences.
// `why` is the link's own message: what to do, then the system's reason.
inline QString portOpenFailed(const QString &device, const QString &why)
{
    return QStringLiteral("无法打开串口 COM1（设备 %1）。").arg(device) + QLatin1Char('\n') + why;
}
inline QString helpFileUnreadable(const QString &path, const QString &reason)
{
    return withSystemReason(QStringLiteral("无法读取帮助文件 %1。").arg(path), reason);
}
inline QString glyphFileUnreadable(const QString &path, const QString &reason)
{
    return withSystemReason(QStringLiteral("无法读取文件 %1。").arg(path), reason);
}
inline QString glyphFileNotRegular(const QString &path)
{
    return QStringLiteral("%1 不是普通文件（不能是文件夹、设备或管道），不能作为字模文件。").arg(path);
}
inline QString glyphFileTooLarge(const QString &path, qint64 size, qint64 limit)
{
    return QStringLiteral("文件 %1 太大（%2 字节）：8051 单片机最多能寻址 %3 字节的外部存储，请选择本软件生成的字模文件。")
        .arg(path).arg(size).arg(limit);
}
// A file the reference board will refuse: the log line after the size line.
inline QString notAGlyphFileSize(qint64 size)
{
    return QStringLiteral("注意：文件大小 %1 字节不是本软件生成的字模文件的大小（32×字数＋353 字节），参考单片机会拒收。")
        .arg(size);
}
inline QString beyondBoardCapacity(qint64 size, qint64 capacity, int characters)
{
    return QStringLiteral("注意：文件大小 %1 字节超过参考单片机的字模存储（最多 %2 字节，即 %3 个字），参考单片机会拒收。")
        .arg(size).arg(capacity).arg(characters);
}
inline QString emptyGlyphFile(const QString &path)
{
    return QStringLiteral("字模文件 %1 是空的（0 字节），没有可以下载的字模。").arg(path);
}
inline const QString emptyFileNotSentLog = QStringLiteral("下载未进行：字模文件是空的，没有发送任何数据。");
inline QString transferNotStarted(const QString &problem)
{
    return problem + QLatin1Char('\n') + QStringLiteral("没有发送任何数据。");
}
inline const QString transferNotStartedLog = QStringLiteral("下载未进行：字模文件无法读取，没有发送任何数据。");
inline const QString portClosedBeforeTransfer = QStringLiteral("串口已关闭，无法下载。请重新打开串口。");
inline QString transferFailed(const QString &device, const QString &reason)
{
    return QStringLiteral("串口 COM1（设备 %1）出错：%2").arg(device, reason) + QLatin1Char('\n')
           + QStringLiteral("字模没有下载完成，串口已关闭。");
}
inline const QString transferFailedLog = QStringLiteral("下载失败：串口出错，字模没有下载完成，串口已关闭。");
inline QString transferStalled(const QString &device, qint64 unsent)
{
    return QStringLiteral("串口 COM1（设备 %1）停止发送：至少还有 %2 字节没有发出。").arg(device).arg(unsent)
           + QLatin1Char('\n') + QStringLiteral("字模没有下载完成，串口已关闭。请检查串口线和单片机。");
}
inline const QString transferStalledLog = QStringLiteral("下载失败：串口停止发送，字模没有下载完成，串口已关闭。");
inline const QString transferCancelledLog =
    QStringLiteral("下载已取消：字模没有下载完成，未发送的数据已丢弃。");
inline QString portFailed(const QString &device, const QString &reason)
{
    return QStringLiteral("串口 COM1（设备 %1）出错：%2").arg(device, reason) + QLatin1Char('\n')
           + QStringLiteral("串口已关闭。");
}
inline const QString portFailedLog = QStringLiteral("串口出错，已关闭。");

} // namespace ledglyph::download_texts
