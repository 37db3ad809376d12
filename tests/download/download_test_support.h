#pragma once

// Stand-ins for the download window's seams: a serial link whose bytes the test
// controls, message boxes that answer from a script, a file dialog that returns
// prepared paths.

#include "platform/gui/file_dialog.h"
#include "platform/gui/message_box.h"
#include "platform/serial/serial_link.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace ledglyph::testing {

class FakeSerialLink final : public SerialLink {
    Q_OBJECT
public:
    QString device = QStringLiteral("/dev/fake-com1");
    std::optional<QString> openFailure;  // the reason open() gives, when set
    bool holdWrites = false;             // bytes stay queued until drain()
    int failWriteNumber = 0;             // the n-th write (1-based) is refused
    QByteArray written;                  // every byte the link took, in order
    int writeCount = 0;
    int writesWhileClosed = 0;
    int openCount = 0;
    QList<LineSettings> openedWith;
    qint64 pendingAtClose = -1;

    QString deviceName() const override { return device; }

    std::optional<QString> open(const LineSettings &settings) override
    {
        ++openCount;
        openedWith << settings;
        if (openFailure)
            return openFailure;
        m_open = true;
        return std::nullopt;
    }
    void close() override
    {
        if (m_open)
            pendingAtClose = m_pending;
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
        if (holdWrites)
            m_pending += bytes.size();
        return true;
    }
    qint64 bytesToWrite() const override { return m_pending; }
    QByteArray readAll() override
    {
        const QByteArray bytes = m_incoming;
        m_incoming.clear();
        return bytes;
    }

    // The board sends a batch; the port then notifies.
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
    // The device went away.
    void vanish(const QString &reason) { emit failed(reason); }

private:
    bool m_open = false;
    qint64 m_pending = 0;
    QByteArray m_incoming;
};

struct ShownBox {
    QString prompt;
    int style = 0;
    QString title;
};

class ScriptedMessageBox final : public MessageBox {
public:
    QList<ShownBox> shown;
    QList<int> answers;              // taken in order; OK when the script has run out
    std::function<void()> whileShown; // runs inside show(), as if during the modal loop

    int show(const QString &prompt, int style, const QString &title) override
    {
        shown << ShownBox{prompt, style, title};
        if (whileShown)
            whileShown();
        return answers.isEmpty() ? MsgOk : answers.takeFirst();
    }
    QList<int> styles() const
    {
        QList<int> result;
        for (const ShownBox &box : shown)
            result << box.style;
        return result;
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

} // namespace ledglyph::testing
