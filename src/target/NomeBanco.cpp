#include "NomeBanco.h"

#include <QFileInfo>

bool BancoNoServidor(const QString& nomeBanco) {
    // As the client library parses a connection string on Linux: a ':' at the very start or end
    // leaves a file name.
    const qsizetype doisPontos = nomeBanco.indexOf(QLatin1Char(':'));
    return doisPontos > 0 && doisPontos < nomeBanco.size() - 1;
}

QString NomePeloServidorLocal(const QString& caminho) {
    return QStringLiteral("localhost:") + QFileInfo(caminho).absoluteFilePath();
}
