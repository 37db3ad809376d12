#pragma once

class QCoreApplication;
class QLocale;

namespace ledglyph {

// Installs Qt's own translations for `locale` into `app`: the standard buttons,
// the file dialog and Qt's error texts then speak the user's language. Returns
// false when Qt has no translation for it (the texts stay in English).
bool installQtTranslations(QCoreApplication &app, const QLocale &locale);

} // namespace ledglyph
