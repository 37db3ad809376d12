#include "ui/ui_fonts.h"

#include <QStringList>

namespace ledglyph::ui_fonts {

namespace {

const QStringList &cjkFallbacks()
{
    static const QStringList families{
        QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"),
        QStringLiteral("Droid Sans Fallback")};
    return families;
}

QFont withFamilies(QStringList families, qreal pointSize, QFont::Weight weight)
{
    families += cjkFallbacks();
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setWeight(weight);
    return font;
}

} // namespace

QFont songTi(qreal pointSize)
{
    // 宋体 draws Latin characters at half the width of a Chinese one; the
    // dual-width faces after it keep those metrics, so the captions fit the
    // fixed control sizes the way they were laid out.
    return withFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"),
                         QStringLiteral("WenQuanYi Zen Hei Mono"),
                         QStringLiteral("Noto Sans Mono CJK SC")},
                        pointSize, QFont::Normal);
}

QFont kaiTiBold(qreal pointSize)
{
    return withFamilies({QStringLiteral("KaiTi_GB2312"), QStringLiteral("楷体_GB2312"),
                         QStringLiteral("KaiTi"), QStringLiteral("楷体"),
                         QStringLiteral("AR PL UKai CN")},
                        pointSize, QFont::Bold);
}

QFont windowDefault()
{
    return songTi(9);
}

QFont glyphText()
{
    // Faces whose Chinese characters are exactly two Latin columns wide, so a
    // comment naming a Chinese character does not shift the next line.
    QFont font;
    font.setFamilies({QStringLiteral("NSimSun"), QStringLiteral("新宋体"),
                      QStringLiteral("WenQuanYi Zen Hei Mono"),
                      QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("Sarasa Mono SC"),
                      QStringLiteral("DejaVu Sans Mono"), QStringLiteral("monospace")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(10.5);
    return font;
}

} // namespace ledglyph::ui_fonts
