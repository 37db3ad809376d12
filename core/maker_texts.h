#pragma once

// The maker's texts the conversion writes (hz.txt's header and the banner
// after every text) and the title of the message boxes, which the main and
// the download window share. The windows' other captions, credits and links
// are in ui/window_texts.h and download/download_texts.h. Addresses use the reserved top-level domain .test so that
// no real site ever gets traffic.

#include <QString>

namespace ledglyph::maker {

inline const QString brand = QStringLiteral("Qorvath");

// The title of the message boxes: the brand and "welcome".
inline const QString welcomeTitle = brand + QStringLiteral(" 欢迎您");

// The banner needs a host name of exactly 16 characters: two spaces, the host,
// four spaces make the 22 characters of the 11 banner cells.
inline const QString webHost = QStringLiteral("www.qorvath.test");
inline const QString downloadAddress = QStringLiteral("http://") + webHost + QStringLiteral("/download/");

} // namespace ledglyph::maker
