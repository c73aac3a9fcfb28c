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

namespace {

// An output file of the command and how its messages name it.
struct TSaida {
    const char* rotulo;  // "O resumo (--resumo)"
    const char* nome;    // "o resumo"
    const char* umDeles; // "um resumo"
    bool (*reconhece)(const QString& caminho);
};

std::optional<QString> ProblemaArquivoSaida(const QString& arquivo, const QString& bancoLocal,
                                            const QString& pastaOrigem, const TSaida& saida) {
    const QFileInfo info(arquivo);
    const QString nome = QDir::toNativeSeparators(arquivo);
    if (!bancoLocal.isEmpty() && MesmoArquivo(arquivo, bancoLocal)) {
        return QStringLiteral("%1 não pode ser gravado sobre o banco de destino \"%2\". Nada foi alterado.")
            .arg(QString::fromUtf8(saida.rotulo), nome);
    }
    if (MesmoArquivo(info.absolutePath(), pastaOrigem) ||
        (info.isSymLink() && MesmoArquivo(QFileInfo(info.canonicalFilePath()).absolutePath(), pastaOrigem))) {
        return QStringLiteral("%1 não pode ser gravado na pasta das tabelas de origem (\"%2\"). "
                              "Escolha outra pasta; nada foi alterado.")
            .arg(QString::fromUtf8(saida.rotulo), nome);
    }
    if (info.isSymLink() && !info.exists()) {
        return QStringLiteral("\"%1\" é um link para um arquivo que não existe; %2 não é gravado por ele. "
                              "Nada foi alterado.")
            .arg(nome, QString::fromUtf8(saida.nome));
    }
    if (info.exists() && (!info.isFile() || !saida.reconhece(arquivo))) {
        return QStringLiteral("\"%1\" já existe e não é %2 gravado pelo conversor-tavrin; escolha outro "
                              "nome. Nada foi alterado.")
            .arg(nome, QString::fromUtf8(saida.umDeles));
    }
    return std::nullopt;
}

// The first line a change log starts with: the mark, then its header, with or without the class.
bool EhRegistroAlteracoes(const QString& caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray inicio = arquivo.readLine(4096);
    if (!inicio.startsWith(QByteArrayView(kMarcaUtf8, kTamanhoMarcaUtf8)) || !inicio.endsWith("\r\n")) {
        return false;
    }
    const QStringList colunas =
        LeRegistroCsv(inicio.constData() + kTamanhoMarcaUtf8, inicio.size() - kTamanhoMarcaUtf8 - 2);
    return colunas == ColunasAlteracoes(false) || colunas == ColunasAlteracoes(true);
}

} // namespace

std::optional<QString> ProblemaArquivoResumo(const QString& arquivo, const QString& bancoLocal,
                                             const QString& pastaOrigem) {
    return ProblemaArquivoSaida(arquivo, bancoLocal, pastaOrigem,
                                {"O resumo (--resumo)", "o resumo", "um resumo", EhResumo});
}

std::optional<QString> ProblemaArquivoAlteracoes(const QString& arquivo, const QString& bancoLocal,
                                                 const QString& pastaOrigem) {
    return ProblemaArquivoSaida(arquivo, bancoLocal, pastaOrigem,
                                {"O registro de alterações (--alteracoes)", "o registro de alterações",
                                 "um registro de alterações", EhRegistroAlteracoes});
}

std::optional<QString> ProblemaArquivoRelatorio(const QString& arquivo, const QString& pastaOrigem) {
    return ProblemaArquivoSaida(arquivo, QString(), pastaOrigem,
                                {"O relatório (--relatorio)", "o relatório", "um relatório", EhRegistroAlteracoes});
}

bool GravaArquivoJson(const QString& arquivo, const QJsonObject& json, const QString& nome) {
    // Through a link, the file it names is replaced, not the link.
    const QFileInfo info(arquivo);
    QSaveFile saida(info.isSymLink() ? info.canonicalFilePath() : arquivo);
    if (!saida.open(QIODevice::WriteOnly) || saida.write(QJsonDocument(json).toJson()) < 0 || !saida.commit()) {
        QTextStream(stderr) << "Não foi possível gravar " << nome << " em \"" << QDir::toNativeSeparators(arquivo)
                            << "\": " << saida.errorString() << "\n";
        return false;
    }
    return true;
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
