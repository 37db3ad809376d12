#include "core/run_refusals.h"

#include "fonts/font_records.h"
#include "platform/code_page_936.h"
#include "platform/code_point_text.h"
#include "platform/gb2312_table.h"
#include "platform/system_reason.h"

#include <QFileInfo>

namespace ledglyph {

namespace {

// Lists name at most this many characters, then the total.
constexpr int listedCharacters = 10;

QString characterName(QStringView ch)
{
    if (ch == u"\r")
        return QStringLiteral("回车符");
    if (ch == u"\n")
        return QStringLiteral("换行符");
    if (ch == u"\t")
        return QStringLiteral("制表符");
    if (ch == u" ")
        return QStringLiteral("空格");
    return {};
}

// Invisible characters and lone surrogates are shown by their code.
bool isShownByCode(QStringView ch)
{
    if (ch.size() == 2)
        return !QChar::isHighSurrogate(ch[0].unicode()) || !QChar::isLowSurrogate(ch[1].unicode());
    const QChar c = ch[0];
    return c.isSurrogate() || !c.isPrint() || c.isSpace();
}

QString codeText(QStringView ch)
{
    const char32_t code = ch.size() == 2 && ch[0].isHighSurrogate() && ch[1].isLowSurrogate()
                              ? QChar::surrogateToUcs4(ch[0], ch[1])
                              : ch[0].unicode();
    return codePointText(code);
}

// “啊”, or （回车符） / （U+200B） for what cannot be seen between quotes.
QString shownCharacter(QStringView ch)
{
    const QString name = characterName(ch);
    if (!name.isEmpty())
        return QStringLiteral("（%1）").arg(name);
    if (isShownByCode(ch))
        return QStringLiteral("（%1）").arg(codeText(ch));
    return QStringLiteral("“%1”").arg(ch.toString());
}

QString joinedLabels(const QStringList &labels)
{
    QString joined = labels.mid(0, listedCharacters).join(QStringLiteral("、"));
    if (labels.size() > listedCharacters)
        joined += QStringLiteral("等共%1个字符").arg(labels.size());
    return joined;
}

// One character as the user counts it: a surrogate pair is one character.
qsizetype characterLength(const QString &text, qsizetype i)
{
    if (i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate())
        return 2;
    return 1;
}

} // namespace

QString textCharacterLabel(int position, QStringView ch)
{
    return QStringLiteral("第%1个字符").arg(position) + shownCharacter(ch);
}

QString bannerCharacterLabel(QStringView ch)
{
    return QStringLiteral("横幅文字中的") + shownCharacter(ch);
}

Status checkInput(const QString &text, CellMode mode)
{
    qsizetype characters = 0;
    for (qsizetype i = 0; i < text.size(); i += characterLength(text, i))
        ++characters;
    if (characters > maxTextLength) {
        return Failure{QStringLiteral("输入的字符太多：共%1个字符，一次最多只能取模%2个字符"
                              "（换行算两个字符）。请删去%3个字符后再取模。")
            .arg(characters)
            .arg(maxTextLength)
            .arg(characters - maxTextLength)};
    }
    QStringList nulCharacters;
    QStringList notInLibrary;
    QStringList doubleByteIn8x16;
    int position = 0;
    for (qsizetype i = 0; i < text.size(); i += characterLength(text, i)) {
        ++position;
        const QStringView ch = QStringView(text).mid(i, characterLength(text, i));
        const std::optional<qint16> code = cp936::charCode(ch);
        if (!code || (*code != 0 && !cp936::isAscii(*code) && !cp936::isAssignedGb2312(*code)))
            notInLibrary << textCharacterLabel(position, ch);
        else if (*code == 0)
            nulCharacters << QStringLiteral("第%1个字符").arg(position);
        else if (*code < 0 && mode == CellMode::Cell8x16)
            doubleByteIn8x16 << textCharacterLabel(position, ch);
    }

    QStringList reasons;
    if (!nulCharacters.isEmpty()) {
        reasons << QStringLiteral("输入中有空字符（编码为0的控制字符），无法取模：%1。"
                                  "请删除后再取模。")
                       .arg(joinedLabels(nulCharacters));
    }
    if (!notInLibrary.isEmpty()) {
        // 8*16 takes no Chinese characters at all: there they are simply not ASCII.
        reasons << (mode == CellMode::Cell8x16
                        ? QStringLiteral("8*16格式时只能取模ASCII字符，以下字符不是 ASCII 字符：%1。"
                                         "请删除或替换这些字符后再取模。")
                        : QStringLiteral("字库中没有以下字符的字模（只能取模GB2312汉字、全角符号和ASCII字符）："
                                         "%1。请删除或替换这些字符后再取模。"))
                       .arg(joinedLabels(notInLibrary));
    }
    if (!doubleByteIn8x16.isEmpty()) {
        reasons << QStringLiteral("8*16格式时不能取模汉字和全角字符：%1。"
                                  "要对汉字取模请选择16*16格式，或删除这些字符后再取模。")
                       .arg(joinedLabels(doubleByteIn8x16));
    }
    if (reasons.isEmpty())
        return {};
    return Failure{reasons.join(QLatin1Char('\n'))};
}

QString fontRefusal(const fonts::FontRead &read, const QString &fontPath,
                    const QString &characterLabel)
{
    const QFileInfo info(fontPath);
    switch (read.kind) {
    case fonts::FontRead::Kind::Missing:
        return QStringLiteral("找不到字库文件“%1”，无法取得%2的字模。"
                              "请把字库文件%3放到文件夹“%4”中后再取模。")
            .arg(fontPath, characterLabel, info.fileName(), info.absolutePath());
    case fonts::FontRead::Kind::Unreadable:
        return withSystemReason(QStringLiteral("无法读取字库文件“%1”，无法取得%2的字模。"
                                               "请检查该文件是否完好、是否有读取权限后再取模。")
                                    .arg(fontPath, characterLabel),
                                read.systemError);
    case fonts::FontRead::Kind::TooShort:
        return QStringLiteral("字库文件“%1”不完整：只有%2字节，而读取%3的字模需要至少%4字节。"
                              "请换用完整的字库文件（hzk16应有%5字节，ASC16应有%6字节）后再取模。")
            .arg(fontPath, QString::number(read.fileSize), characterLabel,
                 QString::number(read.neededSize), QString::number(fonts::hzFileSizeOf87Zones),
                 QString::number(fonts::ascFileSize));
    }
    Q_UNREACHABLE();
    return {};
}

} // namespace ledglyph
