#include "tools/fontgen/bdf_font_reader.h"

#include "platform/code_page_936.h"

#include <QFile>
#include <QList>

#include <optional>

namespace ledglyph::fontgen {

namespace {

enum class Charset { Unicode, Gb2312 };

// The file's lines, split into blank-separated words.
class BdfLines {
public:
    explicit BdfLines(QFile &file) : m_file(file) {}

    // The next non-empty line's words; nothing at the end of the file.
    std::optional<QList<QByteArray>> next()
    {
        while (!m_file.atEnd()) {
            const QByteArray line = m_file.readLine().simplified();
            ++m_number;
            if (!line.isEmpty())
                return line.split(' ');
        }
        return std::nullopt;
    }
    int number() const { return m_number; }

private:
    QFile &m_file;
    int m_number = 0;
};

bool toInts(const QList<QByteArray> &words, int count, QList<int> &values)
{
    if (words.size() < count + 1)
        return false;
    values.clear();
    for (int i = 1; i <= count; ++i) {
        bool ok = false;
        values.append(words.at(i).toInt(&ok));
        if (!ok)
            return false;
    }
    return true;
}

QByteArray unquoted(const QList<QByteArray> &words)
{
    QByteArray value = words.mid(1).join(' ');
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        value = value.mid(1, value.size() - 2);
    return value;
}

std::optional<char32_t> gb2312Character(int encoding)
{
    const int first = encoding >> 8;
    const int second = encoding & 0xFF;
    if (first < 0x21 || first > 0x7E || second < 0x21 || second > 0x7E)
        return std::nullopt;
    QByteArray bytes;
    bytes.append(static_cast<char>(first | 0x80)).append(static_cast<char>(second | 0x80));
    const QList<uint> text = cp936::decode(bytes).toUcs4();
    if (text.size() != 1 || text.first() == 0xFFFD)
        return std::nullopt;
    return text.first();
}

class BdfParser {
public:
    BdfParser(const QString &path, QFile &file) : m_path(path), m_lines(file) {}

    FontReadResult parse()
    {
        if (!parseHeader() || !parseGlyphs())
            return m_result;
        if (m_result.font.glyphs.isEmpty())
            m_result.error = QStringLiteral("%1 中没有任何带编码的字形").arg(m_path);
        return m_result;
    }

private:
    bool fail(const QString &problem)
    {
        m_result.error = QStringLiteral("%1 第 %2 行：%3").arg(m_path).arg(m_lines.number()).arg(problem);
        return false;
    }

    bool parseHeader()
    {
        const auto first = m_lines.next();
        if (!first || first->first() != "STARTFONT") {
            m_result.error = QStringLiteral("%1 不是 BDF 字体文件（缺少 STARTFONT）").arg(m_path);
            return false;
        }
        bool haveBox = false;
        QByteArray registry;
        QByteArray encoding;
        while (const auto words = m_lines.next()) {
            const QByteArray &key = words->first();
            if (key == "FONTBOUNDINGBOX") {
                QList<int> v;
                if (!toInts(*words, 4, v) || v[0] <= 0 || v[1] <= 0)
                    return fail(QStringLiteral("FONTBOUNDINGBOX 应为四个整数：宽 高 横向偏移 纵向偏移"));
                m_fontWidth = v[0];
                m_result.font.boxHeight = v[1];
                m_result.font.boxY = v[3];
                haveBox = true;
            } else if (key == "CHARSET_REGISTRY") {
                registry = unquoted(*words).toUpper();
            } else if (key == "CHARSET_ENCODING") {
                encoding = unquoted(*words).toUpper();
            } else if (key == "CHARS") {
                if (!haveBox)
                    return fail(QStringLiteral("CHARS 之前缺少 FONTBOUNDINGBOX"));
                return chooseCharset(registry, encoding);
            }
        }
        return fail(QStringLiteral("文件在 CHARS 之前结束"));
    }

    bool chooseCharset(const QByteArray &registry, const QByteArray &encoding)
    {
        if (registry.isEmpty() || registry == "ISO10646" || (registry == "ISO8859" && encoding == "1")) {
            m_charset = Charset::Unicode;
            return true;
        }
        if (registry == "GB2312.1980" || registry == "GB2312") {
            m_charset = Charset::Gb2312;
            return true;
        }
        return fail(QStringLiteral("不支持的字符集 %1-%2（支持 ISO10646-1、ISO8859-1、GB2312.1980-0）")
                        .arg(QString::fromLatin1(registry), QString::fromLatin1(encoding)));
    }

    bool parseGlyphs()
    {
        while (const auto words = m_lines.next()) {
            const QByteArray &key = words->first();
            if (key == "ENDFONT")
                return true;
            if (key != "STARTCHAR")
                return fail(QStringLiteral("应为 STARTCHAR 或 ENDFONT，而不是 %1").arg(QString::fromLatin1(key)));
            if (!parseGlyph())
                return false;
        }
        return fail(QStringLiteral("文件在 ENDFONT 之前结束"));
    }

    bool parseGlyph()
    {
        Glyph glyph;
        glyph.advance = m_fontWidth;
        int encodingValue = -1;
        bool haveEncoding = false;
        bool haveBox = false;
        while (const auto words = m_lines.next()) {
            const QByteArray &key = words->first();
            QList<int> v;
            if (key == "ENCODING") {
                if (!toInts(*words, 1, v))
                    return fail(QStringLiteral("ENCODING 应为整数"));
                encodingValue = v[0];
                haveEncoding = true;
            } else if (key == "DWIDTH") {
                if (!toInts(*words, 2, v) || v[0] < 0)
                    return fail(QStringLiteral("DWIDTH 应为两个整数"));
                glyph.advance = v[0];
            } else if (key == "BBX") {
                if (!toInts(*words, 4, v) || v[0] < 0 || v[1] < 0)
                    return fail(QStringLiteral("BBX 应为四个整数：宽 高 横向偏移 纵向偏移"));
                glyph.boxWidth = v[0];
                glyph.boxHeight = v[1];
                glyph.boxX = v[2];
                glyph.boxY = v[3];
                haveBox = true;
            } else if (key == "BITMAP") {
                if (!haveEncoding || !haveBox)
                    return fail(QStringLiteral("BITMAP 之前缺少 ENCODING 或 BBX"));
                if (!readBitmap(glyph))
                    return false;
                return store(encodingValue, glyph);
            } else if (key == "ENDCHAR" || key == "STARTCHAR" || key == "ENDFONT") {
                return fail(QStringLiteral("字形缺少 BITMAP"));
            }
        }
        return fail(QStringLiteral("文件在字形中间结束"));
    }

    bool readBitmap(Glyph &glyph)
    {
        const int digits = (glyph.boxWidth + 7) / 8 * 2;
        while (const auto words = m_lines.next()) {
            const QByteArray &row = words->first();
            if (row == "ENDCHAR") {
                if (glyph.rows.size() != glyph.boxHeight)
                    return fail(QStringLiteral("点阵有 %1 行，BBX 给出 %2 行").arg(glyph.rows.size()).arg(glyph.boxHeight));
                return true;
            }
            const QByteArray bytes = QByteArray::fromHex(row);
            if (words->size() != 1 || row.size() < digits || row.size() % 2 != 0
                || bytes.size() * 2 != row.size())
                return fail(QStringLiteral("点阵行应为至少 %1 位十六进制数字").arg(digits));
            glyph.rows.append(bytes);
        }
        return fail(QStringLiteral("文件在 ENDCHAR 之前结束"));
    }

    bool store(int encodingValue, const Glyph &glyph)
    {
        if (encodingValue < 0)
            return true; // unencoded glyph: no character to place it at
        std::optional<char32_t> character = static_cast<char32_t>(encodingValue);
        if (m_charset == Charset::Gb2312)
            character = gb2312Character(encodingValue);
        if (!character || *character > 0x10FFFF)
            return true; // a code with no character: nothing can ask for it
        if (m_result.font.glyphs.contains(*character))
            return fail(QStringLiteral("编码 %1 重复出现").arg(encodingValue));
        m_result.font.glyphs.insert(*character, glyph);
        return true;
    }

    QString m_path;
    BdfLines m_lines;
    FontReadResult m_result;
    int m_fontWidth = 0;
    Charset m_charset = Charset::Unicode;
};

} // namespace

FontReadResult readBdfFont(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        FontReadResult result;
        result.error = QStringLiteral("无法打开字体文件 %1：%2").arg(path, file.errorString());
        return result;
    }
    return BdfParser(path, file).parse();
}

} // namespace ledglyph::fontgen
