#pragma once

// The maker's texts the conversion writes: hz.txt's header and the banner
// after every text. The windows' captions, credits and links are in
// ui/window_texts.h. Addresses use the reserved top-level domain .test so that
// no real site ever gets traffic.

#include <QString>

namespace ledglyph::maker {

inline const QString brand = QStringLiteral("Qorvath");

// The banner needs a host name of exactly 16 characters: two spaces, the host,
// four spaces make the 22 characters of the 11 banner cells.
inline const QString webHost = QStringLiteral("www.qorvath.test");
inline const QString downloadAddress = QStringLiteral("http://") + webHost + QStringLiteral("/download/");

// Message box titles and the download window's caption. The download window
// and the message box calls read them here while both are being reworked;
// they join the other window texts in ui/window_texts.h afterwards.
inline const QString welcomeTitle = brand + QStringLiteral(" 欢迎您");
inline const QString welcomeTitleNoSpace = brand + QStringLiteral("欢迎您");
inline const QString welcomeTitleExclaimed = brand + QStringLiteral(" 欢迎您！！！");
inline const QString downloadWindowCaption =
    QStringLiteral("点阵取模串口下载 http://") + webHost + QStringLiteral(" 作者：林晓舟");

} // namespace ledglyph::maker
