#pragma once

// Small font libraries written by the tests, with a distinct byte for every
// record and row, so that a wrong offset, side, mirror or inversion shows as
// a wrong byte. Expected cells are derived here from the data layout rules,
// independently of the code under test.

#include "tests/support/test_files.h"

#include <algorithm>

namespace ledglyph::test {

// Row `row` of the ASC16 record of `code`; byte `i` of hzk16 record `record`.
// Neighbouring rows and the rows of neighbouring records differ.
inline quint8 ascRow(int code, int row) { return static_cast<quint8>(code * 7 + row * 16 + 1); }
inline quint8 hzByte(int record, int i) { return static_cast<quint8>(record * 3 + i * 5 + 7); }

// Both libraries cut to the sizes given (full: ASC16 4,096, hzk16 of 87 zones
// 261,696; -1: no file).
inline void writeFonts(const QString &dir, qint64 ascSize = 4096, qint64 hzSize = 261696)
{
    QByteArray asc;
    for (int i = 0; i < 4096; ++i)
        asc.append(static_cast<char>(ascRow(i / 16, i % 16)));
    QByteArray hz;
    for (int i = 0; i < 261696; ++i)
        hz.append(static_cast<char>(hzByte(i / 32, i % 32)));
    if (ascSize >= 0)
        writeFile(dir + QStringLiteral("/ASC16"), asc.left(ascSize));
    if (hzSize >= 0)
        writeFile(dir + QStringLiteral("/hzk16"), hz.left(hzSize));
}

// A stored byte: bit-reversed through its binary digits when mirrored (done
// differently from the product), then complemented when inverted.
inline char transformed(quint8 v, bool mirror, bool invert)
{
    if (mirror) {
        QString digits = QStringLiteral("%1").arg(v, 8, 2, QLatin1Char('0'));
        std::reverse(digits.begin(), digits.end());
        v = static_cast<quint8>(digits.toUInt(nullptr, 2));
    }
    return static_cast<char>(invert ? 255 - v : v);
}

// Expected cells (32 bytes) as a run stores them. The mirror reverses a whole
// 16-dot Chinese row, (L, R) becoming (reversed R, reversed L); an ASCII
// character in 16*16 mode stays in the left bytes.
inline QByteArray hzCell(int record, bool mirror, bool invert)
{
    QByteArray cell;
    for (int i = 0; i < 32; ++i) // i ^ 1: the other byte of the row
        cell.append(transformed(hzByte(record, mirror ? i ^ 1 : i), mirror, invert));
    return cell;
}

inline QByteArray ascCell16(int code, bool mirror, bool invert)
{
    QByteArray cell;
    for (int r = 0; r < 16; ++r)
        cell.append(transformed(ascRow(code, r), mirror, invert)).append(invert ? '\xFF' : '\0');
    return cell;
}

// A pair cell: `first` in the right bytes, `second` (or nothing when -1) in the left.
inline QByteArray pairCell(int first, int second, bool mirror, bool invert)
{
    QByteArray cell;
    for (int r = 0; r < 16; ++r)
        cell.append(second < 0 ? '\0' : transformed(ascRow(second, r), mirror, invert))
            .append(transformed(ascRow(first, r), mirror, invert));
    return cell;
}

// Single-byte characters two to a cell, as in 8*16 mode: the last one alone
// when the count is odd.
inline QByteArray pairCells(const QByteArray &text, bool mirror, bool invert)
{
    QByteArray cells;
    for (qsizetype k = 0; k < text.size(); k += 2)
        cells += pairCell(text.at(k), k + 1 < text.size() ? text.at(k + 1) : -1, mirror, invert);
    return cells;
}

// The 11 banner cells: two spaces, "www.qorvath.test", four spaces.
inline QByteArray bannerCells(bool mirror, bool invert)
{
    return pairCells("  www.qorvath.test    ", mirror, invert);
}

} // namespace ledglyph::test
