#include "TraducaoQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool InstalaTraducaoQt(QCoreApplication& aplicacao) {
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    // Dialogs format dates and sizes by the default locale; the conversion never reads it.
    QLocale::setDefault(brasil);
    auto* traducao = new QTranslator(&aplicacao);
    if (!traducao->load(brasil, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traducao;
        return false;
    }
    return QCoreApplication::installTranslator(traducao);
}
