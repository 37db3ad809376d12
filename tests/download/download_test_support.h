#pragma once

// What the download tests share besides the test desktop: the log lines as
// the download writes them, and a click on one of the window's buttons.

#include "platform/date_time_text.h"
#include "tests/support/test_desktop.h"
#include "tests/support/test_files.h"

#include <QPushButton>
#include <QTest>

namespace ledglyph::test {

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

} // namespace ledglyph::test

