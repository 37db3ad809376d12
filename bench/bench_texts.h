#pragma once

#include <QString>

namespace ledglyph::bench {

// The longest texts a run takes, 1012 characters: GB2312 hanzi mixed with
// ASCII (two hanzi, one letter or digit) for 16*16, printable ASCII for 8*16.
QString mixedText1012();
QString asciiText1012();

} // namespace ledglyph::bench
