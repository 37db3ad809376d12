#pragma once

class QCoreApplication;
class QLocale;
class QString;

namespace ledglyph {

// Installs Qt's own translations for `locale` into `app`: the standard buttons,
// the file dialog and Qt's error texts then speak the user's language. Returns
// false when Qt has no translation for it (the texts stay in English).
bool installQtTranslations(QCoreApplication &app, const QLocale &locale);

// The same from the translations in `folder`: Qt's own installation has a
// catalogue per module (qtbase_zh_CN.qm, qtserialport_zh_CN.qm); a Windows
// program folder laid out by windeployqt has one catalogue that joins the
// modules the program uses (qt_zh_CN.qm).
bool installQtTranslations(QCoreApplication &app, const QLocale &locale, const QString &folder);

} // namespace ledglyph
