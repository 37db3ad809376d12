#include "cli/download_command.h"

#include "download/download_log.h"
#include "download/download_protocol.h"
#include "download/download_texts.h"
#include "download/glyph_file.h"
#include "protocol/wire_format.h"
#include "cli/ports_command.h"
#include "platform/console_output.h"
#include "platform/serial/qt_serial_link.h"
#include "platform/terminal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTimer>

#include <utility>

namespace ledglyph::cli {

namespace {

namespace texts = download_texts;
using Phase = DownloadProtocol::Phase;

const QString notSent = QStringLiteral("已中断：没有发送字模。");

// The confirmation the window asks in a box, asked on the terminal. The read
// blocks the event loop, so Ctrl-C while it waits ends the program there.
bool userSaysSend()
{
    console::writeErr(texts::confirmPrompt + QStringLiteral("\n现在下载吗？[y/N] "));
    const terminal::CtrlCEndsProgram ctrlCEnds((QLatin1Char('\n') + notSent + QLatin1Char('\n')).toUtf8(), ExitRefused);
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
    const bool showProgress = terminal::isTerminal(terminal::Stream::Error);
    if (!request.yes && !terminal::isTerminal(terminal::Stream::Input)) {
        console::writeErr(QStringLiteral("标准输入不是终端，无法询问是否下载；要在收到单片机信号后直接下载，请加 --yes。\n"));
        return ExitUsage;
    }
    // A file that cannot be sent is refused before the board is bothered; it is
    // read again when the transfer starts, as the window does.
    const Result<QByteArray> file = readGlyphFile(request.file);
    if (!file.ok() || file.value().isEmpty()) {
        const QString problem = file.ok() ? texts::transferNotStarted(texts::emptyGlyphFile(request.file)) : file.error().message;
        console::writeErr(problem + QLatin1Char('\n'));
        return ExitRefused;
    }
    if (const std::optional<QString> warning = boardRefusalWarning(file.value().size()))
        console::writeErr(*warning + QLatin1Char('\n'));

    const std::optional<QString> device = downloadDevice(request.device);
    if (!device)
        return ExitRefused;

    SystemClock clock;
    DownloadLog log(clock);
    QtSerialLink link(*device);
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
        console::writeErr(texts::openPortPrompt + QLatin1Char('\n'));
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
                                    .arg(protocol.lastTransferBytes()).arg(file.value().size())
                                    .arg(seconds(sending.elapsed())));
        else
            finish(ExitRefused, report.text);
    });
    QObject::connect(&protocol, &DownloadProtocol::transferProgressed, [&](qint64 sent, qint64 total) {
        if (!showProgress)
            return;
        console::writeErr(QLatin1Char('\r') + texts::transferProgress(sent, total) + QStringLiteral("   "));
        progressShown = true;
    });

    // Ctrl-C is looked at on a short tick.
    const terminal::CtrlCFlag ctrlC;
    QTimer tick;
    tick.setInterval(100);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (!ctrlC.raised())
            return;
        const bool transferring = protocol.phase() == Phase::Sending;
        tick.stop();
        protocol.closePort(); // a transfer's queued bytes are thrown away
        if (!finished)
            finish(ExitRefused, transferring ? texts::transferCancelledLog : notSent);
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
    return ExitCode(QCoreApplication::exec());
}

} // namespace ledglyph::cli
