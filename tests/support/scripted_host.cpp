#include "tests/support/scripted_host.h"

namespace ledglyph::test {

MessageAnswer ScriptedHost::show(const QString &prompt, MessageIcon icon, const QString &title)
{
    const QString kind = icon == MessageIcon::Exclamation   ? QStringLiteral("warning")
                         : icon == MessageIcon::Information ? QStringLiteral("information")
                                                            : QStringLiteral("question");
    shown << QStringLiteral("%1 %2: %3").arg(kind, title, prompt);
    if (onEveryBox)
        onEveryBox();
    return answers.isEmpty() ? MessageAnswer::Ok : answers.takeFirst();
}

QString ScriptedHost::getOpenFileName(QWidget *, const QString &filter)
{
    filters << filter;
    return files.isEmpty() ? QString() : files.takeFirst();
}

} // namespace ledglyph::test
