#pragma once

#include <QWidget>

#include <array>

class QLabel;

namespace ledglyph {

// The main window's status bar: six text panels numbered 1 to 6 with fixed
// widths, side by side from the left; panel 1 shows the program's icon in
// front of its text. The window places it along its bottom edge.
class StatusPanels final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCount = 6;

    explicit StatusPanels(QWidget *parent = nullptr);

    QString panelText(int panel) const;
    void setPanelText(int panel, const QString &text);
    void clearPanel(int panel) { setPanelText(panel, QString()); }
    const QLabel *panelLabel(int panel) const;

private:
    QLabel *label(int panel) const;

    std::array<QLabel *, kCount> m_labels{};
};

} // namespace ledglyph
