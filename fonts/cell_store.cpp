#include "fonts/cell_store.h"

#include "fonts/bit_reversal.h"
#include "fonts/font_records.h"
#include "fonts/glyph_geometry.h"

namespace ledglyph::fonts {

namespace {

quint8 byteAt(QByteArrayView bytes, qint32 index)
{
    return static_cast<quint8>(bytes.at(index));
}

void put(QByteArray &buffer, qint32 index, quint8 value)
{
    buffer[index] = static_cast<char>(value);
}

} // namespace

void storeHzCell(QByteArray &buffer, qint32 cellOffset, QByteArrayView record, bool mirror)
{
    Q_ASSERT(record.size() == hzRecordSize);
    Q_ASSERT(cellOffset >= 0 && cellOffset + cellBytes <= buffer.size());
    for (int r = 0; r < rowsPerCell; ++r) {
        const quint8 left = byteAt(record, 2 * r);
        const quint8 right = byteAt(record, 2 * r + 1);
        if (mirror) {
            put(buffer, cellOffset + 2 * r, reverseBits(right));
            put(buffer, cellOffset + 2 * r + 1, reverseBits(left));
        } else {
            put(buffer, cellOffset + 2 * r, left);
            put(buffer, cellOffset + 2 * r + 1, right);
        }
    }
}

void storeAscHalfCell(QByteArray &buffer, qint32 cellOffset, QByteArrayView record, bool mirror)
{
    Q_ASSERT(record.size() == ascRecordSize);
    Q_ASSERT(cellOffset >= 0 && cellOffset + cellBytes <= buffer.size());
    for (int j = 0; j < rowsPerCell; ++j) {
        const quint8 row = byteAt(record, j);
        put(buffer, cellOffset + 2 * j, mirror ? reverseBits(row) : row);
    }
}

void storePairSide(QByteArray &buffer, qint32 cellOffset, PairSide side, QByteArrayView record,
                   bool mirror, bool invert)
{
    Q_ASSERT(record.size() == ascRecordSize);
    Q_ASSERT(cellOffset >= 0 && cellOffset + cellBytes <= buffer.size());
    const int sideIndex = static_cast<int>(side);
    for (int j = 0; j < rowsPerCell; ++j) {
        quint8 v = byteAt(record, j);
        if (mirror)
            v = reverseBits(v);
        if (invert)
            v = static_cast<quint8>(255 - v);
        put(buffer, cellOffset + 2 * j + sideIndex, v);
    }
}

} // namespace ledglyph::fonts
