#include "synthetic_fonts.h"

#include <QFile>

#include <algorithm>
#include <QTest>

namespace testfonts {

quint8 ascRow(int code, int row)
{
    return static_cast<quint8>(code * 7 + row * 16 + 1);
}

quint8 hzByte(int record, int i)
{
    return static_cast<quint8>(record * 3 + i * 5 + 7);
}

int hzRecordOf(quint16 code)
{
    const int zone = (code >> 8) - 0xA1;
    const int position = (code & 0xFF) - 0xA1;
    return zone * 94 + position;
}

quint8 reversedByHand(quint8 value)
{
    QString digits = QStringLiteral("%1").arg(value, 8, 2, QLatin1Char('0'));
    std::reverse(digits.begin(), digits.end());
    return static_cast<quint8>(digits.toUInt(nullptr, 2));
}

void writeAsc16(const QString &dir, qint64 size)
{
    QByteArray bytes;
    for (int code = 0; code < 256; ++code)
        for (int row = 0; row < 16; ++row)
            bytes.append(static_cast<char>(ascRow(code, row)));
    writeFile(dir + QStringLiteral("/ASC16"), bytes.left(size));
}

void writeHzk16(const QString &dir, int zones)
{
    QByteArray bytes;
    for (int record = 0; record < zones * 94; ++record)
        for (int i = 0; i < 32; ++i)
            bytes.append(static_cast<char>(hzByte(record, i)));
    writeFile(dir + QStringLiteral("/hzk16"), bytes);
}

namespace {

quint8 transformed(quint8 v, bool mirror, bool invert)
{
    if (mirror)
        v = reversedByHand(v);
    return invert ? static_cast<quint8>(~v) : v;
}

} // namespace

QByteArray hzCell(int record, bool mirror, bool invert)
{
    QByteArray cell;
    for (int r = 0; r < 16; ++r) {
        quint8 left = hzByte(record, 2 * r);
        quint8 right = hzByte(record, 2 * r + 1);
        if (mirror) {
            const quint8 oldLeft = left;
            left = reversedByHand(right);
            right = reversedByHand(oldLeft);
        }
        cell.append(static_cast<char>(transformed(left, false, invert)));
        cell.append(static_cast<char>(transformed(right, false, invert)));
    }
    return cell;
}

QByteArray ascCell16(int code, bool mirror, bool invert)
{
    QByteArray cell;
    for (int r = 0; r < 16; ++r) {
        cell.append(static_cast<char>(transformed(ascRow(code, r), mirror, invert)));
        cell.append(static_cast<char>(invert ? 0xFF : 0x00));
    }
    return cell;
}

QByteArray pairCell(int first, int second, bool mirror, bool invert)
{
    QByteArray cell;
    for (int r = 0; r < 16; ++r) {
        cell.append(static_cast<char>(second < 0 ? 0 : transformed(ascRow(second, r), mirror, invert)));
        cell.append(static_cast<char>(transformed(ascRow(first, r), mirror, invert)));
    }
    return cell;
}

QByteArray bannerCells(bool mirror, bool invert)
{
    const QByteArray banner("  www.qorvath.test    ");
    Q_ASSERT(banner.size() == 22);
    QByteArray cells;
    for (int k = 0; k < 11; ++k)
        cells += pairCell(banner.at(2 * k), banner.at(2 * k + 1), mirror, invert);
    return cells;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace testfonts
