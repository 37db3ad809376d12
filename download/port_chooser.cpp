#include "download/port_chooser.h"

#include "download/port_texts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

#include <utility>

namespace ledglyph {

namespace texts = port_texts;

PortChooser::PortChooser(Com1Ports &ports, QWidget *parent) : QWidget(parent), m_ports(ports), m_watch(this)
{
    setObjectName(QStringLiteral("portChooser"));
    m_label = new QLabel(texts::chooserLabel, this);
    m_label->setObjectName(QStringLiteral("portLabel"));
    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("portList"));
    m_list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_label->setBuddy(m_list);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_label);
    row->addWidget(m_list, 1);

    connect(m_list, &QComboBox::activated, this, &PortChooser::onPicked);
    connect(&m_watch, &PortWatch::mayHaveChanged, this, &PortChooser::refresh);
    showPorts(m_ports.present());
}

void PortChooser::refresh()
{
    if (!m_locked)
        showPorts(m_ports.present());
}

void PortChooser::setLocked(bool locked)
{
    if (std::exchange(m_locked, locked) == locked)
        return;
    if (!locked)
        refresh();
    m_list->setEnabled(!locked && m_choice.reason != ChoiceReason::Environment);
}

void PortChooser::rememberOpened()
{
    if (m_choice.decided() && m_choice.reason != ChoiceReason::Environment)
        m_ports.remember(m_choice.device);
}

// Fills the list with `present` (and the device LEDGLYPH_COM1 names, if the
// system does not list it) and selects the choice; no choice, no selection.
void PortChooser::showPorts(const QList<SerialPortEntry> &present)
{
    m_present = present;
    m_choice = m_ports.choose(present);
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (const SerialPortEntry &port : present)
        m_list->addItem(portLabel(port), port.device);
    if (m_choice.decided() && m_list->findData(m_choice.device) < 0)
        m_list->addItem(m_choice.device, m_choice.device);
    m_list->setCurrentIndex(m_list->findData(m_choice.device));
    m_list->setPlaceholderText(present.isEmpty() ? texts::nonePlaceholder : texts::pickPlaceholder);

    const bool byEnvironment = m_choice.reason == ChoiceReason::Environment;
    m_list->setEnabled(!m_locked && !byEnvironment);
    m_list->setToolTip(texts::choiceLine(m_choice)
                       + (byEnvironment ? QLatin1Char('\n') + texts::environmentLocked : QString()));
}

void PortChooser::onPicked(int index)
{
    m_ports.remember(m_list->itemData(index).toString());
    showPorts(m_present);
}

} // namespace ledglyph
