#include "tools/board/board_simulator.h"

#include "protocol/wire_format.h"
#include "preview/board_rules.h"
#include "preview/drawing/matrix_drawing.h"
#include "tools/board/glyph_dots.h"

#include "firmware/glyph_store.h"
#include "platform/console_output.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

namespace ledglyph::board {

namespace {

// The window stops polling once it sees the answer; poll bytes that were already
// on their way are swallowed for this long instead of being answered again.
constexpr int answeredPollsIgnoredMs = 1000;
constexpr int cellBytes = LEDGLYPH_CELL_BYTES;

} // namespace

BoardSimulator::BoardSimulator(BoardOptions options, QObject *parent)
    : QObject(parent), m_options(std::move(options))
{
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(m_options.idleMs);
    connect(&m_quiet, &QTimer::timeout, this, &BoardSimulator::onLineQuiet);
    m_answerDelay.setSingleShot(true);
    m_answerDelay.setInterval(m_options.answerDelayMs);
    connect(&m_answerDelay, &QTimer::timeout, this, &BoardSimulator::answerPoll);
    connect(&m_port, &QSerialPort::readyRead, this, &BoardSimulator::onBytes);
    connect(&m_port, &QSerialPort::errorOccurred, this, &BoardSimulator::onError);
}

bool BoardSimulator::start()
{
    m_port.setPortName(m_options.device);
    if (!m_port.open(QIODevice::ReadWrite)
        || !m_port.setBaudRate(LEDGLYPH_BAUD_RATE) || !m_port.setParity(QSerialPort::NoParity)
        || !m_port.setDataBits(QSerialPort::DataBits(LEDGLYPH_DATA_BITS))
        || !m_port.setStopBits(QSerialPort::StopBits(LEDGLYPH_STOP_BITS))
        || !m_port.setFlowControl(QSerialPort::NoFlowControl)) {
        console::writeErr(QStringLiteral("无法打开串口设备 %1：%2\n").arg(m_options.device, m_port.errorString()));
        return false;
    }
    m_started = true;
    console::writeErr(QStringLiteral("模拟单片机已就绪：%1（%2,n,%3,%4），等待轮询……\n")
                          .arg(m_options.device)
                          .arg(LEDGLYPH_BAUD_RATE)
                          .arg(LEDGLYPH_DATA_BITS)
                          .arg(LEDGLYPH_STOP_BITS));
    return true;
}

void BoardSimulator::onBytes()
{
    const int polls = feed(m_port.readAll());
    if (m_finished)
        return;
    switch (m_receiver.status()) {
    case TransferReceiver::Status::Failed:
        finish(1, m_receiver.error());
        return;
    case TransferReceiver::Status::Receiving:
        m_answerDelay.stop();
        m_quiet.start();
        return;
    case TransferReceiver::Status::Waiting:
        break;
    }
    const bool recentlyAnswered = m_sinceAnswer.isValid() && m_sinceAnswer.elapsed() < answeredPollsIgnoredMs;
    if (polls > 0 && !m_answerDelay.isActive() && !recentlyAnswered)
        m_answerDelay.start();
}

// Takes bytes from the line and every transfer they ended; returns the poll bytes among them.
int BoardSimulator::feed(const QByteArray &bytes)
{
    const int polls = m_receiver.feed(bytes);
    for (const Transfer &transfer : m_receiver.takeFinished())
        take(transfer);
    return polls;
}

void BoardSimulator::answerPoll()
{
    if (m_receiver.status() != TransferReceiver::Status::Waiting)
        return;
    m_port.write(QByteArray(1, LEDGLYPH_SIGNAL_BYTE));
    m_sinceAnswer.start();
}

void BoardSimulator::onLineQuiet()
{
    const std::optional<Transfer> transfer = m_receiver.lineQuiet();
    if (transfer)
        take(*transfer);
    else if (m_receiver.status() == TransferReceiver::Status::Failed)
        finish(1, m_receiver.error());
    if (m_options.once && m_transfers > 0)
        finish(0);
}

// Each transfer is reported on its own; with `once` only the first is kept and
// a second one is an error of the sender.
void BoardSimulator::take(const Transfer &transfer)
{
    if (m_finished)
        return;
    if (++m_transfers > 1 && m_options.once) {
        finish(1, QStringLiteral("第一次传输之后又收到第 %1 次传输（速度代码：%2，字节数：%3）；"
                                 "--once 只接收一次，只保存了第一次。")
                      .arg(m_transfers).arg(transfer.speedCode).arg(transfer.data.size()));
        return;
    }
    report(transfer);
}

void BoardSimulator::onError(QSerialPort::SerialPortError error)
{
    // Errors of opening are reported by start(), once.
    if (!m_started || error == QSerialPort::NoError || error == QSerialPort::TimeoutError || m_finished)
        return;
    const QString reason = m_port.errorString();
    // A device that closes right after the trailer still delivered a whole transfer.
    if (m_receiver.status() == TransferReceiver::Status::Receiving) {
        m_quiet.stop();
        feed(m_port.readAll());
        if (!m_finished)
            onLineQuiet();
        if (m_finished)
            return;
    }
    finish(2, QStringLiteral("串口设备出错：%1").arg(reason));
}

void BoardSimulator::report(const Transfer &transfer)
{
    console::writeOut(QStringLiteral("速度代码：%1\n字节数：%2\n").arg(transfer.speedCode).arg(transfer.data.size()));
    if (!m_options.outPath.isEmpty()) {
        QSaveFile file(m_options.outPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(transfer.data) != transfer.data.size()
            || !file.commit()) {
            finish(2, QStringLiteral("无法保存字模数据到 %1：%2").arg(m_options.outPath, file.errorString()));
            return;
        }
        console::writeOut(QStringLiteral("已保存到：%1\n").arg(m_options.outPath));
    }
    // What the reference firmware makes of it, by its own rules.
    const Status accepted = preview::checkBoardAccepts(transfer.data, transfer.speedCode);
    console::writeOut(!accepted.ok() ? QStringLiteral("显示板不接受：%1；保留原来的字模。\n").arg(accepted.error().message)
                                     : QStringLiteral("显示板接受。\n"));
    if (accepted.ok() && !m_options.framesPath.isEmpty()) {
        if (const Status written =
                preview::writeFilmStrip(m_options.framesPath, transfer.data, transfer.speedCode, m_options.frameTimesMs);
            !written.ok()) {
            finish(2, written.error().message);
            return;
        }
        console::writeOut(QStringLiteral("显示画面已保存到：%1\n").arg(m_options.framesPath));
    }
    const int cells = qMin<qsizetype>(m_options.cellsToDraw, transfer.data.size() / cellBytes);
    for (int cell = 0; cell < cells; ++cell)
        console::writeOut(QStringLiteral("字模 %1：\n").arg(cell + 1) + drawCell(transfer.data.mid(cell * cellBytes, cellBytes)));
}

int showGlyphFile(const QString &path, int speedCode, const BoardOptions &options)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        console::writeErr(QStringLiteral("无法读取字模文件 %1：%2\n").arg(path, file.errorString()));
        return 2;
    }
    // One byte more than any glyph file may hold is enough to refuse it.
    const QByteArray glyphs = file.read(GLYPH_STORE_CAPACITY + 1);
    if (const Status accepted = preview::checkBoardAccepts(glyphs, speedCode); !accepted.ok()) {
        console::writeErr(QStringLiteral("显示板不接受 %1：%2\n").arg(path, accepted.error().message));
        return 1;
    }
    if (const Status written = preview::writeFilmStrip(options.framesPath, glyphs, speedCode, options.frameTimesMs);
        !written.ok()) {
        console::writeErr(written.error().message + QLatin1Char('\n'));
        return 2;
    }
    console::writeOut(QStringLiteral("显示画面已保存到：%1\n").arg(options.framesPath));
    return 0;
}

void BoardSimulator::finish(int exitCode, const QString &message)
{
    if (m_finished)
        return;
    m_finished = true;
    m_quiet.stop();
    m_answerDelay.stop();
    if (!message.isEmpty())
        console::writeErr(message + QLatin1Char('\n'));
    m_port.close();
    QCoreApplication::exit(exitCode);
}

} // namespace ledglyph::board
