#include "desktop/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ledglyph {

bool installQtTranslations(QCoreApplication &app, const QLocale &locale)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool installed = false;
    // qtbase: dialogs, standard buttons, file errors; qtserialport: the port's errors.
    for (const char *catalogue : {"qtbase", "qtserialport"}) {
        auto *translator = new QTranslator(&app);
        if (translator->load(locale, QLatin1String(catalogue), QStringLiteral("_"), folder)
            && QCoreApplication::installTranslator(translator)) {
            installed = installed || qstrcmp(catalogue, "qtbase") == 0;
        } else {
            delete translator;
        }
    }
    return installed;
}

} // namespace ledglyph
