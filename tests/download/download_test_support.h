#pragma once

// Stand-ins for the download's seams (a serial link whose bytes the test
// controls, message boxes that answer from a script, a file dialog that returns
// prepared paths) and small helpers shared by the download tests.

#include "platform/date_time_text.h"
#include "platform/gui/desktop_services.h"
#include "platform/serial/serial_link.h"
#include "tests/classic_box_style.h"
#include "tests/test_support.h"

#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace ledglyph::testing {

using testsupport::readFile;
using testsupport::writeFile;

class FakeSerialLink final : public SerialLink {
    Q_OBJECT
public:
    std::optional<QString> openFailure;      // the reason open() gives, when set
    std::optional<LineSettings> openedWith;
    bool holdWrites = false;                 // bytes stay queued until drain()
    int failWriteNumber = 0;                 // the n-th write (counted in writeCount) is refused
    int writeCount = 0;
    int writesWhileClosed = 0;
    qint64 discarded = 0;                    // queued bytes thrown away by discardAndClose()
    QByteArray written;                      // every byte the link took, in order

    QString deviceName() const override { return QStringLiteral("/dev/fake-com1"); }
    std::optional<QString> open(const LineSettings &settings) override
    {
        openedWith = settings;
        m_open = !openFailure;
        return openFailure;
    }
    void close() override { m_open = false; }
    void discardAndClose() override
    {
        discarded += std::exchange(m_pending, 0);
        m_open = false;
    }
    bool isOpen() const override { return m_open; }
    bool write(const QByteArray &bytes) override
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
    qint64 bytesToWrite() const override { return m_pending; }
    QByteArray readAll() override { return std::exchange(m_incoming, {}); }

    // The board sends a batch (an empty one is a notification without bytes).
    void receive(const QByteArray &batch)
    {
        m_incoming += batch;
        emit notified();
    }
    // Every queued byte has left.
    void drain()
    {
        m_pending = 0;
        emit notified();
        emit allWritten();
    }

private:
    bool m_open = false;
    qint64 m_pending = 0;
    QByteArray m_incoming;
};

class ScriptedMessageBox final : public MessageBox {
public:
    QStringList shown;   // each box as "style title: prompt"
    QList<MessageAnswer> answers; // taken in order; OK when the script has run out
    // Keyed by a box's number (0: the first shown): runs while that box waits
    // for the user, as events that arrive meanwhile would.
    QMap<int, std::function<void()>> whileOpen;

    MessageAnswer show(const QString &prompt, MessageIcon icon, const QString &title) override
    {
        const int number = int(shown.size());
        shown << QStringLiteral("%1 %2: %3").arg(testsupport::classicBoxStyle(icon)).arg(title, prompt);
        if (const std::function<void()> meanwhile = whileOpen.take(number))
            meanwhile();
        return answers.isEmpty() ? MessageAnswer::Ok : answers.takeFirst();
    }
    QString styles() const
    {
        QStringList styles;
        for (const QString &box : shown)
            styles << box.section(QLatin1Char(' '), 0, 0);
        return styles.join(QLatin1Char(' '));
    }
};

class FakeFileDialog final : public FileDialog {
public:
    QStringList answers; // taken in order; an empty string is a cancelled dialog
    QStringList filters;

    QString getOpenFileName(QWidget *, const QString &filter) override
    {
        filters << filter;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

class NullLauncher final : public Launcher {
public:
    void openAddress(const QString &) override {}
};

// The host as a window under test sees it: scripted boxes and dialog, a fixed
// clock, and a fake serial link (`link`, owned by the window that asked for it).
struct FakeDesktop {
    ScriptedMessageBox box;
    NullLauncher launcher;
    FakeFileDialog dialog;
    FixedClock clock;
    FakeSerialLink *link = nullptr;
    DesktopServices services;

    FakeDesktop(const QDateTime &at, const QString &appDir)
        : clock(at), services{box, launcher, dialog, clock, appDir, [] {}, {}, [this] {
              auto made = std::make_unique<FakeSerialLink>();
              link = made.get();
              return std::unique_ptr<SerialLink>(std::move(made));
          }}
    {
    }
};

// The log lines exactly as the download writes them at `at`: CR LF, text, time of day.
struct LogLines {
    explicit LogLines(const QDateTime &at) : time(timeText(at.time())) {}
    QString line(const QString &text) const { return QStringLiteral("\r\n") + text + time; }

    const QString time;
    const QString opened = line(QStringLiteral("串口已打开,等待与单片机的连接。    "));
    const QString signal = line(QStringLiteral("收到单片机信号，与单片机连接成功。 "));
    const QString downloading = QStringLiteral("\r\n") + line(QStringLiteral("正在下载中，请等待....") + QString(13, u' '));
    const QString completed = line(QStringLiteral("下载完成 OK！") + QString(22, u' ')) + QStringLiteral("\r\n");
};

inline void click(const QWidget &form, const char *button)
{
    QTest::mouseClick(form.findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
}

// Enabled state of 打开串口, 关闭串口 and 发送数据, then the poll: "on off off stopped".
inline QString formState(const QWidget &form)
{
    QStringList parts;
    for (const char *name : {"Command1", "Command3", "Command2"})
        parts << (form.findChild<QPushButton *>(QLatin1String(name))->isEnabled() ? "on" : "off");
    parts << (form.findChild<QTimer *>(QStringLiteral("Timer1"))->isActive() ? "running" : "stopped");
    return parts.join(QLatin1Char(' '));
}

} // namespace ledglyph::testing

