#include "italiano.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void parlaItaliano(QCoreApplication &app)
{
    auto *catalogue = new QTranslator(&app);
    if (catalogue->load(QStringLiteral("qtbase_it"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(catalogue);
    else
        delete catalogue;
}
