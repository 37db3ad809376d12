#pragma once

// Where a character's record lies in the two font libraries. Both files are
// headerless sequences of fixed-size records.

#include <QString>
#include <QtGlobal>

namespace ledglyph::fonts {

inline const QString hzFileName = QStringLiteral("hzk16");
inline const QString ascFileName = QStringLiteral("ASC16");

// hzk16: one 32-byte record (16 rows of a left and a right byte) per GB2312
// code point, zone by zone, 94 positions per zone, starting at 0xA1A1.
constexpr qint32 hzRecordSize = 32;
constexpr qint32 hzPositionsPerZone = 94;
constexpr quint8 hzFirstByte = 0xA1;
constexpr qint32 hzZones = 87; // 0xA1 to 0xF7: the last zone with GB2312 characters
constexpr qint64 hzFileSizeOf87Zones = qint64{hzZones} * hzPositionsPerZone * hzRecordSize; // 261,696

// ASC16: one 16-byte record (16 rows of one byte) per code 0 to 255.
constexpr qint32 ascRecordSize = 16;
constexpr qint32 ascCodes = 256;
constexpr qint64 ascFileSize = qint64{ascCodes} * ascRecordSize; // 4,096

// Record index of the double-byte character `first`, `second`: (first − 0xA1) × 94
// + (second − 0xA1). Both bytes must lie in 0xA1..0xFE.
qint32 hzRecordIndex(quint8 first, quint8 second);

// Byte offset of that record in hzk16.
qint32 hzRecordOffset(quint8 first, quint8 second);

// Byte offset of the record of single-byte code `code` in ASC16: the record's own
// 16 bytes start at 16 × code.
qint32 ascRecordOffset(quint8 code);

} // namespace ledglyph::fonts
