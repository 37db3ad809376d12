#pragma once

// Small font libraries written by the tests, with a distinct byte for every
// record and row, so that a wrong offset, side, mirror or inversion shows as
// a wrong byte. Expected cells are derived here from the data layout rules,
// independently of the code under test.

#include <QByteArray>
#include <QString>

namespace testfonts {

// Row `row` of the ASC16 record of `code`. Neighbouring rows and the rows of
// neighbouring records differ.
quint8 ascRow(int code, int row);

// Byte `i` of hzk16 record `record`.
quint8 hzByte(int record, int i);

// GB2312 record index of a double-byte code, by zone and position.
int hzRecordOf(quint16 code);

// Bit reversal done differently from the product: through the binary digits.
quint8 reversedByHand(quint8 value);

// Full pattern libraries: ASC16 of `size` bytes (4,096 = all 256 codes) and
// hzk16 of `zones` zones (87 = 261,696 bytes).
void writeAsc16(const QString &dir, qint64 size = 4096);
void writeHzk16(const QString &dir, int zones = 87);

// Expected cells (32 bytes) as a run stores them.
QByteArray hzCell(int record, bool mirror, bool invert);
QByteArray ascCell16(int code, bool mirror, bool invert);
// A pair cell: `first` in the right bytes, `second` (or nothing when -1) in the left.
QByteArray pairCell(int first, int second, bool mirror, bool invert);
// The 11 banner cells: two spaces, "www.qorvath.test", four spaces.
QByteArray bannerCells(bool mirror, bool invert);

QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);

} // namespace testfonts
