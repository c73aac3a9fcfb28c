#include "NomeBanco.h"

#include <QFileInfo>

bool BancoNoServidor(const QString& nomeBanco) {
    // As the client library parses a connection string on Linux: a ':' at the very start or end
    // leaves a file name.
    const qsizetype doisPontos = nomeBanco.indexOf(QLatin1Char(':'));
    return doisPontos > 0 && doisPontos < nomeBanco.size() - 1;
}

namespace {

const QLatin1StringView kServidorLocal("localhost:");

} // namespace

QString NomePeloServidorLocal(const QString& caminho) {
    return kServidorLocal + QFileInfo(caminho).absoluteFilePath();
}

QString ArquivoLocalDoBanco(const QString& nomeBanco) {
    if (nomeBanco.startsWith(kServidorLocal, Qt::CaseInsensitive)) {
        return nomeBanco.mid(kServidorLocal.size());
    }
    return BancoNoServidor(nomeBanco) ? QString() : nomeBanco;
}
