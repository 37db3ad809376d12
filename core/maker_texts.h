#pragma once

// The maker's texts the conversion writes: hz.txt's header and the banner
// after every text. The windows' captions, credits, links and box titles are
// in ui/window_texts.h and download/download_texts.h. Addresses use the reserved top-level domain .test so that
// no real site ever gets traffic.

#include <QString>

namespace ledglyph::maker {

inline const QString brand = QStringLiteral("Qorvath");

// The banner needs a host name of exactly 16 characters: two spaces, the host,
// four spaces make the 22 characters of the 11 banner cells.
inline const QString webHost = QStringLiteral("www.qorvath.test");
inline const QString downloadAddress = QStringLiteral("http://") + webHost + QStringLiteral("/download/");

} // namespace ledglyph::maker
