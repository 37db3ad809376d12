#pragma once

// The board's end of a serial line for end-to-end tests: socat joins two
// pseudo-terminals like two ports on a null-modem cable; the board simulator
// ledglyph-board listens on end B, the test uses end A.

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace ledglyph::test {

class BoardLine {
public:
    QTemporaryDir dir;
    const QString endA = dir.filePath(QStringLiteral("A"));
    const QString endB = dir.filePath(QStringLiteral("B"));
    const QString received = dir.filePath(QStringLiteral("received.bin")); // the board saves here

    // Starts socat, then the board on end B with `options`. False, with the
    // reason in the test log, when either does not start.
    bool start(const QStringList &options)
    {
        m_socat.start(QStringLiteral("socat"), {"-d", "-d", "pty,raw,echo=0,link=" + endA, "pty,raw,echo=0,link=" + endB});
        if (!m_socat.waitForStarted(5000)
            || !QTest::qWaitFor([&] { return QFileInfo::exists(endA) && QFileInfo::exists(endB); }, 5000)) {
            qCritical("socat made no pseudo-terminals (Debian package 'socat' installed?): %s %s",
                      qPrintable(m_socat.errorString()), m_socat.readAllStandardError().constData());
            return false;
        }
        m_board.setProcessChannelMode(QProcess::MergedChannels);
        m_board.start(QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-board"),
                      QStringList{"--device", endB, "--out", received} + options);
        // Ready once it reports the open device (or it ended at once).
        return QTest::qWaitFor([&] { return output().contains(u"就绪") || m_board.state() == QProcess::NotRunning; }, 5000)
               && m_board.state() == QProcess::Running;
    }

    // Waits for the board to end, keeping the test's event loop running; its
    // exit code, or −1 when it did not end.
    int finish()
    {
        const bool ended = QTest::qWaitFor([&] { return m_board.state() == QProcess::NotRunning; }, 20000);
        return ended && m_board.exitStatus() == QProcess::NormalExit ? m_board.exitCode() : -1;
    }

    // All the board printed so far, its messages and its report.
    QString output() { return QString::fromUtf8(m_output += m_board.readAll()); }

    ~BoardLine()
    {
        for (QProcess *process : {&m_board, &m_socat}) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(3000);
            }
        }
    }

private:
    QProcess m_socat;
    QProcess m_board;
    QByteArray m_output;
};

} // namespace ledglyph::test
