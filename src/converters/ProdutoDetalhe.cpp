#include "ProdutoDetalhe.h"

#include "ConfiguracaoRegional.h"
#include "TQueryDestino.h"

TConverteProdutoDetalhe::TConverteProdutoDetalhe(TConexaoDestino* cBanco) : TConversao(cBanco) {
    Regional().formatoDataCurta = QStringLiteral("dd/mm/yyyy");
    LimpaVariavel();
}

void TConverteProdutoDetalhe::LimpaVariavel() {
    FCODPROD.clear();
    FCONTROLERECEITUARIO.clear();
    FCODIGOATIVIDADE.clear();
    FCODIGOLISTASERVICO.clear();
    FESPELHOMERCSERV.clear();
    FIMPORTADOPORTOSEGURO.clear();
    FCODPROMOCAO = 0;
    FALIQPIS = 0.0;
    FPIS_CST.clear();
    FPISENT_CST.clear();
    FPIS_ST = 0;
    FALIQCOFINS = 0.0;
    FCOFINS_CST.clear();
    FCOFINSENT_CST.clear();
    FCOFINS_ST = 0;
    FCODCSOSN.clear();
    FPRECOMAXVENDA = 0.0;
    FPONTOBONUS = 0;
}

void TConverteProdutoDetalhe::LimpaTabela() {
    EsvaziaTabela(QStringLiteral("PRODUTODETALHE"));
}

std::span<const TColunaLinha<TConverteProdutoDetalhe>> TConverteProdutoDetalhe::Colunas() {
    using D = TConverteProdutoDetalhe;
    using namespace linha;
    static const TColunaLinha<D> colunas[] = {
        Texto<&D::FCODPROD>("CODPROD", kInsercao | kChave),
        Texto<&D::FCONTROLERECEITUARIO>("CONTROLERECEITUARIO"),
        Texto<&D::FCODIGOATIVIDADE>("CODIGOATIVIDADE"),
        Texto<&D::FCODIGOLISTASERVICO>("CODIGOLISTASERVICO"),
        Texto<&D::FESPELHOMERCSERV>("ESPELHOMERCSERV"),
        Texto<&D::FIMPORTADOPORTOSEGURO>("IMPORTADOPORTOSEGURO"),
        Inteiro<&D::FCODPROMOCAO>("CODPROMOCAO"),
        Real<&D::FALIQPIS>("ALIQPIS"),
        Texto<&D::FPIS_CST>("PIS_CST"),
        Texto<&D::FPISENT_CST>("PISENT_CST"),
        Inteiro<&D::FPIS_ST>("PIS_ST"),
        Real<&D::FALIQCOFINS>("ALIQCOFINS"),
        Real<&D::FALIQPISENT>("ALIQPISENT"),
        Real<&D::FALIQCOFINSENT>("ALIQCOFINSENT"),
        Texto<&D::FCOFINS_CST>("COFINS_CST"),
        Texto<&D::FCOFINSENT_CST>("COFINSENT_CST"),
        Inteiro<&D::FCOFINS_ST>("COFINS_ST"),
        Texto<&D::FCODCSOSN>("CODCSOSN"),
        Real<&D::FPRECOMAXVENDA>("PRECOMAXVENDA"),
        Inteiro<&D::FPONTOBONUS>("PONTOBONUS"),
    };
    return colunas;
}

bool TConverteProdutoDetalhe::ExecutaSql() {
    m_linha.Insere(Destino(), *this);
    LimpaVariavel();
    return true;
}

bool TConverteProdutoDetalhe::AtualizaProdutoDetalhe() {
    m_linha.Atualiza(Destino(), *this);
    LimpaVariavel();
    return true;
}
