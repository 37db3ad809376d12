#include "tools/fontgen/freetype_font_reader.h"

#include "platform/code_page_936.h"
#include "platform/code_point_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BDF_H
#include FT_FONT_FORMATS_H
#include FT_OUTLINE_H

#include <algorithm>
#include <memory>

namespace ledglyph::fontgen {

namespace {

constexpr int pixelSize = 16;
// No glyph of a sane 16-pixel font reaches this far from its origin; a larger
// bitmap, outline or advance marks a malformed font and is never rendered.
constexpr int maxGlyphReach = 256;

enum class Codes { Unicode, Gb2312Bdf, Gb2312Prc };

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryHandle = std::unique_ptr<FT_LibraryRec_, LibraryDeleter>;
using FaceHandle = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

QString characterName(char32_t c)
{
    return codePointText(c) + QStringLiteral("（%1）").arg(QString::fromUcs4(&c, 1));
}

// The font's code for a character, or 0 when it has none in these codes.
FT_ULong fontCode(char32_t c, Codes codes)
{
    if (codes == Codes::Unicode)
        return c;
    const std::optional<QByteArray> bytes = cp936::encode(QString::fromUcs4(&c, 1));
    if (!bytes || bytes->size() != 2)
        return 0;
    const FT_ULong gb = (FT_ULong(quint8(bytes->at(0))) << 8) | quint8(bytes->at(1));
    return codes == Codes::Gb2312Prc ? gb : (gb & 0x7F7F);
}

// How a BDF or PCF font's registry names its codes; nothing when it is not one we read.
std::optional<Codes> bitmapFontCodes(FT_Face face, QString &charset)
{
    const char *registry = nullptr;
    const char *encoding = nullptr;
    if (FT_Get_BDF_Charset_ID(face, &encoding, &registry) != 0 || !registry || !encoding)
        return Codes::Unicode; // a font naming no charset: codes taken as Unicode
    const QByteArray reg = QByteArray(registry).toUpper();
    const QByteArray enc = QByteArray(encoding).toUpper();
    charset = QString::fromLatin1(reg + '-' + enc);
    if (reg == "ISO10646" || (reg == "ISO8859" && enc == "1"))
        return Codes::Unicode;
    if (reg == "GB2312.1980")
        return Codes::Gb2312Bdf;
    return std::nullopt;
}

// The strike nearest to 16 pixels of a bitmap-only font (the smaller on a tie).
int nearestStrike(FT_Face face)
{
    int best = 0;
    const auto distance = [&](int i) {
        const int size = int((face->available_sizes[i].y_ppem + 32) >> 6);
        return std::pair{std::abs(size - pixelSize), size};
    };
    for (int i = 1; i < face->num_fixed_sizes; ++i) {
        if (distance(i) < distance(best))
            best = i;
    }
    return best;
}

// The glyph slot's bitmap as a Glyph; false when it is not a 1- or 8-bit bitmap.
bool copyBitmap(const FT_GlyphSlot slot, Glyph &glyph)
{
    const FT_Bitmap &bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        return false;
    glyph.boxWidth = int(bitmap.width);
    glyph.boxHeight = int(bitmap.rows);
    glyph.boxX = slot->bitmap_left;
    glyph.boxY = slot->bitmap_top - glyph.boxHeight;
    const int bytesPerRow = (glyph.boxWidth + 7) / 8;
    const int pitch = std::abs(bitmap.pitch);
    for (int row = 0; row < glyph.boxHeight; ++row) {
        // A negative pitch stores the rows bottom up.
        const unsigned char *source = bitmap.buffer + (bitmap.pitch >= 0 ? row : glyph.boxHeight - 1 - row) * pitch;
        QByteArray bytes(bytesPerRow, '\0');
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
            std::copy_n(source, bytesPerRow, bytes.data());
        } else {
            for (int x = 0; x < glyph.boxWidth; ++x) {
                if (source[x] >= 128) // a grey dot at least half dark is lit
                    bytes[x / 8] = char(quint8(bytes[x / 8]) | (0x80 >> (x % 8)));
            }
        }
        glyph.rows.append(bytes);
    }
    return true;
}

bool withinReach(long value)
{
    return value >= -maxGlyphReach && value <= maxGlyphReach;
}

struct RenderedGlyph {
    Glyph glyph;
    bool fromStrike = false; // taken from an embedded bitmap, not rendered from the outline
};

// Renders one glyph at the selected size, or says what is wrong with it.
Result<RenderedGlyph> renderGlyph(FT_Face face, FT_UInt index)
{
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0)
        return Failure{QStringLiteral("无法读取")};
    const FT_GlyphSlot slot = face->glyph;
    RenderedGlyph rendered{.glyph = {}, .fromStrike = slot->format == FT_GLYPH_FORMAT_BITMAP};
    Glyph &glyph = rendered.glyph;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_BBox box;
        FT_Outline_Get_CBox(&slot->outline, &box);
        if (!withinReach(box.xMin >> 6) || !withinReach(box.xMax >> 6) || !withinReach(box.yMin >> 6)
            || !withinReach(box.yMax >> 6))
            return Failure{QStringLiteral("轮廓超出 %1 点").arg(maxGlyphReach)};
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
            return Failure{QStringLiteral("无法渲染")};
    } else if (slot->format != FT_GLYPH_FORMAT_BITMAP) {
        return Failure{QStringLiteral("格式不受支持")};
    }
    if (int(slot->bitmap.width) > maxGlyphReach || int(slot->bitmap.rows) > maxGlyphReach
        || !withinReach(slot->bitmap_left) || !withinReach(slot->bitmap_top))
        return Failure{QStringLiteral("点阵超出 %1 点").arg(maxGlyphReach)};
    // A damaged bitmap font can give a glyph its size but no dots, or rows
    // shorter than its width, to go with it.
    const FT_Bitmap &bitmap = slot->bitmap;
    const unsigned rowBytes = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (bitmap.width + 7) / 8 : bitmap.width;
    if (bitmap.width > 0 && bitmap.rows > 0 && (!bitmap.buffer || unsigned(std::abs(bitmap.pitch)) < rowBytes))
        return Failure{QStringLiteral("没有点阵数据")};
    const long advance = (slot->advance.x + 32) >> 6;
    if (advance < 0 || advance > maxGlyphReach)
        return Failure{QStringLiteral("字宽 %1 点不合理").arg(advance)};
    glyph.advance = int(advance);
    if (!copyBitmap(slot, glyph))
        return Failure{QStringLiteral("点阵格式不受支持")};
    return rendered;
}

// The font's line: the rows its hanzi reach (all glyphs when it has no hanzi).
void measureLine(BitmapFont &font)
{
    for (const bool hanziOnly : {true, false}) {
        int top = INT_MIN;
        int bottom = INT_MAX;
        for (auto it = font.glyphs.cbegin(); it != font.glyphs.cend(); ++it) {
            const bool hanzi = it.key() >= 0x4E00 && it.key() <= 0x9FFF;
            if ((hanziOnly && !hanzi) || it->boxHeight == 0)
                continue;
            top = std::max(top, it->boxY + it->boxHeight);
            bottom = std::min(bottom, it->boxY);
        }
        if (top > bottom) {
            font.boxHeight = top - bottom;
            font.boxY = bottom;
            return;
        }
    }
}

} // namespace

FontReadResult readFreeTypeFont(const QByteArray &fontBytes, int faceIndex, const CharacterSet &wanted,
                                const QString &name)
{
    LoadedFont result;
    const auto fail = [&](const QString &problem) -> FontReadResult {
        return Failure{QStringLiteral("%1：%2").arg(name, problem)};
    };

    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0)
        return fail(QStringLiteral("无法初始化 FreeType"));
    const LibraryHandle library(rawLibrary);

    const auto openFace = [&](FT_Long index) -> FaceHandle {
        FT_Face face = nullptr;
        if (FT_New_Memory_Face(library.get(), reinterpret_cast<const FT_Byte *>(fontBytes.constData()),
                               FT_Long(fontBytes.size()), index, &face) != 0)
            return nullptr;
        return FaceHandle(face);
    };
    const FaceHandle first = openFace(0);
    if (!first)
        return fail(QStringLiteral("不是可以读取的字体文件（支持 BDF、PCF、TrueType、OpenType），或文件已损坏"));
    if (faceIndex >= first->num_faces)
        return fail(QStringLiteral("字体集只有 %1 个字体（--face 0 到 %2）").arg(first->num_faces).arg(first->num_faces - 1));
    const FaceHandle face = faceIndex == 0 ? FaceHandle() : openFace(faceIndex);
    FT_Face f = faceIndex == 0 ? first.get() : face.get();
    if (!f)
        return fail(QStringLiteral("无法读取第 %1 个字体，文件已损坏").arg(faceIndex));

    // X11 bitmap fonts name their codes by a registry; other fonts carry cmaps.
    Codes codes = Codes::Unicode;
    const QByteArray format = FT_Get_Font_Format(f);
    if (format == "BDF" || format == "PCF") {
        QString charset;
        const std::optional<Codes> bitmapCodes = bitmapFontCodes(f, charset);
        if (!bitmapCodes)
            return fail(QStringLiteral("不支持的字符集 %1（支持 ISO10646-1、ISO8859-1、GB2312.1980-0）").arg(charset));
        codes = *bitmapCodes;
        if (f->num_charmaps < 1 || FT_Set_Charmap(f, f->charmaps[0]) != 0)
            return fail(QStringLiteral("点阵字体没有字符映射表，文件已损坏"));
    } else if (FT_Select_Charmap(f, FT_ENCODING_UNICODE) == 0) {
        codes = Codes::Unicode;
    } else if (FT_Select_Charmap(f, FT_ENCODING_PRC) == 0) {
        codes = Codes::Gb2312Prc;
    } else {
        return fail(QStringLiteral("字体没有 Unicode 或 GB2312 字符映射表"));
    }
    // A scalable font's 16-pixel bitmap strike, when it has one, is used by
    // FreeType for every glyph it holds; the rest come from the outlines.
    const bool sized = FT_IS_SCALABLE(f) ? FT_Set_Pixel_Sizes(f, 0, pixelSize) == 0
                                         : f->num_fixed_sizes > 0 && FT_Select_Size(f, nearestStrike(f)) == 0;
    if (!sized)
        return fail(QStringLiteral("无法选用 16 点的字号，文件已损坏"));

    for (const char32_t c : wanted) {
        const FT_ULong code = fontCode(c, codes);
        const FT_UInt index = code ? FT_Get_Char_Index(f, code) : 0;
        if (index == 0)
            continue;
        const Result<RenderedGlyph> rendered = renderGlyph(f, index);
        if (!rendered.ok())
            return fail(QStringLiteral("字符 %1的字形%2，字体文件已损坏").arg(characterName(c), rendered.error().message));
        result.font.glyphs.insert(c, rendered.value().glyph);
        if (FT_IS_SCALABLE(f))
            ++(rendered.value().fromStrike ? result.embeddedBitmaps : result.renderedOutlines);
    }
    if (result.font.glyphs.isEmpty())
        return fail(QStringLiteral("没有任何 GB2312 或单字节字符的字形"));
    measureLine(result.font);
    return result;
}

} // namespace ledglyph::fontgen
