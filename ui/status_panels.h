#pragma once

#include <QWidget>

#include <array>

class QLabel;

namespace ledglyph {

// The status bar's six panels, from left to right (object names StaB1Panel1
// to StaB1Panel6).
enum class StatusPanel {
    Address,     // the maker's web address, behind the program's icon
    InputCounts, // how many single-byte and Chinese characters the input holds
    Message,     // the conversion's progress and outcome, the scan direction
    Format,      // the output format, C51 or A51
    Date,
    Time,
};
inline constexpr std::array kStatusPanels{StatusPanel::Address, StatusPanel::InputCounts,
                                          StatusPanel::Message, StatusPanel::Format,
                                          StatusPanel::Date,    StatusPanel::Time};

// The main window's status bar: six text panels with fixed widths, side by
// side from the left (the input counts panel a little wider, at the expense of
// the message panel, so that long counts fit); the address panel shows the
// program's icon in front of its text. The window places it along its bottom edge.
class StatusPanels final : public QWidget {
    Q_OBJECT
public:
    explicit StatusPanels(QWidget *parent = nullptr);

    QString panelText(StatusPanel panel) const;
    void setPanelText(StatusPanel panel, const QString &text);
    void clearPanel(StatusPanel panel) { setPanelText(panel, QString()); }
    const QLabel *panelLabel(StatusPanel panel) const;

private:
    QLabel *label(StatusPanel panel) const;

    std::array<QLabel *, kStatusPanels.size()> m_labels{};
};

} // namespace ledglyph
