#include "tools/board/board_simulator.h"

#include "protocol/wire_format.h"
#include "preview/board_rules.h"
#include "preview/drawing/matrix_drawing.h"
#include "tools/board/glyph_dots.h"

#include "firmware/glyph_store.h"
#include "platform/console_output.h"
#include "platform/exit_code.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace ledglyph::board {

namespace {

constexpr int cellBytes = LEDGLYPH_CELL_BYTES;

// What the board keeps of an accepted transfer.
struct Transfer {
    int speedCode = 0;
    QByteArray data;
};

} // namespace

BoardSimulator::BoardSimulator(BoardOptions options, QObject *parent)
    : QObject(parent), m_options(std::move(options)),
      m_transferRam(GLYPH_STORE_CAPACITY + LEDGLYPH_TRAILER_LENGTH, '\0')
{
    receiver_init(&m_receiver, reinterpret_cast<uint8_t *>(m_transferRam.data()), GLYPH_STORE_CAPACITY);
    m_tick.setInterval(RECEIVER_STEP_MS);
    connect(&m_tick, &QTimer::timeout, this, &BoardSimulator::passTimeSoFar);
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
    m_clock.start(); // power-on
    console::writeErr(QStringLiteral("模拟单片机已就绪：%1（%2,n,%3,%4），等待轮询……\n")
                          .arg(m_options.device)
                          .arg(LEDGLYPH_BAUD_RATE)
                          .arg(LEDGLYPH_DATA_BITS)
                          .arg(LEDGLYPH_STOP_BITS));
    return true;
}

void BoardSimulator::onBytes()
{
    take(m_port.readAll());
}

// The bytes that came since the last look, each as the board's serial
// interrupt hands it over, after the time that passed before them.
void BoardSimulator::take(const QByteArray &bytes)
{
    passTimeSoFar();
    for (const char byte : bytes) {
        if (m_finished)
            return;
        const bool wasBusy = receiver_busy(&m_receiver);
        const bool wasStray = m_receiver.state == RECEIVER_STRAY;
        act(receiver_byte(&m_receiver, uint8_t(byte)));
        m_transferBytes = !receiver_busy(&m_receiver) ? 0 : wasBusy ? m_transferBytes + 1 : 1;
        if (!wasStray && m_receiver.state == RECEIVER_STRAY)
            console::writeOut(QStringLiteral("收到没有经过应答的字节，显示板不予理会。\n"));
    }
    // The receiver catches up on the time before each byte; only a transfer
    // under way needs the tick, since it is decided once the line is quiet.
    if (receiver_busy(&m_receiver) && !m_tick.isActive())
        m_tick.start();
}

void BoardSimulator::passTimeSoFar()
{
    const qint64 now = m_clock.elapsed();
    passTime(now - m_timePassedMs);
    m_timePassedMs = now;
    if (!receiver_busy(&m_receiver))
        m_tick.stop();
}

void BoardSimulator::passTime(qint64 ms)
{
    // The receiver's clocks stop at 0xFFFF ms: a longer time is the same to it.
    if (ms > 0 && !m_finished)
        act(receiver_time(&m_receiver, uint16_t(std::min<qint64>(ms, 0xFFFF))));
}

void BoardSimulator::act(uint8_t event)
{
    switch (event) {
    case RECEIVER_ANSWER:
        if (m_options.answerDelayMs == 0)
            answerPoll();
        else if (!m_answerDelay.isActive())
            m_answerDelay.start();
        break;
    case RECEIVER_ACCEPTED:
        reportAccepted();
        if (m_options.once)
            finish(ExitSuccess);
        break;
    case RECEIVER_REFUSED:
        reportRefused();
        if (m_options.once)
            finish(ExitRefused);
        break;
    default:
        break;
    }
}

// A late answer only while the board still waits for the header.
void BoardSimulator::answerPoll()
{
    if (m_receiver.state == RECEIVER_ARMED)
        m_port.write(QByteArray(1, LEDGLYPH_SIGNAL_BYTE));
}

void BoardSimulator::onError(QSerialPort::SerialPortError error)
{
    // Errors of opening are reported by start(), once.
    if (!m_started || error == QSerialPort::NoError || error == QSerialPort::TimeoutError || m_finished)
        return;
    const QString reason = m_port.errorString();
    // A device that closes right after the trailer still delivered a whole
    // transfer: the closed line is a quiet one, and the board decides now.
    if (receiver_busy(&m_receiver)) {
        take(m_port.readAll());
        passTime(RECEIVER_QUIET_MS);
    }
    finish(ExitRefused, QStringLiteral("串口设备出错：%1").arg(reason));
}

void BoardSimulator::reportRefused()
{
    // The glyph data's length as the line carried it: all after the header but the trailer.
    const qint64 length = m_transferBytes - LEDGLYPH_HEADER_LENGTH - LEDGLYPH_TRAILER_LENGTH;
    console::writeOut(QStringLiteral("显示板不接受：%1；保留原来的字模。\n")
                          .arg(preview::refusalText(m_receiver.refusal, length)));
}

void BoardSimulator::reportAccepted()
{
    const Transfer transfer{m_receiver.speed, m_transferRam.left(m_receiver.length)};
    console::writeOut(QStringLiteral("速度代码：%1\n字节数：%2\n").arg(transfer.speedCode).arg(transfer.data.size()));
    if (!m_options.outPath.isEmpty()) {
        QSaveFile file(m_options.outPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(transfer.data) != transfer.data.size()
            || !file.commit()) {
            finish(ExitRefused, QStringLiteral("无法保存字模数据到 %1：%2").arg(m_options.outPath, file.errorString()));
            return;
        }
        console::writeOut(QStringLiteral("已保存到：%1\n").arg(m_options.outPath));
    }
    console::writeOut(QStringLiteral("显示板接受。\n"));
    if (!m_options.framesPath.isEmpty()) {
        if (const Status written =
                preview::writeFilmStrip(m_options.framesPath, transfer.data, transfer.speedCode, m_options.frameTimesMs);
            !written.ok()) {
            finish(ExitRefused, written.error().message);
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
        return ExitRefused;
    }
    // One byte more than any glyph file may hold is enough to refuse it.
    const QByteArray glyphs = file.read(GLYPH_STORE_CAPACITY + 1);
    if (const Status accepted = preview::checkBoardAccepts(glyphs, speedCode); !accepted.ok()) {
        console::writeErr(QStringLiteral("显示板不接受 %1：%2\n").arg(path, accepted.error().message));
        return ExitRefused;
    }
    if (const Status written = preview::writeFilmStrip(options.framesPath, glyphs, speedCode, options.frameTimesMs);
        !written.ok()) {
        console::writeErr(written.error().message + QLatin1Char('\n'));
        return ExitRefused;
    }
    console::writeOut(QStringLiteral("显示画面已保存到：%1\n").arg(options.framesPath));
    return ExitSuccess;
}

void BoardSimulator::finish(int exitCode, const QString &message)
{
    if (m_finished)
        return;
    m_finished = true;
    m_tick.stop();
    m_answerDelay.stop();
    if (!message.isEmpty())
        console::writeErr(message + QLatin1Char('\n'));
    m_port.close();
    QCoreApplication::exit(exitCode);
}

} // namespace ledglyph::board
