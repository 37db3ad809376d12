#pragma once

// Programs that run beside a test and end with it, even when the test is
// killed or exits early. PtyPair is socat joining two pseudo-terminals like two
// ports on a null-modem cable: the sender (the program under test) opens one
// end, the board (the test itself, a simulator or a relay) the other.

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/prctl.h>

namespace ledglyph::test {

class HelperProcess : public QProcess {
public:
    HelperProcess() { setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); }); }
    ~HelperProcess() override
    {
        kill();
        waitForFinished(3000);
    }
};

struct PtyPair {
    QTemporaryDir dir;
    const QString senderEnd = dir.filePath(QStringLiteral("sender"));
    const QString boardEnd = dir.filePath(QStringLiteral("board"));
    HelperProcess socat;

    // False, with the reason in the test log, when socat made no pseudo-terminals.
    bool start()
    {
        socat.start(QStringLiteral("socat"), {"pty,raw,echo=0,link=" + senderEnd, "pty,raw,echo=0,link=" + boardEnd});
        if (socat.waitForStarted(5000)
            && QTest::qWaitFor([&] { return QFileInfo::exists(senderEnd) && QFileInfo::exists(boardEnd); }, 5000))
            return true;
        qCritical("socat made no pseudo-terminals (Debian package 'socat' installed?): %s %s",
                  qPrintable(socat.errorString()), socat.readAllStandardError().constData());
        return false;
    }
};

} // namespace ledglyph::test
