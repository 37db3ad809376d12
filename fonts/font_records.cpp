#include "fonts/font_records.h"

namespace ledglyph::fonts {

qint32 hzRecordIndex(quint8 first, quint8 second)
{
    Q_ASSERT(first >= hzFirstByte && first <= 0xFE);
    Q_ASSERT(second >= hzFirstByte && second <= 0xFE);
    const qint32 zone = first - hzFirstByte;
    const qint32 position = second - hzFirstByte;
    return zone * hzPositionsPerZone + position;
}

qint32 hzRecordOffset(quint8 first, quint8 second)
{
    return hzRecordIndex(first, second) * hzRecordSize;
}

qint32 ascRecordOffset(quint8 code)
{
    return qint32{code} * ascRecordSize;
}

} // namespace ledglyph::fonts
