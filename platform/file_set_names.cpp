#include "platform/file_set_names.h"

#include <QRandomGenerator>

#include <algorithm>

namespace ledglyph::file_set_names {

namespace {

constexpr int markLength = 12;

} // namespace

QString newMark()
{
    static const char digits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString mark;
    for (int i = 0; i < markLength; ++i)
        mark += QLatin1Char(digits[QRandomGenerator::system()->bounded(36)]);
    return mark;
}

QString staged(const QString &target, const QString &mark)
{
    return target + QLatin1Char('.') + mark + QStringLiteral(".ledglyph-new");
}

QString kept(const QString &target, const QString &mark)
{
    return target + QLatin1Char('.') + mark + QStringLiteral(".ledglyph-old");
}

QString replacing(const QString &mark)
{
    return mark + QStringLiteral(".ledglyph-replacing");
}

std::optional<Made> madeByWrite(const QString &name)
{
    static const std::pair<QString, Made::Role> endings[] = {
        {QStringLiteral(".ledglyph-new"), Made::Role::Staged},
        {QStringLiteral(".ledglyph-old"), Made::Role::Kept},
        {QStringLiteral(".ledglyph-replacing"), Made::Role::Replacing},
    };
    for (const auto &[ending, role] : endings) {
        if (!name.endsWith(ending))
            continue;
        const QStringView rest = QStringView(name).chopped(ending.size());
        const QStringView mark = rest.right(markLength);
        const bool marked = mark.size() == markLength && std::all_of(mark.begin(), mark.end(), [](QChar c) {
            return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
        });
        const QStringView target = rest.chopped(mark.size());
        // "<target>.<mark>" for a file of the set, the mark alone for the marker.
        const bool shaped = role == Made::Role::Replacing ? target.isEmpty()
                                                          : target.size() > 1 && target.endsWith(u'.');
        if (!marked || !shaped)
            return std::nullopt;
        return Made{role, mark.toString(), target.isEmpty() ? QString() : target.chopped(1).toString()};
    }
    return std::nullopt;
}

} // namespace ledglyph::file_set_names
