#include "ArquivoResumo.h"

#include "FormatoCsv.h"
#include "ResultadoAnalise.h"
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
    return (json.value(QStringLiteral("sucesso")).isBool() && json.value(QStringLiteral("tipos")).isArray() &&
            json.value(QStringLiteral("total")).isObject()) ||
           EhAnaliseJson(json);
}

} // namespace

std::optional<QString> ProblemaArquivoSaida(const TArquivoSaida& saida, const QString& bancoLocal,
                                            const QString& pastaOrigem) {
    const QString& arquivo = saida.caminho;
    const QFileInfo info(arquivo);
    const QString nome = QDir::toNativeSeparators(arquivo);
    if (!bancoLocal.isEmpty() && MesmoArquivo(arquivo, bancoLocal)) {
        return QStringLiteral("O %1 (%2) não pode ser gravado sobre o banco de destino \"%3\". Nada foi "
                              "alterado.")
            .arg(saida.nome, saida.opcao, nome);
    }
    if (MesmoArquivo(info.absolutePath(), pastaOrigem) ||
        (info.isSymLink() && MesmoArquivo(QFileInfo(info.canonicalFilePath()).absolutePath(), pastaOrigem))) {
        return QStringLiteral("O %1 (%2) não pode ser gravado na pasta das tabelas de origem (\"%3\"). "
                              "Escolha outra pasta; nada foi alterado.")
            .arg(saida.nome, saida.opcao, nome);
    }
    if (info.isSymLink() && !info.exists()) {
        return QStringLiteral("\"%1\" é um link para um arquivo que não existe; o %2 não é gravado por ele. "
                              "Nada foi alterado.")
            .arg(nome, saida.nome);
    }
    if (info.exists() && (!info.isFile() || !saida.ehNosso(arquivo))) {
        return QStringLiteral("\"%1\" já existe e não é um %2 gravado pelo conversor-tavrin; escolha outro "
                              "nome. Nada foi alterado.")
            .arg(nome, saida.nome);
    }
    return std::nullopt;
}

std::optional<QString> ProblemaArquivoResumo(const QString& arquivo, const QString& bancoLocal,
                                             const QString& pastaOrigem) {
    return ProblemaArquivoSaida({arquivo, QStringLiteral("resumo"), QStringLiteral("--resumo"), EhResumo}, bancoLocal,
                                pastaOrigem);
}

bool EhRelatorioCsv(const QString& caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray inicio = arquivo.readLine(4096);
    for (const bool comClasse : {false, true}) {
        QByteArray cabecalho(kMarcaUtf8, kTamanhoMarcaUtf8);
        AcrescentaRegistroCsv(cabecalho, ColunasAlteracoes(comClasse));
        if (inicio == cabecalho) {
            return true;
        }
    }
    return false;
}

bool GravaArquivoJson(const QString& arquivo, const QJsonObject& json, const QString& nome) {
    // Through a link, the file it names is replaced, not the link.
    const QFileInfo info(arquivo);
    QSaveFile saida(info.isSymLink() ? info.canonicalFilePath() : arquivo);
    if (!saida.open(QIODevice::WriteOnly) || saida.write(QJsonDocument(json).toJson()) < 0 || !saida.commit()) {
        QTextStream(stderr) << "Não foi possível gravar o " << nome << " em \"" << QDir::toNativeSeparators(arquivo)
                            << "\": " << saida.errorString() << "\n";
        return false;
    }
    return true;
}

bool GravaResumoJson(const QString& arquivo, const TResumoExecucao& resumo) {
    return GravaArquivoJson(arquivo, ResumoJson(resumo), QStringLiteral("resumo"));
}
