#include "VerificacaoDestino.h"

#include "EBancoDestino.h"
#include "FalhaAbertura.h"
#include "NomeBanco.h"
#include "ServidorLocal.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The executables of this program, the window and the headless command: their attachments carry
// the executable's path (TConexaoDestino::Abre()).
bool AnexoDestePrograma(const QString& processo) {
    const QString nome = processo.section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
    return nome == QLatin1String("conversor-tavrin") || nome == QLatin1String("ConversorTAVRIN");
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
    if (BancoNoServidor(caminho)) {
        return std::nullopt;
    }
    const QFileInfo info(caminho);
    if (!info.exists()) {
        return QStringLiteral("O banco de dados \"%1\" não existe.").arg(Nativo(caminho));
    }
    if (info.isDir()) {
        return QStringLiteral("\"%1\" é uma pasta, não um arquivo de banco de dados.").arg(Nativo(caminho));
    }
    // Before the permissions: the server's files usually belong to its own user, and through the
    // server they need none.
    if (AbertoPeloServidorLocal(caminho)) {
        return MensagemAbertoPeloServidor(caminho);
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

QString MensagemAbertoPeloServidor(const QString& caminho) {
    return QStringLiteral("O banco de dados \"%1\" está aberto pelo servidor Firebird desta máquina. Converta "
                          "através do servidor: informe o banco como \"%2\". Nada foi alterado no banco.")
        .arg(Nativo(caminho), NomePeloServidorLocal(caminho));
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
    case MotivoFalhaAbertura::ServidorInacessivel:
        texto = QStringLiteral("O servidor Firebird de \"%1\" não respondeu. Verifique se ele está em execução e se "
                               "o nome da máquina e a porta estão certos (servidor:/caminho/BANCO.FB ou "
                               "servidor/porta:/caminho/BANCO.FB); nada foi alterado no banco.")
                    .arg(caminho);
        break;
    case MotivoFalhaAbertura::AcessoRecusado:
        texto = QStringLiteral("O servidor Firebird não abriu o banco de dados \"%1\": usuário ou senha recusados "
                               "pelo servidor; defina ISC_USER e ISC_PASSWORD (sem elas, a conversão entra como "
                               "SYSDBA com a senha padrão do conversor).")
                    .arg(caminho);
        break;
    case MotivoFalhaAbertura::ArquivoNaoAbre:
        if (BancoNoServidor(caminho)) {
            texto = QStringLiteral("O banco de dados \"%1\" não foi encontrado no servidor (ou o servidor não tem "
                                   "permissão para abri-lo). O caminho depois de \"servidor:\" é o do arquivo na "
                                   "máquina do servidor; confira-o.")
                        .arg(caminho);
        } else {
            texto = QStringLiteral("Não foi possível abrir o banco de dados \"%1\".").arg(Nativo(caminho));
        }
        break;
    case MotivoFalhaAbertura::Outro:
        texto = QStringLiteral("Não foi possível abrir o banco de dados \"%1\".").arg(Nativo(caminho));
        break;
    }
    return texto + QLatin1Char('\r') + motivo;
}

std::optional<QString> ProblemaBancoAberto(TConexaoDestino& conexao) {
    // In dialect 3 the statements' double-quoted strings name columns: the first kind would fail
    // half-way, after the previous kinds were committed and its own tables emptied.
    if (conexao.Dialeto() != 1) {
        return QStringLiteral("O banco de dados \"%1\" usa o dialeto SQL %2; os bancos do sistema Quorvel usam o "
                              "dialeto 1, e a conversão só grava nesses. Verifique se este é o banco certo; nada foi "
                              "alterado nele.")
            .arg(Nativo(conexao.NomeBanco()))
            .arg(conexao.Dialeto());
    }
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
    // Another run would switch the triggers on at its end while this one still writes, and the two
    // would leave a mix of their rows. Through a server nothing else keeps two runs apart.
    consulta.SetSQL(
        QStringLiteral("SELECT MON$REMOTE_PROCESS AS PROCESSO, MON$REMOTE_PID AS PID, MON$REMOTE_ADDRESS AS "
                       "ENDERECO FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID <> CURRENT_CONNECTION AND "
                       "MON$REMOTE_PROCESS IS NOT NULL ORDER BY MON$ATTACHMENT_ID"));
    std::optional<QString> outro;
    for (consulta.Abre(); !consulta.Eof() && !outro; consulta.Proximo()) {
        if (!AnexoDestePrograma(consulta.CampoTexto(QStringLiteral("PROCESSO")))) {
            continue;
        }
        QString onde = QStringLiteral("processo %1").arg(consulta.CampoTexto(QStringLiteral("PID")));
        if (!consulta.CampoNulo(QStringLiteral("ENDERECO"))) {
            // "127.0.0.1/58722": the address, then the client's own port.
            onde += QStringLiteral(", máquina %1")
                        .arg(consulta.CampoTexto(QStringLiteral("ENDERECO")).section(QLatin1Char('/'), 0, 0));
        }
        outro = QStringLiteral("O banco de dados \"%1\" já está aberto por outra execução do conversor (%2): uma "
                               "conversão em andamento ou a janela do conversor com este banco aberto. Espere que ela "
                               "termine, ou feche-a, e tente de novo; nada foi alterado no banco.")
                    .arg(Nativo(conexao.NomeBanco()), onde);
    }
    consulta.Fecha();
    return outro;
}
