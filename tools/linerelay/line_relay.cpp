#include "tools/linerelay/line_relay.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace ledglyph::relay {

namespace {

constexpr qsizetype burstBytes = 16;

Failure systemError(const QString &device)
{
    return Failure{QStringLiteral("%1：%2").arg(device, QString::fromLocal8Bit(std::strerror(errno)))};
}

// A serial device in raw mode, without blocking.
int openRaw(const QString &device)
{
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return -1;
    termios settings{};
    if (::tcgetattr(fd, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(fd, TCSANOW, &settings);
    }
    return fd;
}

} // namespace

qsizetype Pacer::allowed(std::chrono::steady_clock::time_point now, qsizetype queued)
{
    if (m_rate <= 0)
        return queued;
    if (m_last)
        m_credit += std::chrono::duration<double>(now - *m_last).count() * m_rate;
    m_last = now;
    m_credit = std::min(m_credit, double(burstBytes));
    const auto bytes = std::min(queued, qsizetype(m_credit));
    m_credit -= double(bytes);
    return bytes;
}

Failure relay(const QString &senderDevice, const QString &boardDevice, int bytesPerSecond)
{
    const int sender = openRaw(senderDevice);
    if (sender < 0)
        return systemError(senderDevice);
    const int board = openRaw(boardDevice);
    if (board < 0)
        return systemError(boardDevice);

    Pacer pacer(bytesPerSecond);
    QByteArray toBoard;   // sender's bytes not yet allowed on the line
    QByteArray allowed;   // bytes taken from toBoard, not yet written
    char buffer[4096];
    for (;;) {
        pollfd fds[2] = {{sender, POLLIN, 0}, {board, POLLIN, 0}};
        const bool waiting = !toBoard.isEmpty() || !allowed.isEmpty();
        if (::poll(fds, 2, waiting ? 2 : 200) < 0 && errno != EINTR)
            return systemError(QStringLiteral("poll"));
        if (fds[0].revents & POLLIN) {
            const ssize_t n = ::read(sender, buffer, sizeof buffer);
            if (n > 0)
                toBoard.append(buffer, n);
        }
        if (fds[1].revents & POLLIN) {
            const ssize_t n = ::read(board, buffer, sizeof buffer);
            // The board's answers are short: written whole, blocking briefly if need be.
            for (ssize_t done = 0; n > 0 && done < n;) {
                const ssize_t w = ::write(sender, buffer + done, size_t(n - done));
                if (w > 0)
                    done += w;
                else if (errno != EAGAIN && errno != EINTR)
                    return systemError(senderDevice);
            }
        }
        if (allowed.isEmpty() && !toBoard.isEmpty()) {
            const qsizetype bytes = pacer.allowed(std::chrono::steady_clock::now(), toBoard.size());
            allowed = toBoard.left(bytes);
            toBoard.remove(0, bytes);
        }
        if (!allowed.isEmpty()) {
            const ssize_t w = ::write(board, allowed.constData(), size_t(allowed.size()));
            if (w > 0)
                allowed.remove(0, w);
            else if (w < 0 && errno != EAGAIN && errno != EINTR)
                return systemError(boardDevice);
        }
    }
}

} // namespace ledglyph::relay
