#pragma once

// The windows' texts about the program and its maker: captions, credits,
// links and box titles. The conversion's own maker texts (brand, host) are in core/maker_texts.h.

#include "core/maker_texts.h"
#include "platform/program_version.h"

#include <QString>

namespace ledglyph::window_texts {

inline const QString programTitle = QStringLiteral("LED点阵取模软件");
inline const QString version = u'v' + programVersion();

inline const QString webAddress = QStringLiteral("http://") + maker::webHost;
inline const QString forumAddress = webAddress + QStringLiteral("/bbs/");

inline const QString authorName = QStringLiteral("林晓舟");
inline const QString authorCredit = QStringLiteral("编写：") + authorName;
inline const QString authorContact = QStringLiteral("QQ：20080322  Email：lin@qorvath.test");
inline const QString authorImNumber = QStringLiteral("QQ：20080322");
inline const QString authorEmail = QStringLiteral("lin@qorvath.test");
inline const QString termsOfUse = QStringLiteral(
    "8、本软件可免费使用和传播，但不得用于商业目的；因使用本软件造成的任何损失，作者不承担责任。");
inline const QString rightsLine = maker::brand + QStringLiteral(" 版权所有 ") + authorName + QStringLiteral(" 2008");
inline const QString completedDate = QStringLiteral("2008-3-22");

// Message box titles: the conversion's refusals, the input monitor's refusal.
inline const QString welcomeTitle = maker::welcomeTitle;
inline const QString welcomeTitleNoSpace = maker::brand + QStringLiteral("欢迎您");

// Window captions.
inline const QString mainWindowCaption = maker::brand + u' ' + programTitle + u' ' + webAddress
                                         + QStringLiteral(" 作者：") + authorName + u' ' + version;
inline const QString aboutWindowCaption = QStringLiteral("关于") + programTitle;

} // namespace ledglyph::window_texts
