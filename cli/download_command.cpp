#include "cli/download_command.h"

#include "cli/console_output.h"
#include "download/download_log.h"
#include "download/download_protocol.h"
#include "download/download_texts.h"
#include "download/glyph_file.h"
#include "download/wire_format.h"
#include "platform/serial/com1_device.h"
#include "platform/serial/ms_comm1.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <unistd.h>

namespace ledglyph::cli {

namespace {

namespace texts = download_texts;

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int)
{
    interrupted = true;
}

// A message box's text for the terminal: a lone CR starts a new line there.
QString terminalText(QString prompt)
{
    return prompt.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

// The protocol's boxes on the terminal: the confirmation is asked there (or
// answered by --yes), messages are printed, and what they meant is kept.
class TerminalMessageBox final : public MessageBox {
public:
    explicit TerminalMessageBox(bool yes) : m_yes(yes) {}

    bool declined = false;
    bool completed = false;
    QString failure;

    int show(const QString &prompt, int style, const QString &) override
    {
        if (style == MsgStyle::Question) {
            if (m_yes) {
                console::writeErr(QStringLiteral("收到单片机信号，开始下载。\n"));
                return MsgOk;
            }
            console::writeErr(terminalText(prompt) + QStringLiteral("\n现在下载吗？[y/N] "));
            const QString answer = QTextStream(stdin).readLine().trimmed().toLower();
            if (answer == QLatin1String("y") || answer == QLatin1String("yes"))
                return MsgOk;
            declined = true;
            return MsgCancel;
        }
        if (prompt == texts::completedPrompt)
            completed = true;
        else if (prompt == texts::openPortPrompt)
            console::writeErr(terminalText(prompt) + QLatin1Char('\n'));
        else
            failure = terminalText(prompt);
        return MsgOk;
    }

private:
    bool m_yes;
};

QString seconds(qint64 ms)
{
    return QString::number(double(ms) / 1000.0, 'f', 1);
}

} // namespace

ExitCode runDownload(const DownloadRequest &request)
{
    const bool terminal = ::isatty(STDERR_FILENO);
    if (!request.yes && !::isatty(STDIN_FILENO)) {
        console::writeErr(QStringLiteral("标准输入不是终端，无法询问是否下载；要在收到单片机信号后直接下载，请加 --yes。\n"));
        return ExitUsage;
    }
    // A file that cannot be sent is refused before the board is bothered; it is
    // read again when the transfer starts, as the window does.
    const GlyphFile file = readGlyphFile(request.file);
    if (!file.ok()) {
        console::writeErr(terminalText(file.problem) + QLatin1Char('\n'));
        return ExitRefused;
    }

    SystemClock clock;
    DownloadLog log(clock);
    MSComm1 link(request.device.isEmpty() ? com1DeviceName() : request.device);
    TerminalMessageBox box(request.yes);
    DownloadProtocol protocol(link, box, log);
    protocol.chooseFile(request.file);
    protocol.setSpeedIndex(request.speedCode - 1);

    interrupted = false;
    std::signal(SIGINT, onInterrupt);
    QElapsedTimer sending;
    const auto finish = [&](ExitCode code, const QString &message) {
        if (terminal && sending.isValid())
            console::writeErr(QStringLiteral("\n"));
        console::writeErr(message.isEmpty() ? QString() : message + QLatin1Char('\n'));
        QCoreApplication::exit(code);
    };

    // Everything the protocol reports is looked at on a short tick: its boxes
    // have returned by then, and the port is closed when it is done.
    QTimer tick;
    tick.setInterval(100);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const bool transferring = protocol.phase() == DownloadProtocol::Phase::Sending;
        if (interrupted) {
            tick.stop();
            protocol.closePort(); // a transfer's queued bytes are thrown away
            finish(ExitRefused, transferring ? texts::transferCancelledLog : QStringLiteral("已中断：没有发送字模。"));
        } else if (box.declined) {
            tick.stop();
            protocol.closePort();
            finish(ExitRefused, QStringLiteral("没有下载。"));
        } else if (!box.failure.isEmpty() && protocol.phase() == DownloadProtocol::Phase::Closed) {
            tick.stop();
            finish(ExitRefused, box.failure);
        } else if (box.completed && protocol.phase() == DownloadProtocol::Phase::Closed) {
            tick.stop();
            finish(ExitSuccess, QStringLiteral("下载完成：%1 字节（字模文件 %2 字节），用时 %3 秒。")
                                    .arg(file.bytes.size() + LEDGLYPH_HEADER_LENGTH + LEDGLYPH_TRAILER_LENGTH)
                                    .arg(file.bytes.size())
                                    .arg(seconds(sending.isValid() ? sending.elapsed() : 0)));
        } else if (transferring) {
            if (!sending.isValid())
                sending.start();
            if (terminal) {
                const qint64 total = file.bytes.size() + LEDGLYPH_HEADER_LENGTH + LEDGLYPH_TRAILER_LENGTH;
                const qint64 left = qMin(link.bytesToWrite(), total);
                const qint64 msLeft = left * LEDGLYPH_BITS_PER_BYTE * 1000 / LEDGLYPH_BAUD_RATE;
                console::writeErr(QStringLiteral("\r已发送 %1 / %2 字节，还需约 %3 秒   ")
                                      .arg(total - left).arg(total).arg(seconds(msLeft)));
            }
        }
    });

    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [&] {
        if (protocol.phase() != DownloadProtocol::Phase::Polling)
            return;
        tick.stop();
        protocol.closePort();
        finish(ExitRefused, QStringLiteral("%1 秒内没有收到单片机信号，已放弃；没有发送字模。").arg(*request.waitSeconds));
    });

    QTimer::singleShot(0, [&] {
        tick.start();
        if (request.waitSeconds)
            giveUp.start(*request.waitSeconds * 1000);
        protocol.openPort();
        if (protocol.phase() == DownloadProtocol::Phase::Polling)
            console::writeErr(QStringLiteral("正在轮询单片机（%1）……\n").arg(link.deviceName()));
    });
    const int code = QCoreApplication::exec();
    std::signal(SIGINT, SIG_DFL);
    return ExitCode(code);
}

} // namespace ledglyph::cli
