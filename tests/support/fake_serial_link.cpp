#include "tests/support/fake_serial_link.h"

namespace ledglyph::test {

std::optional<QString> FakeSerialLink::open(const LineSettings &settings)
{
    openedWith = settings;
    m_open = !openFailure;
    return openFailure;
}

void FakeSerialLink::discardAndClose()
{
    discarded += std::exchange(m_pending, 0);
    m_open = false;
}

bool FakeSerialLink::write(const QByteArray &bytes)
{
    if (!m_open) {
        ++writesWhileClosed;
        return false;
    }
    if (++writeCount == failWriteNumber) {
        emit failed(QStringLiteral("写入出错"));
        return false;
    }
    written += bytes;
    m_pending += holdWrites ? bytes.size() : 0;
    return true;
}

void FakeSerialLink::receive(const QByteArray &batch)
{
    m_incoming += batch;
    emit notified();
}

void FakeSerialLink::drain()
{
    m_pending = 0;
    emit notified();
    emit allWritten();
}

} // namespace ledglyph::test
