#pragma once

// The main window's fixed texts: what its handlers show in the output box and
// the status panels, the line naming the output folder, and the input
// refusals of 8*16 mode.

#include <QString>

namespace ledglyph::main_window_texts {

inline const QString enterCharacters = QStringLiteral("请输入字符");
inline const QString formatC51 = QStringLiteral("C51格式");
inline const QString formatA51 = QStringLiteral("A51格式");
inline const QString horizontalMode = QStringLiteral("取模方式为横向取模");
// In the message panel while a conversion runs.
inline const QString conversionInProgress = QStringLiteral("正在进行转换，请稍等....");

inline const QString explainA51 = QStringLiteral("字模输出格式为按汇编程序的格式输出。");
inline const QString explainC51 = QStringLiteral("字模输出格式为按C51程序的格式输出。");
inline const QString explain8x16 = QStringLiteral(
    "字模输出格式为：8*16格式，只对字符有效。此时无法输入汉字取模。两个字符合成一个16*16的点阵字模");
inline const QString explain16x16 = QStringLiteral(
    "字模输出格式为：16*16格式，可以输入字符和汉字。字符按16*16的格式输出。");
inline const QString explainInvert = QStringLiteral(
    "对字模进行调整。将1变为0，0为变为1。效果为亮的地方变为不亮，不亮的变亮");
inline const QString explainMirror = QStringLiteral(
    "对字节进行调整，每字节中的第0位调整到第7位、第1位调整到第6位.....第7位调到第0位。");

// Above the glyph text when the outputs are not beside the program.
inline QString outputsWrittenTo(const QString &folder)
{
    return QStringLiteral("hz.txt、Tempchar.txt、zimuo.bin 已写入：") + folder;
}

inline const QString chineseRefusedIn8x16 =
    QStringLiteral("注意：8*16格式时不允许输入汉字，要对汉字取模请选择16*16格式！");
// In 8*16 mode for a character that is no Chinese character either (an emoji);
// `character` as "第2个字符“😀”".
inline QString notAsciiRefusedIn8x16(const QString &character)
{
    return QStringLiteral("注意：8*16格式时只能输入ASCII字符，%1不是 ASCII 字符！").arg(character);
}

} // namespace ledglyph::main_window_texts
