#include "VerificacaoDestino.h"

#include "EBancoDestino.h"
#include "FalhaAbertura.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"

#include <QDir>
#include <QFileInfo>

namespace {

// "servidor:/caminho/banco.fb" names a database on a server: its file is not ours to look at.
bool NoServidor(const QString& caminho) {
    const qsizetype doisPontos = caminho.indexOf(QLatin1Char(':'));
    return doisPontos > 0 && !caminho.left(doisPontos).contains(QLatin1Char('/'));
}

QString Nativo(const QString& caminho) {
    return QDir::toNativeSeparators(caminho);
}

// The engine keeps its lock files here; FIREBIRD_LOCK moves them.
QString PastaTravas() {
    const QString pasta = qEnvironmentVariable("FIREBIRD_LOCK");
    return pasta.isEmpty() ? QStringLiteral("/tmp/firebird") : pasta;
}

} // namespace

std::optional<QString> ProblemaPastaOrigem(const QString& pasta) {
    const QFileInfo info(pasta);
    if (!info.exists()) {
        return QStringLiteral("A pasta de origem \"%1\" não existe.").arg(Nativo(pasta));
    }
    if (!info.isDir()) {
        return QStringLiteral("\"%1\" não é uma pasta: informe a pasta que contém as tabelas (*.DBF) de origem.")
            .arg(Nativo(pasta));
    }
    // Listing needs read permission, opening the tables inside needs search permission.
    if (!info.isReadable() || !info.isExecutable()) {
        return QStringLiteral("Sem permissão para ler a pasta de origem \"%1\" com este usuário.").arg(Nativo(pasta));
    }
    return std::nullopt;
}

std::optional<QString> ProblemaArquivoDestino(const QString& caminho) {
    if (NoServidor(caminho)) {
        return std::nullopt;
    }
    const QFileInfo info(caminho);
    if (!info.exists()) {
        return QStringLiteral("O banco de dados \"%1\" não existe.").arg(Nativo(caminho));
    }
    if (info.isDir()) {
        return QStringLiteral("\"%1\" é uma pasta, não um arquivo de banco de dados.").arg(Nativo(caminho));
    }
    if (!info.isReadable()) {
        return QStringLiteral("Sem permissão para ler o banco de dados \"%1\" com este usuário.").arg(Nativo(caminho));
    }
    if (!info.isWritable()) {
        return QStringLiteral("O banco de dados \"%1\" é somente leitura para este usuário; a conversão precisa "
                              "gravar nele. Verifique as permissões do arquivo.")
            .arg(Nativo(caminho));
    }
    return std::nullopt;
}

QString MensagemFalhaAbertura(const QString& caminho, const std::exception& erro) {
    const QString motivo = MensagemDe(erro);
    const auto* banco = dynamic_cast<const EBancoDestino*>(&erro);
    if (banco == nullptr) {
        return QStringLiteral("Não foi possível abrir o banco de dados \"%1\": %2").arg(Nativo(caminho), motivo);
    }
    QString texto;
    switch (ClassificaFalhaAbertura(*banco)) {
    case MotivoFalhaAbertura::EmUso:
        texto = QStringLiteral("O banco de dados \"%1\" está em uso por outro programa (o sistema Quorvel, outra "
                               "conversão ou um servidor Firebird). Feche esse programa e tente de novo; nada foi "
                               "alterado no banco.")
                    .arg(Nativo(caminho));
        break;
    case MotivoFalhaAbertura::NaoEBanco:
        texto = QStringLiteral("O arquivo \"%1\" não é um banco de dados Firebird válido (ou está danificado).")
                    .arg(Nativo(caminho));
        break;
    case MotivoFalhaAbertura::VersaoIncompativel:
        texto = QStringLiteral("O banco de dados \"%1\" é de uma versão do Firebird que não pode ser aberta aqui.")
                    .arg(Nativo(caminho));
        break;
    case MotivoFalhaAbertura::SemEscrita:
        texto = QStringLiteral("O banco de dados \"%1\" é somente leitura para este usuário; a conversão precisa "
                               "gravar nele. Verifique as permissões do arquivo.")
                    .arg(Nativo(caminho));
        break;
    case MotivoFalhaAbertura::PastaTravas:
        texto = QStringLiteral("O Firebird não pode usar a sua pasta de travas \"%1\" com este usuário (sem "
                               "permissão de escrita). Execute a conversão com o mesmo usuário dos outros programas "
                               "que abrem o banco, ou peça ao administrador que ajuste as permissões dessa pasta. O "
                               "banco \"%2\" não foi alterado.")
                    .arg(Nativo(PastaTravas()), Nativo(caminho));
        break;
    case MotivoFalhaAbertura::Outro:
        texto = QStringLiteral("Não foi possível abrir o banco de dados \"%1\".").arg(Nativo(caminho));
        break;
    }
    return texto + QLatin1Char('\r') + motivo;
}

std::optional<QString> ProblemaBancoAberto(TConexaoDestino& conexao) {
    TQueryDestino consulta(conexao);
    consulta.SetSQL(QStringLiteral("SELECT MON$READ_ONLY AS SO_LEITURA FROM MON$DATABASE"));
    consulta.Abre();
    const bool soLeitura = !consulta.Eof() && consulta.CampoInteiro(QStringLiteral("SO_LEITURA")) != 0;
    consulta.Fecha();
    if (soLeitura) {
        return QStringLiteral("O banco de dados \"%1\" está no modo somente leitura do Firebird e não pode receber "
                              "a conversão. Passe-o para leitura e gravação (gfix -mode read_write) e tente de novo.")
            .arg(Nativo(conexao.NomeBanco()));
    }
    return std::nullopt;
}
