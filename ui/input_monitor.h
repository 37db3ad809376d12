#pragma once

#include <QObject>

class QAbstractButton;
class QPlainTextEdit;

namespace ledglyph {

class MessageBox;
class StatusPanels;

// Watches the input box: the input counts panel shows how many single-byte and
// how many Chinese characters it holds, and while 8*16 is selected every change
// that leaves a Chinese character (or one code page 936 cannot encode) in the
// box is refused, one message and one character cut from the end at a time,
// until none is left.
class InputMonitor final : public QObject {
    Q_OBJECT
public:
    InputMonitor(QPlainTextEdit &inputBox, const QAbstractButton &cell8x16Option, StatusPanels &panels,
                 MessageBox &messageBox, QObject *parent = nullptr);

    // Runs on every change of the input box's text.
    void onInputChanged();

private:
    QPlainTextEdit &m_inputBox;
    const QAbstractButton &m_cell8x16Option;
    StatusPanels &m_panels;
    MessageBox &m_messageBox;
};

} // namespace ledglyph
