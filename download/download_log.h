#pragma once

#include "platform/clock.h"

#include <QObject>
#include <QString>

namespace ledglyph {

// The exact text of the download window's text box (help text, hex listing and
// log), its lines ended by line feeds. The box shows a copy.
class DownloadLog : public QObject {
    Q_OBJECT
public:
    // How a log line joins the text: after one line break; after an empty
    // line; or after one line break and ended by another.
    enum class Form { Line, AfterEmptyLine, EndedByBreak };

    // Where the box's focus goes after a change: left where it is, or into
    // the box with the caret behind the last character.
    enum class Focus { Unchanged, AtEnd };

    explicit DownloadLog(const Clock &clock, QObject *parent = nullptr);

    const QString &text() const { return m_text; }

    // Replaces the whole text.
    void replace(const QString &text, Focus focus);

    // Old text, the line break(s) of `form`, the message, the time of day.
    // The box then takes the focus with the caret at the end.
    void append(const QString &message, Form form = Form::Line);

    // The current time of day as the system writes a time.
    QString timeOfDay() const;

signals:
    void changed(DownloadLog::Focus focus);

private:
    const Clock &m_clock;
    QString m_text;
};

} // namespace ledglyph
