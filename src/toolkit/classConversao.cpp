#include "classConversao.h"

#include "EConversao.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"
#include "ui/InterfaceUsuario.h"

#include <QFile>

#include <array>

namespace {

// The target system's triggers that would act on the rows a run writes (stock movements
// updating stock, product and complement bookkeeping); switched off for the run, on again after.
constexpr std::array<const char*, 9> kTriggers = {
    "PRODUTO_BI0", "MVGERAL_AD0", "MVGERAL_AI0",  "MVGERAL_AU0",  "MVGERAL_BD0",
    "MVGERAL_BI0", "MVGERAL_BU0", "COMPCLIE_AI0", "COMPCLIE_AU0",
};

const QChar kRetornoCarro(13);

} // namespace

TConversao::TConversao(TConexaoDestino* cBanco) : cnBanco(cBanco) {
    if (cBanco != nullptr) {
        QDestino = std::make_unique<TQueryDestino>(*cBanco);
        QAuxiliar = std::make_unique<TQueryDestino>(*cBanco);
    }
}

TConversao::~TConversao() = default;

namespace {

[[noreturn]] void SemBanco() {
    throw EConversao(QStringLiteral("Não há banco de destino: esta conversão só prepara os valores."));
}

} // namespace

TConexaoDestino& TConversao::Conexao() const {
    if (cnBanco == nullptr) {
        SemBanco();
    }
    return *cnBanco;
}

TQueryDestino& TConversao::Destino() const {
    if (!QDestino) {
        SemBanco();
    }
    return *QDestino;
}

TQueryDestino& TConversao::Auxiliar() const {
    if (!QAuxiliar) {
        SemBanco();
    }
    return *QAuxiliar;
}

QString TConversao::CodigoProvisorio(const char* tabela, const QString& texto, int primeiro, int largura) {
    const QString chave = QLatin1String(tabela) + QChar(0x1f) + texto;
    if (const auto lembrado = m_referencias.constFind(chave); lembrado != m_referencias.cend()) {
        return lembrado.value();
    }
    int& ultimo = m_provisorios[QLatin1String(tabela)];
    const QString codigo = StrZero(QString::number(primeiro + ultimo), largura);
    ++ultimo;
    m_referencias.insert(chave, codigo);
    return codigo;
}

void TConversao::PIniciaTransacao(TTransacaoDestino& transacao) {
    if (!transacao.Ativa()) {
        transacao.Inicia();
    }
}

void TConversao::PConfirmaTransacao(TTransacaoDestino& transacao) {
    if (transacao.Ativa()) {
        transacao.Confirma();
    }
}

void TConversao::PCancelaTransacao(TTransacaoDestino& transacao) {
    if (transacao.Ativa()) {
        transacao.Cancela();
    }
}

namespace {

// Runs the nine ALTER TRIGGER statements in one transaction; a failure is shown as a warning
// and undoes the statements already run, so the triggers are switched all or none.
void AlteraTriggers(TConversao& conversao, TConexaoDestino& dbDestino, TTransacaoDestino& transacao,
                    const QString& estado, const QString& prefixoAviso) {
    TQueryDestino qryExecuta(dbDestino);
    try {
        conversao.PIniciaTransacao(transacao);
        for (const char* trigger : kTriggers) {
            qryExecuta.LimpaSQL();
            qryExecuta.SetSQL(QStringLiteral("ALTER TRIGGER %1 %2").arg(QLatin1String(trigger), estado));
            qryExecuta.Executa();
        }
        conversao.PConfirmaTransacao(transacao);
    } catch (const std::exception& e) {
        MostraAviso(prefixoAviso + MensagemDe(e));
        try {
            conversao.PCancelaTransacao(transacao);
        } catch (const std::exception&) {
            // The connection is gone: the engine discards the statements with it, and the run's
            // own error path must not be cut short here.
        }
    }
}

} // namespace

QStringList TConversao::Triggers() {
    QStringList nomes;
    for (const char* trigger : kTriggers) {
        nomes << QLatin1String(trigger);
    }
    return nomes;
}

void TConversao::DesativaTriggers(TConexaoDestino& dbDestino, TTransacaoDestino& transacao) {
    AlteraTriggers(*this, dbDestino, transacao, QStringLiteral("INACTIVE"),
                   QStringLiteral("Erro ao desativar as Triggers: "));
}

void TConversao::AtivaTriggers(TConexaoDestino& dbDestino, TTransacaoDestino& transacao) {
    AlteraTriggers(*this, dbDestino, transacao, QStringLiteral("ACTIVE"),
                   QStringLiteral("Erro ao ativar as Triggers: "));
}

void TConversao::PLimpaTabela(const QString& nomeTabela) {
    TQueryDestino qLimpa(Conexao());
    try {
        qLimpa.SetSQL(QStringLiteral("DELETE FROM ") + nomeTabela);
        qLimpa.Executa();
        // Commits the deletion together with everything the run wrote before it.
        qLimpa.SetSQL(QStringLiteral("COMMIT"));
        qLimpa.Executa();
    } catch (const std::exception& e) {
        ErroGravacao = true;
        MostraErro(QStringLiteral("Erro na Exclusão da tabela ") + nomeTabela + QLatin1Char('.') + kRetornoCarro +
                   MensagemDe(e) + kRetornoCarro + QStringLiteral("Verifique se a tabela está em Transação."));
    }
}

void TConversao::EsvaziaTabela(const QString& tabela) {
    TQueryDestino& q = Auxiliar();
    q.Fecha();
    q.SetSQL(QStringLiteral("Delete from ") + tabela);
    q.Executa();
    q.Fecha();
    q.SetSQL(QStringLiteral("Commit;"));
    q.Executa();
}

void TConversao::PRemoveByteCDX(const QString& nomeArquivo) {
    // Byte 28 of a dBASE header flags a structural index file; clearing it lets a table be
    // read without its .CDX/.MDX.
    constexpr qint64 kByteIndice = 28;
    QFile arquivo(nomeArquivo);
    // ExistingOnly: a missing table is an error, not a new empty file.
    if (!arquivo.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
        throw EConversao(
            QStringLiteral("Não foi possível abrir o arquivo \"%1\": %2").arg(nomeArquivo, arquivo.errorString()));
    }
    char valor = 0;
    if (!arquivo.seek(kByteIndice) || arquivo.read(&valor, 1) != 1) {
        return; // shorter than a header: nothing to clear
    }
    if (valor == 1) {
        const char zero = 0;
        if (!arquivo.seek(kByteIndice) || arquivo.write(&zero, 1) != 1) {
            throw EConversao(
                QStringLiteral("Não foi possível gravar o arquivo \"%1\": %2").arg(nomeArquivo, arquivo.errorString()));
        }
    }
}
