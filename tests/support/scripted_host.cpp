#include "tests/support/scripted_host.h"

namespace ledglyph::test {

namespace {

int classicBoxStyle(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Exclamation:
        return 48;
    case MessageIcon::Information:
        return 64;
    case MessageIcon::Question:
        return 33;
    }
    return 0;
}

} // namespace

MessageAnswer ScriptedHost::show(const QString &prompt, MessageIcon icon, const QString &title)
{
    const int number = int(shown.size());
    shown << QStringLiteral("%1 %2: %3").arg(classicBoxStyle(icon)).arg(title, prompt);
    if (const std::function<void()> meanwhile = whileOpen.take(number))
        meanwhile();
    if (onEveryBox)
        onEveryBox();
    return answers.isEmpty() ? MessageAnswer::Ok : answers.takeFirst();
}

QString ScriptedHost::getOpenFileName(QWidget *, const QString &filter)
{
    filters << filter;
    return files.isEmpty() ? QString() : files.takeFirst();
}

QString ScriptedHost::styles() const
{
    QStringList styles;
    for (const QString &box : shown)
        styles << box.section(QLatin1Char(' '), 0, 0);
    return styles.join(QLatin1Char(' '));
}

} // namespace ledglyph::test
