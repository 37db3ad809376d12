#pragma once

#include "platform/serial/com1_ports.h"
#include "platform/serial/port_watch.h"

#include <QWidget>

class QComboBox;
class QLabel;

namespace ledglyph {

// The strip under the download window's frames that shows and changes the
// device standing for COM1: a label and a list of the ports the system has,
// each with its description and USB ids. Picking one remembers it, which makes
// it the choice. The list follows adapters plugged in and pulled out, keeping
// the choice while it is there.
//
// While the port is open the chooser is locked: the device in use cannot
// change under the open port, and the list is not renewed (on Linux Qt finds
// a UART by opening it, which fails while it is open, so the port in use
// would drop out of the list). With LEDGLYPH_COM1 set the
// variable decides, and the list only shows its device.
//
// Object names: portLabel, portList, and portWatch (the signal to list again).
class PortChooser : public QWidget {
    Q_OBJECT
public:
    explicit PortChooser(Com1Ports &ports, QWidget *parent = nullptr);

    // The choice as of the last listing, and the ports listed then.
    const PortChoice &choice() const { return m_choice; }
    const QList<SerialPortEntry> &present() const { return m_present; }

    // Lists the ports again and shows the choice; nothing while locked.
    void refresh();
    void setLocked(bool locked);
    // Remembers the device the port was opened with (not one LEDGLYPH_COM1 gave).
    void rememberOpened();

    QComboBox *list() const { return m_list; }

private:
    void showPorts(const QList<SerialPortEntry> &present);
    void onPicked(int index);

    Com1Ports &m_ports;
    PortWatch m_watch;
    QLabel *m_label = nullptr;
    QComboBox *m_list = nullptr;
    QList<SerialPortEntry> m_present;
    PortChoice m_choice;
    bool m_locked = false;
};

} // namespace ledglyph
