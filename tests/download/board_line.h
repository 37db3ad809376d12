#pragma once

// A pair of connected pseudo-terminals made by socat: what one end writes, the
// other reads, like two serial ports joined by a null-modem cable.

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace ledglyph::testing {

class SocatPair {
public:
    // Starts socat with the ends as links A and B in `dir`. Fails the test when
    // socat is not installed or the ends do not appear.
    bool start(const QString &dir)
    {
        endA = QDir(dir).filePath(QStringLiteral("A"));
        endB = QDir(dir).filePath(QStringLiteral("B"));
        const QString socat = QStandardPaths::findExecutable(QStringLiteral("socat"));
        if (socat.isEmpty()) {
            qCritical("socat is missing: install it (Debian package 'socat', apt-get install socat)");
            return false;
        }
        m_process.start(socat, {QStringLiteral("-d"), QStringLiteral("-d"),
                                QStringLiteral("pty,raw,echo=0,link=") + endA,
                                QStringLiteral("pty,raw,echo=0,link=") + endB});
        if (!m_process.waitForStarted(5000))
            return false;
        for (int waited = 0; waited < 5000; waited += 20) {
            if (QFileInfo::exists(endA) && QFileInfo::exists(endB))
                return true;
            QTest::qWait(20);
        }
        qCritical("socat did not make its pseudo-terminals: %s", m_process.readAllStandardError().constData());
        return false;
    }

    ~SocatPair()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(3000))
                m_process.kill();
            m_process.waitForFinished(3000);
        }
    }

    QString endA;
    QString endB;

private:
    QProcess m_process;
};

// The board simulator as a child process.
class BoardProcess {
public:
    bool start(const QStringList &arguments)
    {
        m_process.start(QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-board"), arguments);
        if (!m_process.waitForStarted(5000))
            return false;
        // Ready once it reports the open device (or it ended at once).
        for (int waited = 0; waited < 5000; waited += 20) {
            m_stderr += m_process.readAllStandardError();
            if (m_stderr.contains(QByteArray("就绪")) || m_process.state() == QProcess::NotRunning)
                return m_process.state() == QProcess::Running;
            QTest::qWait(20);
        }
        return false;
    }
    // Waits for the end (keeping the event loop of the test running) and gives the exit code.
    int finish(int timeoutMs = 20000)
    {
        for (int waited = 0; waited < timeoutMs && m_process.state() != QProcess::NotRunning; waited += 20)
            QTest::qWait(20);
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(3000);
            return -1;
        }
        m_stdout += m_process.readAllStandardOutput();
        m_stderr += m_process.readAllStandardError();
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    QString output() const { return QString::fromUtf8(m_stdout); }
    QString errors() const { return QString::fromUtf8(m_stderr); }

    ~BoardProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }

private:
    QProcess m_process;
    QByteArray m_stdout;
    QByteArray m_stderr;
};

} // namespace ledglyph::testing
