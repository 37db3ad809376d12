#include "desktop/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace ledglyph {

namespace {

bool install(QCoreApplication &app, const QLocale &locale, const char *catalogue, const QString &folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, QLatin1String(catalogue), QStringLiteral("_"), folder)
        || !QCoreApplication::installTranslator(translator.get()))
        return false;
    translator.release()->setParent(&app); // lives as long as the application
    return true;
}

} // namespace

bool installQtTranslations(QCoreApplication &app, const QLocale &locale)
{
    return installQtTranslations(app, locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

bool installQtTranslations(QCoreApplication &app, const QLocale &locale, const QString &folder)
{
    // qtbase: dialogs, standard buttons, file errors; qtserialport: the port's errors.
    const bool installed = install(app, locale, "qtbase", folder);
    install(app, locale, "qtserialport", folder);
    return installed || install(app, locale, "qt", folder);
}

} // namespace ledglyph
