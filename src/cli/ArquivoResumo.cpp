#include "ArquivoResumo.h"

#include "ResumoExecucao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTextStream>

#include <sys/stat.h>

namespace {

// A summary is a few kilobytes; anything much larger is not one and is not read.
constexpr qint64 kMaiorResumo = 1 << 20;

// Device and inode, so that two names of one file (links, "..", hard links) compare equal.
std::optional<std::pair<dev_t, ino_t>> Identidade(const QString& caminho) {
    struct stat info {};
    if (::stat(QFile::encodeName(caminho).constData(), &info) != 0) {
        return std::nullopt;
    }
    return std::make_pair(info.st_dev, info.st_ino);
}

bool MesmoArquivo(const QString& a, const QString& b) {
    const auto ia = Identidade(a);
    return ia && ia == Identidade(b);
}

// The shape ResumoJson() writes: the outcome, the kinds and the totals.
bool EhResumo(const QString& caminho) {
    QFile arquivo(caminho);
    if (arquivo.size() > kMaiorResumo || !arquivo.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QJsonObject json = QJsonDocument::fromJson(arquivo.readAll()).object();
    return json.value(QStringLiteral("sucesso")).isBool() && json.value(QStringLiteral("tipos")).isArray() &&
           json.value(QStringLiteral("total")).isObject();
}

} // namespace

std::optional<QString> ProblemaArquivoResumo(const QString& arquivo, const QString& bancoLocal,
                                             const QString& pastaOrigem) {
    const QFileInfo info(arquivo);
    const QString nome = QDir::toNativeSeparators(arquivo);
    if (!bancoLocal.isEmpty() && MesmoArquivo(arquivo, bancoLocal)) {
        return QStringLiteral("O resumo (--resumo) não pode ser gravado sobre o banco de destino \"%1\". Nada foi "
                              "alterado.")
            .arg(nome);
    }
    if (MesmoArquivo(info.absolutePath(), pastaOrigem) ||
        (info.isSymLink() && MesmoArquivo(QFileInfo(info.canonicalFilePath()).absolutePath(), pastaOrigem))) {
        return QStringLiteral("O resumo (--resumo) não pode ser gravado na pasta das tabelas de origem (\"%1\"). "
                              "Escolha outra pasta; nada foi alterado.")
            .arg(nome);
    }
    if (info.isSymLink() && !info.exists()) {
        return QStringLiteral("\"%1\" é um link para um arquivo que não existe; o resumo não é gravado por ele. "
                              "Nada foi alterado.")
            .arg(nome);
    }
    if (info.exists() && (!info.isFile() || !EhResumo(arquivo))) {
        return QStringLiteral("\"%1\" já existe e não é um resumo gravado pelo conversor-tavrin; escolha outro "
                              "nome. Nada foi alterado.")
            .arg(nome);
    }
    return std::nullopt;
}

bool GravaResumoJson(const QString& arquivo, const TResumoExecucao& resumo) {
    // Through a link, the file it names is replaced, not the link.
    const QFileInfo info(arquivo);
    QSaveFile saida(info.isSymLink() ? info.canonicalFilePath() : arquivo);
    if (!saida.open(QIODevice::WriteOnly) || saida.write(QJsonDocument(ResumoJson(resumo)).toJson()) < 0 ||
        !saida.commit()) {
        QTextStream(stderr) << "Não foi possível gravar o resumo em \"" << QDir::toNativeSeparators(arquivo)
                            << "\": " << saida.errorString() << "\n";
        return false;
    }
    return true;
}
