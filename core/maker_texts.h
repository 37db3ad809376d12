#pragma once

// The maker's own texts, in one place: the conversion header and banner, the
// windows' captions, credits and links all read them from here. Addresses use
// the reserved top-level domain .test so that no real site ever gets traffic.

#include <QString>

namespace ledglyph::maker {

inline const QString brand = QStringLiteral("Qorvath");
inline const QString programTitle = QStringLiteral("LED点阵取模软件");
inline const QString shortTitle = QStringLiteral("点阵取模");
inline const QString version = QStringLiteral("v2.1");

// The banner needs a host name of exactly 16 characters: two spaces, the host,
// four spaces make the 22 characters of the 11 banner cells.
inline const QString webHost = QStringLiteral("www.qorvath.test");
inline const QString webAddress = QStringLiteral("http://www.qorvath.test");
inline const QString downloadAddress = QStringLiteral("http://www.qorvath.test/download/");
inline const QString forumAddress = QStringLiteral("http://www.qorvath.test/bbs/");

inline const QString authorName = QStringLiteral("林晓舟");
inline const QString authorCredit = QStringLiteral("编写：林晓舟");
inline const QString authorContact = QStringLiteral("QQ：20080322  Email：lin@qorvath.test");
inline const QString authorImNumber = QStringLiteral("QQ：20080322");
inline const QString authorEmail = QStringLiteral("lin@qorvath.test");
inline const QString termsOfUse = QStringLiteral(
    "8、本软件可免费使用和传播，但不得用于商业目的；因使用本软件造成的任何损失，作者不承担责任。");
inline const QString rightsLine = QStringLiteral("Qorvath 版权所有 林晓舟 2008");
inline const QString completedDate = QStringLiteral("2008-3-22");

// Message box titles.
inline const QString welcomeTitle = QStringLiteral("Qorvath 欢迎您");
inline const QString welcomeTitleNoSpace = QStringLiteral("Qorvath欢迎您");
inline const QString welcomeTitleExclaimed = QStringLiteral("Qorvath 欢迎您！！！");

// Window captions.
inline const QString mainWindowCaption =
    brand + QStringLiteral(" ") + programTitle + QStringLiteral(" ") + webAddress
    + QStringLiteral(" 作者：") + authorName + QStringLiteral(" ") + version;
inline const QString downloadWindowCaption =
    shortTitle + QStringLiteral("串口下载 ") + webAddress + QStringLiteral(" 作者：") + authorName;
inline const QString aboutWindowCaption = QStringLiteral("关于") + programTitle;

} // namespace ledglyph::maker
