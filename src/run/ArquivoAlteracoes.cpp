#include "ArquivoAlteracoes.h"

#include "Alteracao.h"
#include "EConversao.h"
#include "FormatoCsv.h"

#include <QFileDevice>
#include <QIODevice>

namespace {

[[noreturn]] void FalhaGravacao(const QIODevice& dispositivo) {
    const auto* arquivo = qobject_cast<const QFileDevice*>(&dispositivo);
    throw EConversao(QStringLiteral("Não foi possível gravar o registro de alterações \"%1\": %2")
                         .arg(arquivo ? arquivo->fileName() : QString(), dispositivo.errorString()));
}

} // namespace

TArquivoAlteracoes::TArquivoAlteracoes(QIODevice& destino, bool comClasse)
    : m_destino(destino), m_comClasse(comClasse) {
    m_linha.append(kMarcaUtf8, kTamanhoMarcaUtf8);
    AcrescentaRegistroCsv(m_linha, ColunasAlteracoes(m_comClasse));
    Escreve();
}

void TArquivoAlteracoes::Registra(const TAlteracao& a) {
    QStringList campos = {a.tipo,         a.tabelaOrigem,  QString::number(a.registro),
                          a.codigoOrigem, a.campoOrigem,   a.colunaDestino,
                          a.OQue(),       a.valorOriginal, a.valorGravado};
    if (m_comClasse) {
        campos << (a.classe ? NomeClasse(*a.classe) : QString());
    }
    m_linha.resize(0);
    AcrescentaRegistroCsv(m_linha, campos);
    Escreve();
    ++m_quantidade;
}

void TArquivoAlteracoes::Escreve() {
    if (m_destino.write(m_linha) != m_linha.size()) {
        FalhaGravacao(m_destino);
    }
}

void TArquivoAlteracoes::Conclui() {
    auto* arquivo = qobject_cast<QFileDevice*>(&m_destino);
    if (arquivo && !arquivo->flush()) {
        FalhaGravacao(m_destino);
    }
}
