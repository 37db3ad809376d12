#include "download/download_log.h"

#include "platform/date_time_text.h"

namespace ledglyph {

DownloadLog::DownloadLog(const Clock &clock, QObject *parent) : QObject(parent), m_clock(clock)
{
}

void DownloadLog::replace(const QString &text, Focus focus)
{
    m_text = text;
    emit changed(focus);
}

void DownloadLog::append(const QString &message, Form form)
{
    QString text = m_text + u'\n';
    if (form == Form::AfterEmptyLine)
        text += u'\n';
    text += message + timeOfDay();
    if (form == Form::EndedByBreak)
        text += u'\n';
    replace(text, Focus::AtEnd);
}

QString DownloadLog::timeOfDay() const
{
    return timeText(m_clock.now().time());
}

} // namespace ledglyph
