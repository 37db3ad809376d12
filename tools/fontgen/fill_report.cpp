#include "tools/fontgen/fill_report.h"

#include "platform/code_point_text.h"

#include <QStringList>

namespace ledglyph::fontgen {

namespace {

constexpr int namedMissing = 10;

QString missingText(const LibraryBuild &build)
{
    QString text = QStringLiteral("%1 个字符字库中没有字形").arg(build.missing.size());
    if (build.missing.isEmpty())
        return text;
    QStringList names;
    for (const char32_t c : build.missing.mid(0, namedMissing))
        names << codePointText(c);
    if (build.missing.size() > namedMissing)
        names << QStringLiteral("…");
    return text + QStringLiteral("：") + names.join(QLatin1Char(' '));
}

} // namespace

QString hzk16Report(const LibraryBuild &build)
{
    return QStringLiteral("hzk16：已填入 %1 个位置，共 %2 个（%3 个位置没有字符；%4；%5 个半角字形居中）")
        .arg(build.filled)
        .arg(build.positions)
        .arg(build.withoutCharacter)
        .arg(missingText(build))
        .arg(build.centred.size());
}

QString asc16Report(const LibraryBuild &build)
{
    return QStringLiteral("ASC16：已填入 %1 个位置，共 %2 个（%3 个控制码留空；%4）")
        .arg(build.filled)
        .arg(build.positions)
        .arg(build.withoutCharacter)
        .arg(missingText(build));
}

} // namespace ledglyph::fontgen
