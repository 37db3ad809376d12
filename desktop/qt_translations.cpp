#include "desktop/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace ledglyph {

bool installQtTranslations(QCoreApplication &app, const QLocale &locale)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool installed = false;
    // qtbase: dialogs, standard buttons, file errors; qtserialport: the port's errors.
    for (const char *catalogue : {"qtbase", "qtserialport"}) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(locale, QLatin1String(catalogue), QStringLiteral("_"), folder)
            && QCoreApplication::installTranslator(translator.get())) {
            translator.release()->setParent(&app); // lives as long as the application
            installed = installed || qstrcmp(catalogue, "qtbase") == 0;
        }
    }
    return installed;
}

} // namespace ledglyph
