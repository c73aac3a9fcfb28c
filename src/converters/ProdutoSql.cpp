// The statements of the product writer, emitted from one description of its row.
#include "Produto.h"

#include "TQueryDestino.h"

namespace {

// An unknown date (1 January 1900) is left out of the insert, so the table's default applies.
template <auto Campo> bool DataConhecida(const linha::ClasseDe<Campo>& campos) {
    return campos.*Campo != TConverteProduto::SemData();
}

} // namespace

std::span<const TColunaLinha<TConverteProduto::TCampos>> TConverteProduto::Colunas() {
    using P = TCampos;
    using namespace linha;
    constexpr unsigned kPreco = kInsercaoEAtualizacao | kAtualizacaoPreco;
    static const TColunaLinha<P> colunas[] = {
        Texto<&P::FCodProd>("Produto.CODPROD", kInsercao | kChave),
        Texto<&P::FTipoProd>("Produto.TIPOPROD"),
        Texto<&P::FAtivado>("Produto.ATIVO"),
        Texto<&P::FProdBloqueado>("Produto.PRODBLOQUEADO"),
        Texto<&P::FControleSerie>("Produto.CONTROLESERIE"),
        Texto<&P::FReferencia>("Produto.REFERENCIA", kPreco),
        Texto<&P::FRefFabricante>("Produto.REFFABRICANTE", kPreco),
        Texto<&P::FDescricao>("Produto.DESCRICAO"),
        Texto<&P::FDescricao2>("Produto.DESCRICAO2"),
        Texto<&P::FDescricao3>("Produto.DESCRICAO3"),
        Texto<&P::FFornec_Ult_Ent1>("Produto.FORNEC_ULT_ENT1"),
        Texto<&P::FCodGrupo>("Produto.CODGRUPO", kPreco),
        Texto<&P::FCodSubGrupo>("Produto.CODSUBGRUPO"),
        Texto<&P::FPrincipalFornecedor>("Produto.PRINCIPALFORNEC", kPreco),
        Texto<&P::FEmbalagem>("Produto.EMBALAGEM"),
        Texto<&P::FCodFabric>("Produto.CODFABRIC"),
        Texto<&P::FObservacao>("Produto.OBSERVACAO"),
        Texto<&P::FCodLocal>("Produto.CODLOCAL"),
        Texto<&P::FCodClasFis>("Produto.CODCLASFIS"),
        Real<&P::FAliqIcmsReg00>("Produto.ALIQICMSREG00"),
        Real<&P::FBaseIcmsReg00>("Produto.BASEICMSREG00"),
        Real<&P::FBaseIcmsReg02>("Produto.BASEICMSREG02"),
        Texto<&P::FCodTribut00>("Produto.CODTRIBUT00"),
        Texto<&P::FCodTribut01>("Produto.CODTRIBUT01"),
        Real<&P::FAliqIcmsPdv>("Produto.ALIQICMSPDV"),
        Texto<&P::FSubsTrib>("Produto.SUBSTRIB"),
        Real<&P::FAliqIpi>("Produto.AliqIpi"),
        Real<&P::FAliqIss>("Produto.AliqISS", kInsercao),
        Real<&P::FPeso>("Produto.PESO"),
        Texto<&P::FUnidEntrada>("Produto.UNIDADEENT"),
        Texto<&P::FUnidSaida>("Produto.UNIDADESAIDA"),
        Texto<&P::FCodFamilia>("Produto.CodFamilia"),
        Texto<&P::FCodTipoProduto>("Produto.CodTipoProduto"),
        Texto<&P::FCodVolume>("Produto.CodVolume"),
        Texto<&P::FTipoEntrega>("Produto.TipoEntrega"),
        Texto<&P::FCodGeneroItem>("Produto.CodGeneroItem"),
        Real<&P::FSugestao>("Produto.SUGESTAO"),
        Real<&P::FPreco>("Produto.PRECO", kPreco),
        Texto<&P::FDescricaoPreco>("Produto.DESCRICAOPRECO"),
        Real<&P::FPreco2>("Produto.PRECO2", kPreco),
        Texto<&P::FDescricaoPreco2>("Produto.DESCRICAOPRECO2"),
        Real<&P::FPreco3>("Produto.PRECO3", kPreco),
        Texto<&P::FDescricaoPreco3>("Produto.DESCRICAOPRECO3"),
        Real<&P::FPreco4>("Produto.PRECO4", kPreco),
        Texto<&P::FDescricaoPreco4>("Produto.DESCRICAOPRECO4"),
        Real<&P::FPreco_Anterior>("Produto.PRECO_ANTERIOR"),
        Real<&P::FPrUltEnt1>("Produto.Pr_Ult_Ent1"),
        Real<&P::FLucro>("Produto.Lucro"),
        Real<&P::Flucro2>("Produto.Lucro2"),
        Real<&P::FLucro3>("Produto.Lucro3"),
        Real<&P::FLucro4>("Produto.Lucro4"),
        Real<&P::FEstMinimo>("Produto.EstMinimo"),
        Real<&P::FEstMaximo>("Produto.EstMaximo"),
        Real<&P::FComissao>("Produto.Comissao"),
        Real<&P::FPercIva>("Produto.Perc_Iva"),
        Real<&P::FFatorConversao>("Produto.FatorConversao"),
        Texto<&P::FMultiplicaDifica>("Produto.MultDivide"),
        Real<&P::FValorIpi>("Produto.ValorIpi"),
        Real<&P::FPrecoPromo>("Produto.PrecoPromo"),
        // The update clears an empty registration date and writes the other dates, 1900 included.
        DataTexto<&P::FDt_Cadastro>("Produto.DT_CADASTRO"),
        Data<&P::FData_Ult_Ent>("Produto.Data_Ult_Ent1", &DataConhecida<&P::FData_Ult_Ent>, TAusencia::SoNaInsercao),
        Data<&P::FData_Ult_Rea>("Produto.Data_Ult_Reajuste", &DataConhecida<&P::FData_Ult_Rea>,
                                TAusencia::SoNaInsercao),
        Data<&P::FData_Ult_Alt>("Produto.Data_Ult_Alteracao", &DataConhecida<&P::FData_Ult_Alt>,
                                TAusencia::SoNaInsercao),
        Texto<&P::FFracionado>("Produto.Fracionado"),
        Texto<&P::FCampoLivre1>("Produto.CAMPOLIVRE1"),
        Texto<&P::FCampoLivre2>("Produto.CAMPOLIVRE2"),
        Texto<&P::FCampoLivre3>("Produto.CAMPOLIVRE3"),
        Texto<&P::FCampoLivre4>("Produto.CAMPOLIVRE4"),
        Texto<&P::FMensagem00>("Produto.mensagem00"),
        Real<&P::FAliqIcmsReg01>("Produto.aliqicmsreg01"),
        Real<&P::FBaseIcmsReg01>("Produto.BaseIcmsReg01"),
        Texto<&P::FMensagem01>("Produto.mensagem01"),
        Real<&P::FAliqIcmsReg02>("Produto.aliqicmsreg02"),
        Texto<&P::FCodTribut02>("Produto.CODTRIBUT02"),
        Texto<&P::FMensagem02>("Produto.mensagem02"),
        Real<&P::FAliqIcmsReg03>("Produto.aliqicmsreg03"),
        Real<&P::FBaseIcmsReg03>("Produto.BaseIcmsReg03"),
        Texto<&P::FCodTribut03>("Produto.CODTRIBUT03"),
        Texto<&P::FMensagem03>("Produto.mensagem03"),
        Real<&P::FAliqIcmsDiversos>("Produto.AliqIcmsDiversos"),
        Real<&P::FBaseIcmsdiversos>("Produto.BaseIcmsdiversos"),
        Texto<&P::FCodTributDiversos>("Produto.CodTributDiversos"),
        Texto<&P::FMensagemDiversos>("Produto.MensagemDiversos"),
        Real<&P::Flucrosubstrib>("Produto.lucrosubstrib"),
        Texto<&P::FSubsTribSaida>("Produto.substribsaida"),
        Real<&P::FPercPerda>("Produto.PERCPERDA"),
        Real<&P::FPercBaseSubsTribSaida>("Produto.percbasesubstribsaida"),
        Real<&P::FPercIcmsSubsTribSaida>("Produto.PercIcmsSubsTribSaida"),
        Texto<&P::FSubsTribSaidaR1>("Produto.substribsaidaR1"),
        Real<&P::FPercBaseSubsTribSaidaR1>("Produto.percbasesubstribsaidaR1"),
        Real<&P::FPercIcmsSubsTribSaidaR1>("Produto.PercIcmsSubsTribSaidaR1"),
        Texto<&P::FSubsTribSaidaR2>("Produto.substribsaidaR2"),
        Real<&P::FPercBaseSubsTribSaidaR2>("Produto.percbasesubstribsaidaR2"),
        Real<&P::FPercIcmsSubsTribSaidaR2>("Produto.PercIcmsSubsTribSaidaR2"),
        Texto<&P::FSubsTribSaidaR3>("Produto.substribsaidaR3"),
        Real<&P::FPercBaseSubsTribSaidaR3>("Produto.percbasesubstribsaidaR3"),
        Real<&P::FPercIcmsSubsTribSaidaR3>("Produto.PercIcmsSubsTribSaidaR3"),
        Texto<&P::FSubsTribSaidaR4>("Produto.substribsaidaR4"),
        Real<&P::FPercBaseSubsTribSaidaR4>("Produto.percbasesubstribsaidaR4"),
        Texto<&P::FControleLote>("Produto.ControleLote"),
        Real<&P::FPercIcmsSubsTribSaidaR4>("Produto.PercIcmsSubsTribSaidaR4"),
        Real<&P::FQuant_Ult_Ent1>("Produto.Quant_Ult_Ent1"),
        Texto<&P::FCFOPForaUF>("Produto.CFOPFORAUF"),
        Texto<&P::FCFOPDentroUF>("Produto.CFOPDENTROUF"),
        Inteiro<&P::FDiasEstMinimo>("Produto.DIASESTMINIMO"),
        Inteiro<&P::FDiasEstMaximo>("Produto.DIASESTMAXIMO"),
        Inteiro<&P::FGRADE>("Produto.grade", kInsercao),
    };
    return colunas;
}

bool TConverteProduto::ExecutaSql() {
    m_linha.Insere(Destino(), m_campos);
    LimpaVariavel();
    return true;
}

bool TConverteProduto::AtualizaProduto() {
    m_linha.Atualiza(Destino(), m_campos);
    LimpaVariavel();
    return true;
}

bool TConverteProduto::AtualizaProdutoPreco() {
    m_linha.Atualiza(Destino(), m_campos, kAtualizacaoPreco);
    LimpaVariavel();
    return true;
}
