#include "LacoConversao.h"

#include "TQueryOrigem.h"
#include "ui/InterfaceUsuario.h"

TMapeamento::TMapeamento(const char* tipo, const char* tabelaOrigem, const char* campoCodigo, const char* rotulo)
    : m_campoCodigo(campoCodigo), m_rotulo(rotulo) {
    m_contexto.tipo = QLatin1String(tipo);
    m_contexto.tabelaOrigem = QLatin1String(tabelaOrigem);
}

void TMapeamento::PosicionaContexto(const TQueryOrigem& qry) {
    m_contexto.registro = qry.NumeroRegistro();
    m_contexto.codigoOrigem = qry.CampoPorNome(m_campoCodigo).ComoTexto();
}

void ConverteTabela(TMapeamento& mapeamento, const QString& pastaOrigem, const TAjustesConversao& ajustes,
                    IBarraProgresso& Barra, IRotulo& lblInfo) {
    mapeamento.Contexto().alteracoes = ajustes.alteracoes;
    mapeamento.Contexto().limpezas.clear();
    TQueryOrigem qryBusca;
    qryBusca.SetNomeBanco(pastaOrigem);
    qryBusca.SetPaginaCodigo(ajustes.pagina);
    qryBusca.SetSQL(QStringLiteral("SELECT * FROM ") + mapeamento.TabelaOrigem());
    qryBusca.Abre();
    mapeamento.LimpaDestino();
    Barra.SetMaximo(qryBusca.QuantRegistros());

    const QString prefixo = QStringLiteral("Convertendo ") + mapeamento.Rotulo() + QStringLiteral(" - Registro ");
    for (int vContaRegistro = 1; !qryBusca.Eof(); ++vContaRegistro) {
        lblInfo.SetCaption(prefixo + QString::number(vContaRegistro) + QStringLiteral(" de ") +
                           QString::number(Barra.Maximo()));
        ProcessaMensagensPendentes();
        mapeamento.PosicionaContexto(qryBusca);
        mapeamento.Preenche(qryBusca);
        mapeamento.Grava();
        qryBusca.Proximo();
        Barra.Avanca(1);
    }

    lblInfo.SetCaption(QString());
    Barra.SetPosicao(0);
    Barra.SetMaximo(0);
    mapeamento.Conclui();
    // Counted only for a kind read to its end: a kind that failed is rolled back.
    mapeamento.Contexto().DescarregaLimpezas();
}
