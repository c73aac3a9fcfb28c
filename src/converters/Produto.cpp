#include "Produto.h"

#include "ConfiguracaoRegional.h"
#include "TQueryDestino.h"
#include "TextoPrimitivas.h"

#include <QDate>

#include <utility>

namespace {

// The last n characters of a text (the whole text when shorter).
QString Ultimos(const QString& t, qsizetype n) {
    return t.size() <= n ? t : t.right(n);
}

} // namespace

TConverteProduto::TConverteProduto(TConexaoDestino* cBanco) : TConversao(cBanco) {
    Regional().formatoDataCurta = QStringLiteral("dd/mm/yyyy");
}

TDateTime TConverteProduto::SemData() {
    // Fixed rather than parsed from "01/01/1900", so a regional date separator other than '/'
    // cannot make every writer fail.
    static const TDateTime data = DataParaTDateTime(QDate(1900, 1, 1));
    return data;
}

void TConverteProduto::SetCodProd(const QString& value) {
    const QString t = Trim(value);
    m_campos.FCodProd = StrZero(Copia(t, 1, 6), 6);
    Confere("PRODUTO.CODPROD", t.size(), 6, m_campos.FCodProd);
}

void TConverteProduto::SetDescricao(const QString& value) {
    m_campos.FDescricao = Trim(Copia(value, 1, 50));
    Confere("PRODUTO.DESCRICAO", value.size(), 50, m_campos.FDescricao);
}

void TConverteProduto::SetDescricao2(const QString& value) {
    m_campos.FDescricao2 = Copia(value, 1, 50);
}

void TConverteProduto::SetDescricao3(const QString& value) {
    m_campos.FDescricao3 = Copia(value, 1, 50);
}

void TConverteProduto::SetReferencia(const QString& value) {
    m_campos.FReferencia = Copia(value, 1, 20);
}

void TConverteProduto::SetRefFabricante(const QString& value) {
    m_campos.FRefFabricante = Copia(Trim(value), 1, 20);
}

void TConverteProduto::SetPrincipalFornecedor(const QString& value) {
    const QString t = Trim(value);
    m_campos.FPrincipalFornecedor = t.isEmpty() ? t : StrZero(t, 6);
}

void TConverteProduto::SetCodGrupo(const QString& value) {
    // Blank means no group; otherwise the code is taken from the end of the value as passed.
    if (Copia(Trim(value), 1, 3).isEmpty()) {
        m_campos.FCodGrupo.clear();
    } else {
        m_campos.FCodGrupo = StrZero(Ultimos(value, 3), 3);
    }
}

void TConverteProduto::SetCodSubGrupo(const QString& value) {
    m_campos.FCodSubGrupo = value.isEmpty() ? value : StrZero(Ultimos(value, 3), 3);
}

void TConverteProduto::SetUnidEntrada(const QString& value) {
    m_campos.FUnidEntrada = Copia(value, 1, 6);
}

void TConverteProduto::SetUnidSaida(const QString& value) {
    m_campos.FUnidSaida = Copia(value, 1, 6);
}

void TConverteProduto::SetCodFamilia(const QString& value) {
    m_campos.FCodFamilia = Copia(value, 1, 2);
}

void TConverteProduto::SetCodTipoProduto(const QString& value) {
    m_campos.FCodTipoProduto = Copia(value, 1, 2);
}

void TConverteProduto::SetDescricaoPreco(const QString& value) {
    m_campos.FDescricaoPreco = Copia(value, 1, 10);
}

void TConverteProduto::SetDescricaoPreco2(const QString& value) {
    m_campos.FDescricaoPreco2 = Copia(value, 1, 10);
}

void TConverteProduto::SetDescricaoPreco3(const QString& value) {
    m_campos.FDescricaoPreco3 = Copia(value, 1, 10);
}

void TConverteProduto::SetDescricaoPreco4(const QString& value) {
    m_campos.FDescricaoPreco4 = Copia(value, 1, 10);
}

void TConverteProduto::SetCodLocal(const QString& value) {
    m_campos.FCodLocal = Copia(value, 1, 8);
}

void TConverteProduto::SetCampoLivre1(const QString& value) {
    m_campos.FCampoLivre1 = Copia(Trim(value), 1, 20);
}

void TConverteProduto::SetCampoLivre2(const QString& value) {
    m_campos.FCampoLivre2 = Copia(Trim(value), 1, 20);
}

void TConverteProduto::SetCampoLivre3(const QString& value) {
    m_campos.FCampoLivre3 = Copia(Trim(value), 1, 50);
}

void TConverteProduto::SetCampoLivre4(const QString& value) {
    m_campos.FCampoLivre4 = Copia(Trim(value), 1, 50);
}

void TConverteProduto::SetAtivado(const QString& value) {
    m_campos.FAtivado = Copia(value, 1, 1);
}

void TConverteProduto::SetCodClasFis(const QString& value) {
    // The zeros go in front of the value as passed (blanks included), not of the trimmed one.
    m_campos.FCodClasFis = Trim(value).isEmpty() ? QString() : StrZero(value, 4);
}

void TConverteProduto::SetCodTribut00(const QString& value) {
    const QString t = Trim(value);
    m_campos.FCodTribut00 = t.isEmpty() ? t : StrZero(t, 3);
}

void TConverteProduto::SetEmbalagem(const QString& value) {
    m_campos.FEmbalagem = Copia(Trim(value), 1, 15);
}

void TConverteProduto::SetFCodFabric(const QString& value) {
    const QString t = Trim(value);
    m_campos.FCodFabric = t.isEmpty() ? t : StrZero(Copia(t, 1, 5), 5);
}

void TConverteProduto::setCodVolume(const QString& value) {
    m_campos.FCodVolume = Copia(value, 1, 3);
}

void TConverteProduto::setTipoEntrega(const QString& value) {
    m_campos.FTipoEntrega = Copia(value, 1, 1);
}

void TConverteProduto::SetCodTribut02(const QString& value) {
    const QString t = Trim(value);
    m_campos.FCodTribut02 = t.isEmpty() ? t : StrZero(t, 3);
}

void TConverteProduto::SetCodTribut03(const QString& value) {
    const QString t = Trim(value);
    m_campos.FCodTribut03 = t.isEmpty() ? t : StrZero(t, 3);
}

void TConverteProduto::SetCodTributDiversos(const QString& value) {
    const QString t = Trim(value);
    m_campos.FCodTributDiversos = t.isEmpty() ? t : StrZero(t, 3);
}

void TConverteProduto::SetCodTribut01(const QString& value) {
    const QString t = Trim(value);
    m_campos.FCodTribut01 = t.isEmpty() ? t : StrZero(t, 3);
}

void TConverteProduto::SetCFOPForaUF(const QString& value) {
    m_campos.FCFOPForaUF = Copia(value, 1, 4);
}

void TConverteProduto::SetCFOPDentroUF(const QString& value) {
    m_campos.FCFOPDentroUF = Copia(value, 1, 4);
}

void TConverteProduto::LimpaVariavel() {
    // Four fields carry their value over to the next product.
    TCampos vazio;
    vazio.FPercPerda = m_campos.FPercPerda;
    vazio.FDescontoMax = m_campos.FDescontoMax;
    vazio.FPrUltEnt1 = m_campos.FPrUltEnt1;
    vazio.FMultiplicaDifica = std::move(m_campos.FMultiplicaDifica);
    m_campos = std::move(vazio);
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
