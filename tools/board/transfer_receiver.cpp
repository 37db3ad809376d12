#include "tools/board/transfer_receiver.h"

#include "protocol/wire_format.h"

namespace ledglyph::board {

namespace {

constexpr char pollByte = LEDGLYPH_POLL_BYTE;
constexpr char startByte = LEDGLYPH_HEADER_START;
constexpr char fixedByte = LEDGLYPH_HEADER_FIXED;
constexpr int headerLength = LEDGLYPH_HEADER_LENGTH;
const QByteArray trailer(LEDGLYPH_TRAILER_LENGTH, LEDGLYPH_TRAILER_BYTE);

bool isSpeedCode(char byte)
{
    return byte >= LEDGLYPH_SPEED_MIN && byte <= LEDGLYPH_SPEED_MAX;
}

QString hexByte(char byte)
{
    return QStringLiteral("0x")
        + QString::number(static_cast<quint8>(byte), 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

} // namespace

int TransferReceiver::feed(const QByteArray &bytes)
{
    int polls = 0;
    for (const char byte : bytes) {
        if (m_status == Status::Failed)
            break;
        if (m_status == Status::Receiving && m_header.size() == headerLength) {
            m_body.append(byte);
            if (headerFollowsTrailer()) {
                const qsizetype dataSize = m_body.size() - trailer.size() - headerLength;
                m_finished.append({static_cast<quint8>(m_header.at(2)), m_body.left(dataSize)});
                m_header = m_body.mid(dataSize + trailer.size());
                m_body.clear();
            }
            continue;
        }
        if (m_status == Status::Waiting) {
            if (byte == pollByte) {
                ++polls;
            } else if (byte == startByte) {
                m_status = Status::Receiving;
                m_header.append(byte);
            } else {
                fail(QStringLiteral("传输头之前收到意外的字节 %1（只应有轮询字节 0x73）").arg(hexByte(byte)));
            }
            continue;
        }
        // Second and third header byte.
        m_header.append(byte);
        if (m_header.size() == 2 && byte != fixedByte)
            fail(QStringLiteral("传输头错误：第 2 个字节应为 0x01，收到 %1").arg(hexByte(byte)));
        else if (m_header.size() == headerLength && !isSpeedCode(byte))
            fail(QStringLiteral("传输头错误：速度代码应为 1 到 6，收到 %1").arg(hexByte(byte)));
    }
    return polls;
}

bool TransferReceiver::headerFollowsTrailer() const
{
    if (m_body.size() < trailer.size() + headerLength)
        return false;
    const QByteArray header = m_body.right(headerLength);
    return m_body.chopped(headerLength).endsWith(trailer) && header.at(0) == startByte
           && header.at(1) == fixedByte && isSpeedCode(header.at(2));
}

QList<Transfer> TransferReceiver::takeFinished()
{
    return std::exchange(m_finished, {});
}

std::optional<Transfer> TransferReceiver::lineQuiet()
{
    if (m_status != Status::Receiving)
        return std::nullopt;
    if (m_header.size() < headerLength) {
        fail(QStringLiteral("传输头不完整：只收到 %1 个字节").arg(m_header.size()));
        return std::nullopt;
    }
    if (!m_body.endsWith(trailer)) {
        fail(QStringLiteral("传输结束标志错误：最后三个字节应为 0x73 0x73 0x73（共收到 %1 个字节）")
                 .arg(m_body.size()));
        return std::nullopt;
    }
    Transfer transfer{static_cast<quint8>(m_header.at(2)), m_body.left(m_body.size() - trailer.size())};
    reset();
    return transfer;
}

void TransferReceiver::reset()
{
    m_status = Status::Waiting;
    m_header.clear();
    m_body.clear();
    m_error.clear();
}

void TransferReceiver::fail(QString message)
{
    m_status = Status::Failed;
    m_error = std::move(message);
}

} // namespace ledglyph::board
