#include "cli/download_command.h"

#include "download/download_log.h"
#include "download/download_protocol.h"
#include "download/download_texts.h"
#include "download/glyph_file.h"
#include "download/wire_format.h"
#include "cli/ports_command.h"
#include "platform/console_output.h"
#include "platform/serial/ms_comm1.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTimer>

#include <atomic>
#include <utility>
#include <csignal>
#include <unistd.h>

namespace ledglyph::cli {

namespace {

namespace texts = download_texts;
using Phase = DownloadProtocol::Phase;

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int)
{
    interrupted = true;
}

// A message's text for the terminal: a lone CR starts a new line there.
QString terminalText(QString message)
{
    return message.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

// The confirmation the window asks in a box, asked on the terminal.
bool userSaysSend()
{
    console::writeErr(terminalText(texts::confirmPrompt) + QStringLiteral("\n现在下载吗？[y/N] "));
    const QString answer = QTextStream(stdin).readLine().trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes");
}

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
    const Result<QByteArray> file = readGlyphFile(request.file);
    if (!file.ok()) {
        console::writeErr(terminalText(file.error().message) + QLatin1Char('\n'));
        return ExitRefused;
    }
    const qint64 total = file.value().size() + LEDGLYPH_HEADER_LENGTH + LEDGLYPH_TRAILER_LENGTH;

    const std::optional<QString> device = downloadDevice(request.device);
    if (!device)
        return ExitRefused;

    SystemClock clock;
    DownloadLog log(clock);
    MSComm1 link(*device);
    DownloadProtocol protocol(link, log);
    protocol.chooseFile(request.file);
    protocol.setSpeedIndex(request.speedCode - 1);

    QElapsedTimer sending;
    bool progressShown = false;
    bool finished = false;
    const auto finish = [&](ExitCode code, const QString &message) {
        if (std::exchange(finished, true))
            return;
        if (progressShown)
            console::writeErr(QStringLiteral("\n"));
        console::writeErr(message + QLatin1Char('\n'));
        QCoreApplication::exit(code);
    };

    QObject::connect(&protocol, &DownloadProtocol::portOpened, [&] {
        console::writeErr(terminalText(texts::openPortPrompt) + QLatin1Char('\n'));
        protocol.startPolling();
        console::writeErr(QStringLiteral("正在轮询单片机（%1）……\n").arg(link.deviceName()));
    });
    QObject::connect(&protocol, &DownloadProtocol::boardSignalled, [&] {
        if (request.yes) {
            console::writeErr(QStringLiteral("收到单片机信号，开始下载。\n"));
        } else if (!userSaysSend()) {
            protocol.sendLater();
            protocol.closePort();
            finish(ExitRefused, QStringLiteral("没有下载。"));
            return;
        }
        sending.start();
        protocol.download();
    });
    QObject::connect(&protocol, &DownloadProtocol::reported, [&](const DownloadReport &report) {
        if (report.kind == DownloadReport::Kind::TransferCompleted)
            finish(ExitSuccess, QStringLiteral("下载完成：%1 字节（字模文件 %2 字节），用时 %3 秒。")
                                    .arg(total).arg(file.value().size()).arg(seconds(sending.elapsed())));
        else
            finish(ExitRefused, terminalText(report.text));
    });

    // Ctrl-C and the progress are looked at on a short tick.
    interrupted = false;
    std::signal(SIGINT, onInterrupt);
    QTimer tick;
    tick.setInterval(100);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const bool transferring = protocol.phase() == Phase::Sending;
        if (interrupted) {
            tick.stop();
            protocol.closePort(); // a transfer's queued bytes are thrown away
            finish(ExitRefused, transferring ? texts::transferCancelledLog : QStringLiteral("已中断：没有发送字模。"));
        } else if (transferring && terminal) {
            const qint64 left = qMin(link.bytesToWrite(), total);
            const qint64 msLeft = left * LEDGLYPH_BITS_PER_BYTE * 1000 / LEDGLYPH_BAUD_RATE;
            console::writeErr(QStringLiteral("\r已发送 %1 / %2 字节，还需约 %3 秒   ")
                                  .arg(total - left).arg(total).arg(seconds(msLeft)));
            progressShown = true;
        }
    });

    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [&] {
        if (protocol.phase() != Phase::Polling)
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
    });
    const int code = QCoreApplication::exec();
    std::signal(SIGINT, SIG_DFL);
    return ExitCode(code);
}

} // namespace ledglyph::cli
