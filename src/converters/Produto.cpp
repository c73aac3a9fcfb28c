#include "Produto.h"

#include "ConfiguracaoRegional.h"
#include "TQueryDestino.h"
#include "TextoPrimitivas.h"

#include <QDate>

namespace {

// The last n characters of a text (the whole text when shorter).
QString Ultimos(const QString& t, qsizetype n) {
    return t.size() <= n ? t : t.right(n);
}

} // namespace

TConverteProduto::TConverteProduto(TConexaoDestino* cBanco) : TConversao(cBanco) {
    Regional().formatoDataCurta = QStringLiteral("dd/mm/yyyy");
    LimpaVariavel();
}

TDateTime TConverteProduto::SemData() {
    // Fixed rather than parsed from "01/01/1900", so a regional date separator other than '/'
    // cannot make every writer fail.
    static const TDateTime data = DataParaTDateTime(QDate(1900, 1, 1));
    return data;
}

void TConverteProduto::SetCodProd(const QString& value) {
    const QString t = Trim(value);
    FCodProd = StrZero(Copia(t, 1, 6), 6);
    Confere("PRODUTO.CODPROD", t.size(), 6, FCodProd);
}

void TConverteProduto::SetDescricao(const QString& value) {
    FDescricao = Trim(Copia(value, 1, 50));
    Confere("PRODUTO.DESCRICAO", value.size(), 50, FDescricao);
}

void TConverteProduto::SetDescricao2(const QString& value) {
    FDescricao2 = Copia(value, 1, 50);
}

void TConverteProduto::SetDescricao3(const QString& value) {
    FDescricao3 = Copia(value, 1, 50);
}

void TConverteProduto::SetReferencia(const QString& value) {
    FReferencia = Copia(value, 1, 20);
}

void TConverteProduto::SetRefFabricante(const QString& value) {
    FRefFabricante = Copia(Trim(value), 1, 20);
}

void TConverteProduto::SetPrincipalFornecedor(const QString& value) {
    const QString t = Trim(value);
    FPrincipalFornecedor = t.isEmpty() ? t : StrZero(t, 6);
}

void TConverteProduto::SetCodGrupo(const QString& value) {
    // Blank means no group; otherwise the code is taken from the end of the value as passed.
    if (Copia(Trim(value), 1, 3).isEmpty()) {
        FCodGrupo.clear();
    } else {
        FCodGrupo = StrZero(Ultimos(value, 3), 3);
    }
}

void TConverteProduto::SetCodSubGrupo(const QString& value) {
    FCodSubGrupo = value.isEmpty() ? value : StrZero(Ultimos(value, 3), 3);
}

void TConverteProduto::SetUnidEntrada(const QString& value) {
    FUnidEntrada = Copia(value, 1, 6);
}

void TConverteProduto::SetUnidSaida(const QString& value) {
    FUnidSaida = Copia(value, 1, 6);
}

void TConverteProduto::SetCodFamilia(const QString& value) {
    FCodFamilia = Copia(value, 1, 2);
}

void TConverteProduto::SetCodTipoProduto(const QString& value) {
    FCodTipoProduto = Copia(value, 1, 2);
}

void TConverteProduto::SetDescricaoPreco(const QString& value) {
    FDescricaoPreco = Copia(value, 1, 10);
}

void TConverteProduto::SetDescricaoPreco2(const QString& value) {
    FDescricaoPreco2 = Copia(value, 1, 10);
}

void TConverteProduto::SetDescricaoPreco3(const QString& value) {
    FDescricaoPreco3 = Copia(value, 1, 10);
}

void TConverteProduto::SetDescricaoPreco4(const QString& value) {
    FDescricaoPreco4 = Copia(value, 1, 10);
}

void TConverteProduto::SetCodLocal(const QString& value) {
    FCodLocal = Copia(value, 1, 8);
}

void TConverteProduto::SetCampoLivre1(const QString& value) {
    FCampoLivre1 = Copia(Trim(value), 1, 20);
}

void TConverteProduto::SetCampoLivre2(const QString& value) {
    FCampoLivre2 = Copia(Trim(value), 1, 20);
}

void TConverteProduto::SetCampoLivre3(const QString& value) {
    FCampoLivre3 = Copia(Trim(value), 1, 50);
}

void TConverteProduto::SetCampoLivre4(const QString& value) {
    FCampoLivre4 = Copia(Trim(value), 1, 50);
}

void TConverteProduto::SetAtivado(const QString& value) {
    FAtivado = Copia(value, 1, 1);
}

void TConverteProduto::SetCodClasFis(const QString& value) {
    // The zeros go in front of the value as passed (blanks included), not of the trimmed one.
    FCodClasFis = Trim(value).isEmpty() ? QString() : StrZero(value, 4);
}

void TConverteProduto::SetCodTribut00(const QString& value) {
    const QString t = Trim(value);
    FCodTribut00 = t.isEmpty() ? t : StrZero(t, 3);
}

void TConverteProduto::SetEmbalagem(const QString& value) {
    FEmbalagem = Copia(Trim(value), 1, 15);
}

void TConverteProduto::SetFCodFabric(const QString& value) {
    const QString t = Trim(value);
    FCodFabric = t.isEmpty() ? t : StrZero(Copia(t, 1, 5), 5);
}

void TConverteProduto::setCodVolume(const QString& value) {
    FCodVolume = Copia(value, 1, 3);
}

void TConverteProduto::setTipoEntrega(const QString& value) {
    FTipoEntrega = Copia(value, 1, 1);
}

void TConverteProduto::SetCodTribut02(const QString& value) {
    const QString t = Trim(value);
    FCodTribut02 = t.isEmpty() ? t : StrZero(t, 3);
}

void TConverteProduto::SetCodTribut03(const QString& value) {
    const QString t = Trim(value);
    FCodTribut03 = t.isEmpty() ? t : StrZero(t, 3);
}

void TConverteProduto::SetCodTributDiversos(const QString& value) {
    const QString t = Trim(value);
    FCodTributDiversos = t.isEmpty() ? t : StrZero(t, 3);
}

void TConverteProduto::SetCodTribut01(const QString& value) {
    const QString t = Trim(value);
    FCodTribut01 = t.isEmpty() ? t : StrZero(t, 3);
}

void TConverteProduto::SetCFOPForaUF(const QString& value) {
    FCFOPForaUF = Copia(value, 1, 4);
}

void TConverteProduto::SetCFOPDentroUF(const QString& value) {
    FCFOPDentroUF = Copia(value, 1, 4);
}

void TConverteProduto::LimpaVariavel() {
    const TDateTime semData = SemData();
    FData_Ult_Ent = semData;
    FData_Ult_Rea = semData;
    FData_Ult_Alt = semData;
    SetCodProd(QString());
    SetDescricao(QString());
    SetDescricao2(QString());
    SetDescricao3(QString());
    SetReferencia(QString());
    SetRefFabricante(QString());
    SetPrincipalFornecedor(QString());
    SetCodGrupo(QString());
    SetCodSubGrupo(QString());
    SetUnidEntrada(QStringLiteral("UN"));
    SetUnidSaida(QStringLiteral("UN"));
    SetCodFamilia(QString());
    SetCodTipoProduto(QString());
    SetDescricaoPreco(QString());
    SetDescricaoPreco2(QString());
    SetDescricaoPreco3(QString());
    SetDescricaoPreco4(QString());
    SetCodLocal(QString());
    SetCampoLivre1(QString());
    SetCampoLivre2(QString());
    SetCampoLivre3(QString());
    SetCampoLivre4(QString());
    SetObservacao(QString());
    SetControleSerie(QString());
    SetAtivado(QStringLiteral("S"));
    SetTipoProd(QStringLiteral("R"));
    SetProdBloqueado(QStringLiteral("N"));
    SetCodClasFis(QString());
    SetCodTribut00(QString());
    SetDt_Cadastro(QString());
    SetEmbalagem(QString());
    setFFornec_Ult_Ent1(QString());
    SetFCodFabric(QString());
    setCodVolume(QString());
    setTipoEntrega(QString());
    SetMensagem00(QString());
    SetMensagem01(QString());
    SetCodTribut02(QString());
    SetCodTribut03(QString());
    SetMensagem02(QString());
    SetMensagem03(QString());
    SetControleLote(QString());
    SetCodTributDiversos(QString());
    SetMensagemDiversos(QString());
    SetSubsTribSaidaR1(QString());
    SetSubsTribSaidaR2(QString());
    SetSubsTribSaidaR3(QString());
    SetSubsTribSaidaR4(QString());
    SetSugestao(0);
    SetPreco(0);
    SetPreco2(0);
    SetPreco3(0);
    SetPreco4(0);
    SetPrecoAnterior(0);
    SetPeso(0);
    SetAliqIcmsReg00(0);
    SetBaseicmsReg00(0);
    SetAliqIcmsPdv(0);
    SetValorIpi(0);
    SetAliqIcmsReg02(0);
    SetAliqIcmsDiversos(0);
    SetBaseIcmsdiversos(0);
    SetPercBaseSubsTribSaidaR1(0);
    SetPercIcmsSubsTribSaidaR1(0);
    SetPercBaseSubsTribSaidaR2(0);
    SetPercIcmsSubsTribSaidaR2(0);
    SetPercBaseSubsTribSaidaR3(0);
    SetPercIcmsSubsTribSaidaR3(0);
    SetPercBaseSubsTribSaidaR4(0);
    SetPercIcmsSubsTribSaidaR4(0);
    SetQuant_Ult_Ent1(0);
    SetPrecoPromo(0);
    SetAliqIpi(0);
    SetAliqIss(0);
    SetLucro(0);
    setLucro2(0);
    setLucro3(0);
    SetEstMinimo(0);
    SetEstMaximo(0);
    SetAliqIcmsReg01(0);
    SetBaseIcmsReg01(0);
    SetAliqIcmsReg03(0);
    SetLucroSubStrib(0);
    SetPercBaseSubsTribSaida(0);
    SetPercIcmsSubsTribSaida(0);
    SetComissao(0);
    SetSubsTrib(QString());
    SetSubsTribSaida(QString());
    setLucro4(0);
    FFracionado.clear();
    SetBaseIcmsReg02(0);
    SetBaseIcmsReg03(0);
    SetCodTribut01(QString());
    setPercIva(0);
    SetFatorConversao(0);
    SetCFOPForaUF(QString());
    SetCFOPDentroUF(QString());
    SetGrade(0);
    SetCodGeneroItem(QString());
    SetDiasEstMinimo(0);
    SetDiasEstMaximo(0);
}

void TConverteProduto::LimpaTabela() {
    EsvaziaTabela(QStringLiteral("PRODUTO"));
}

void TConverteProduto::AtivaControleSerie(const QString& Status) {
    Auxiliar().Fecha();
    // No condition: the switch is one value for the whole installation.
    Auxiliar().SetSQL(QStringLiteral("Update PARAFAT set  PARAFAT.CONTROLESERIE = :CONTROLESERIE"));
    Auxiliar().ParamTexto(QStringLiteral("CONTROLESERIE"), Copia(Status, 1, 1));
    Auxiliar().Executa();
    Auxiliar().SetSQL(QStringLiteral("Commit;"));
    Auxiliar().Executa();
}

void TConverteProduto::GravaRelPrFo(const QString& sCodProduto, const QString& sPrincipalFornec,
                                    const QString& scodprodfornec) {
    if (sPrincipalFornec.isEmpty()) {
        return;
    }
    Auxiliar().Fecha();
    // Dialect 1: "S" is a string literal.
    Auxiliar().SetSQL(QStringLiteral("Insert Into relprfo (relprfo.codprod, relprfo.codfornec, relprfo.principal, "
                                     "relprfo.codprodfornec) Values (:Produto, :Fornecedor, \"S\", :codprodfornec)"));
    Auxiliar().ParamTexto(QStringLiteral("Produto"), sCodProduto);
    Auxiliar().ParamTexto(QStringLiteral("Fornecedor"), sPrincipalFornec);
    Auxiliar().ParamTexto(QStringLiteral("codprodfornec"), scodprodfornec);
    Auxiliar().Executa();
}

void TConverteProduto::GravaInventa(const QString& sCodProduto, double sPrecoCusto) {
    if (sPrecoCusto <= 0) {
        return;
    }
    Auxiliar().Fecha();
    Auxiliar().SetSQL(QStringLiteral(
        "Insert Into inventa (inventa.codempresa, inventa.datainv, inventa.documento, inventa.processado, "
        "inventa.codgrade, inventa.codcausa, inventa.codprod, inventa.precocusto) "
        "Values (\"00\", :Data, \"1\", \"N\", \"0000\", \"001\", :pCodProd, :pPrecoCusto)"));
    Auxiliar().ParamData(QStringLiteral("Data"), Hoje());
    Auxiliar().ParamTexto(QStringLiteral("pCodProd"), sCodProduto);
    Auxiliar().ParamDouble(QStringLiteral("pPrecoCusto"), sPrecoCusto);
    Auxiliar().Executa();
}
