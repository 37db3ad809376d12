#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

namespace ledglyph {

// Tells when the list of serial ports may have changed: an adapter plugged in
// or pulled out. Qt has no such signal. Listing is not free everywhere: on
// Linux Qt opens every 8250 UART to see whether it is real, which raises and
// drops its modem lines (and may reset a board wired to DTR). So there the
// device folder is watched, and the signal comes once it has been still for a
// second (the system names the device first and describes it a moment later);
// on Windows, where listing opens nothing, and wherever the folder cannot be
// watched, the signal comes every 1.5 s.
class PortWatch : public QObject {
    Q_OBJECT
public:
    explicit PortWatch(QObject *parent = nullptr);

signals:
    void mayHaveChanged();

private:
    QFileSystemWatcher m_devices;
    QTimer m_timer;
};

} // namespace ledglyph
