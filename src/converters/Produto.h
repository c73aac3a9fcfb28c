#pragma once

#include "DescricaoLinha.h"
#include "classConversao.h"

#include <QString>

#include <span>

/// Writer of the target's products (PRODUTO): one row held in its fields, cleaned on the way in
/// by the setters, inserted (or updated) through one description of its row. Also writes the serial-number
/// switch of PARAFAT and the side tables relprfo and inventa.
///
/// Four fields are never reset (PercPerda, DescontoMaximo, Pr_Ult_Ent1, MultiplicaDivide): they
/// carry their last value from one row to the next. Constructing a writer sets the process-wide
/// short date format to "dd/mm/yyyy".
class TConverteProduto : public TConversao {
public:
    /// Without a connection it only fills its values (see TConversao).
    explicit TConverteProduto(TConexaoDestino* cBanco = nullptr);
    explicit TConverteProduto(TConexaoDestino& cBanco) : TConverteProduto(&cBanco) {}

    /// The date that stands for "no date known" (1 January 1900).
    static TDateTime SemData();

    TDateTime Data_Ult_Ent() const { return FData_Ult_Ent; }
    void SetData_Ult_Ent(TDateTime value) { FData_Ult_Ent = value; }
    TDateTime Data_Ult_Rea() const { return FData_Ult_Rea; }
    void SetData_Ult_Rea(TDateTime value) { FData_Ult_Rea = value; }
    TDateTime Data_Ult_Alteracao() const { return FData_Ult_Alt; }
    void SetData_Ult_Alteracao(TDateTime value) { FData_Ult_Alt = value; }
    const QString& CodProd() const { return FCodProd; }
    void SetCodProd(const QString& value);
    const QString& Descricao() const { return FDescricao; }
    void SetDescricao(const QString& value);
    const QString& Descricao2() const { return FDescricao2; }
    void SetDescricao2(const QString& value);
    const QString& Descricao3() const { return FDescricao3; }
    void SetDescricao3(const QString& value);
    const QString& Referencia() const { return FReferencia; }
    void SetReferencia(const QString& value);
    const QString& RefFabricante() const { return FRefFabricante; }
    void SetRefFabricante(const QString& value);
    const QString& PrincipalFornecedor() const { return FPrincipalFornecedor; }
    void SetPrincipalFornecedor(const QString& value);
    const QString& CodGrupo() const { return FCodGrupo; }
    void SetCodGrupo(const QString& value);
    const QString& CodSubGrupo() const { return FCodSubGrupo; }
    void SetCodSubGrupo(const QString& value);
    const QString& UnidEntrada() const { return FUnidEntrada; }
    void SetUnidEntrada(const QString& value);
    const QString& UnidSaida() const { return FUnidSaida; }
    void SetUnidSaida(const QString& value);
    const QString& CodFamilia() const { return FCodFamilia; }
    void SetCodFamilia(const QString& value);
    const QString& CodTipoProduto() const { return FCodTipoProduto; }
    void SetCodTipoProduto(const QString& value);
    const QString& DescricaoPreco() const { return FDescricaoPreco; }
    void SetDescricaoPreco(const QString& value);
    const QString& DescricaoPreco2() const { return FDescricaoPreco2; }
    void SetDescricaoPreco2(const QString& value);
    const QString& DescricaoPreco3() const { return FDescricaoPreco3; }
    void SetDescricaoPreco3(const QString& value);
    const QString& DescricaoPreco4() const { return FDescricaoPreco4; }
    void SetDescricaoPreco4(const QString& value);
    const QString& CodLocal() const { return FCodLocal; }
    void SetCodLocal(const QString& value);
    const QString& CampoLivre1() const { return FCampoLivre1; }
    void SetCampoLivre1(const QString& value);
    const QString& CampoLivre2() const { return FCampoLivre2; }
    void SetCampoLivre2(const QString& value);
    const QString& CampoLivre3() const { return FCampoLivre3; }
    void SetCampoLivre3(const QString& value);
    const QString& CampoLivre4() const { return FCampoLivre4; }
    void SetCampoLivre4(const QString& value);
    const QString& Observacao() const { return FObservacao; }
    void SetObservacao(const QString& value) { FObservacao = value; }
    const QString& ControleSerie() const { return FControleSerie; }
    void SetControleSerie(const QString& value) { FControleSerie = value; }
    const QString& Ativado() const { return FAtivado; }
    void SetAtivado(const QString& value);
    const QString& TipoProd() const { return FTipoProd; }
    void SetTipoProd(const QString& value) { FTipoProd = value; }
    const QString& ProdBloqueado() const { return FProdBloqueado; }
    void SetProdBloqueado(const QString& value) { FProdBloqueado = value; }
    const QString& CodClasFis() const { return FCodClasFis; }
    void SetCodClasFis(const QString& value);
    const QString& CodTribut00() const { return FCodTribut00; }
    void SetCodTribut00(const QString& value);
    const QString& Dt_Cadastro() const { return FDt_Cadastro; }
    void SetDt_Cadastro(const QString& value) { FDt_Cadastro = value; }
    const QString& Embalagem() const { return FEmbalagem; }
    void SetEmbalagem(const QString& value);
    const QString& Fornec_Ult_Ent1() const { return FFornec_Ult_Ent1; }
    void setFFornec_Ult_Ent1(const QString& value) { FFornec_Ult_Ent1 = value; }
    const QString& CodFabric() const { return FCodFabric; }
    void SetFCodFabric(const QString& value);
    const QString& CodVolume() const { return FCodVolume; }
    void setCodVolume(const QString& value);
    const QString& TipoEntrega() const { return FTipoEntrega; }
    void setTipoEntrega(const QString& value);
    const QString& Mensagem00() const { return FMensagem00; }
    void SetMensagem00(const QString& value) { FMensagem00 = value; }
    const QString& Mensagem01() const { return FMensagem01; }
    void SetMensagem01(const QString& value) { FMensagem01 = value; }
    const QString& CodTribut02() const { return FCodTribut02; }
    void SetCodTribut02(const QString& value);
    const QString& CodTribut03() const { return FCodTribut03; }
    void SetCodTribut03(const QString& value);
    const QString& Mensagem02() const { return FMensagem02; }
    void SetMensagem02(const QString& value) { FMensagem02 = value; }
    const QString& Mensagem03() const { return FMensagem03; }
    void SetMensagem03(const QString& value) { FMensagem03 = value; }
    const QString& ControleLote() const { return FControleLote; }
    void SetControleLote(const QString& value) { FControleLote = value; }
    const QString& CodTributDiversos() const { return FCodTributDiversos; }
    void SetCodTributDiversos(const QString& value);
    const QString& MensagemDiversos() const { return FMensagemDiversos; }
    void SetMensagemDiversos(const QString& value) { FMensagemDiversos = value; }
    const QString& SubsTribSaidaR1() const { return FSubsTribSaidaR1; }
    void SetSubsTribSaidaR1(const QString& value) { FSubsTribSaidaR1 = value; }
    const QString& SubsTribSaidaR2() const { return FSubsTribSaidaR2; }
    void SetSubsTribSaidaR2(const QString& value) { FSubsTribSaidaR2 = value; }
    const QString& SubsTribSaidaR3() const { return FSubsTribSaidaR3; }
    void SetSubsTribSaidaR3(const QString& value) { FSubsTribSaidaR3 = value; }
    const QString& SubsTribSaidaR4() const { return FSubsTribSaidaR4; }
    void SetSubsTribSaidaR4(const QString& value) { FSubsTribSaidaR4 = value; }
    double Sugestao() const { return FSugestao; }
    void SetSugestao(double value) { FSugestao = value; }
    double Preco() const { return FPreco; }
    void SetPreco(double value) { FPreco = value; }
    double Preco2() const { return FPreco2; }
    void SetPreco2(double value) { FPreco2 = value; }
    double Preco3() const { return FPreco3; }
    void SetPreco3(double value) { FPreco3 = value; }
    double Preco4() const { return FPreco4; }
    void SetPreco4(double value) { FPreco4 = value; }
    double Preco_Anterior() const { return FPreco_Anterior; }
    void SetPrecoAnterior(double value) { FPreco_Anterior = value; }
    double Peso() const { return FPeso; }
    void SetPeso(double value) { FPeso = value; }
    double AliqIcmsReg00() const { return FAliqIcmsReg00; }
    void SetAliqIcmsReg00(double value) { FAliqIcmsReg00 = value; }
    double BaseIcmsReg00() const { return FBaseIcmsReg00; }
    void SetBaseicmsReg00(double value) { FBaseIcmsReg00 = value; }
    double AliqIcmsPdv() const { return FAliqIcmsPdv; }
    void SetAliqIcmsPdv(double value) { FAliqIcmsPdv = value; }
    double ValorIpi() const { return FValorIpi; }
    void SetValorIpi(double value) { FValorIpi = value; }
    double AliqIcmsReg02() const { return FAliqIcmsReg02; }
    void SetAliqIcmsReg02(double value) { FAliqIcmsReg02 = value; }
    double AliqIcmsDiversos() const { return FAliqIcmsDiversos; }
    void SetAliqIcmsDiversos(double value) { FAliqIcmsDiversos = value; }
    double BaseIcmsdiversos() const { return FBaseIcmsdiversos; }
    void SetBaseIcmsdiversos(double value) { FBaseIcmsdiversos = value; }
    double PercPerda() const { return FPercPerda; }
    void SetPercPerda(double value) { FPercPerda = value; }
    double PercBaseSubsTribSaidaR1() const { return FPercBaseSubsTribSaidaR1; }
    void SetPercBaseSubsTribSaidaR1(double value) { FPercBaseSubsTribSaidaR1 = value; }
    double PercIcmsSubsTribSaidaR1() const { return FPercIcmsSubsTribSaidaR1; }
    void SetPercIcmsSubsTribSaidaR1(double value) { FPercIcmsSubsTribSaidaR1 = value; }
    double PercBaseSubsTribSaidaR2() const { return FPercBaseSubsTribSaidaR2; }
    void SetPercBaseSubsTribSaidaR2(double value) { FPercBaseSubsTribSaidaR2 = value; }
    double PercIcmsSubsTribSaidaR2() const { return FPercIcmsSubsTribSaidaR2; }
    void SetPercIcmsSubsTribSaidaR2(double value) { FPercIcmsSubsTribSaidaR2 = value; }
    double PercBaseSubsTribSaidaR3() const { return FPercBaseSubsTribSaidaR3; }
    void SetPercBaseSubsTribSaidaR3(double value) { FPercBaseSubsTribSaidaR3 = value; }
    double PercIcmsSubsTribSaidaR3() const { return FPercIcmsSubsTribSaidaR3; }
    void SetPercIcmsSubsTribSaidaR3(double value) { FPercIcmsSubsTribSaidaR3 = value; }
    double PercBaseSubsTribSaidaR4() const { return FPercBaseSubsTribSaidaR4; }
    void SetPercBaseSubsTribSaidaR4(double value) { FPercBaseSubsTribSaidaR4 = value; }
    double PercIcmsSubsTribSaidaR4() const { return FPercIcmsSubsTribSaidaR4; }
    void SetPercIcmsSubsTribSaidaR4(double value) { FPercIcmsSubsTribSaidaR4 = value; }
    double Quant_Ult_Ent1() const { return FQuant_Ult_Ent1; }
    void SetQuant_Ult_Ent1(double value) { FQuant_Ult_Ent1 = value; }
    double PrecoPromo() const { return FPrecoPromo; }
    void SetPrecoPromo(double value) { FPrecoPromo = value; }
    double AliqIpi() const { return FAliqIpi; }
    void SetAliqIpi(double value) { FAliqIpi = value; }
    double AliqIss() const { return FAliqIss; }
    void SetAliqIss(double value) { FAliqIss = value; }
    double Lucro() const { return FLucro; }
    void SetLucro(double value) { FLucro = value; }
    double Lucro2() const { return Flucro2; }
    void setLucro2(double value) { Flucro2 = value; }
    double Lucro3() const { return FLucro3; }
    void setLucro3(double value) { FLucro3 = value; }
    double EstMinimo() const { return FEstMinimo; }
    void SetEstMinimo(double value) { FEstMinimo = value; }
    double EstMaximo() const { return FEstMaximo; }
    void SetEstMaximo(double value) { FEstMaximo = value; }
    double AliqIcmsReg01() const { return FAliqIcmsReg01; }
    void SetAliqIcmsReg01(double value) { FAliqIcmsReg01 = value; }
    double BaseIcmsReg01() const { return FBaseIcmsReg01; }
    void SetBaseIcmsReg01(double value) { FBaseIcmsReg01 = value; }
    double AliqIcmsReg03() const { return FAliqIcmsReg03; }
    void SetAliqIcmsReg03(double value) { FAliqIcmsReg03 = value; }
    double LucroSubStrib() const { return Flucrosubstrib; }
    void SetLucroSubStrib(double value) { Flucrosubstrib = value; }
    double PercBaseSubsTribSaida() const { return FPercBaseSubsTribSaida; }
    void SetPercBaseSubsTribSaida(double value) { FPercBaseSubsTribSaida = value; }
    double PercIcmsSubsTribSaida() const { return FPercIcmsSubsTribSaida; }
    void SetPercIcmsSubsTribSaida(double value) { FPercIcmsSubsTribSaida = value; }
    double Comissao() const { return FComissao; }
    void SetComissao(double value) { FComissao = value; }
    const QString& SubsTrib() const { return FSubsTrib; }
    void SetSubsTrib(const QString& value) { FSubsTrib = value; }
    const QString& SubsTribSaida() const { return FSubsTribSaida; }
    void SetSubsTribSaida(const QString& value) { FSubsTribSaida = value; }
    double DescontoMaximo() const { return FDescontoMax; }
    void SetDescontoMaximo(double value) { FDescontoMax = value; }
    double Lucro4() const { return FLucro4; }
    void setLucro4(double value) { FLucro4 = value; }
    const QString& Fracionado() const { return FFracionado; }
    void SetFracionado(const QString& value) { FFracionado = value; }
    double Pr_Ult_Ent1() const { return FPrUltEnt1; }
    void SetPr_Ult_Ent1(double value) { FPrUltEnt1 = value; }
    double BaseIcmsReg02() const { return FBaseIcmsReg02; }
    void SetBaseIcmsReg02(double value) { FBaseIcmsReg02 = value; }
    double BaseIcmsReg03() const { return FBaseIcmsReg03; }
    void SetBaseIcmsReg03(double value) { FBaseIcmsReg03 = value; }
    const QString& CodTribut01() const { return FCodTribut01; }
    void SetCodTribut01(const QString& value);
    double PercIva() const { return FPercIva; }
    void setPercIva(double value) { FPercIva = value; }
    double FatorConversao() const { return FFatorConversao; }
    void SetFatorConversao(double value) { FFatorConversao = value; }
    const QString& CFOPForaUF() const { return FCFOPForaUF; }
    void SetCFOPForaUF(const QString& value);
    const QString& CFOPDentroUF() const { return FCFOPDentroUF; }
    void SetCFOPDentroUF(const QString& value);
    const QString& MultiplicaDivide() const { return FMultiplicaDifica; }
    void setMultiplicaDivide(const QString& value) { FMultiplicaDifica = value; }
    int Grade() const { return FGRADE; }
    void SetGrade(int value) { FGRADE = value; }
    const QString& CodGeneroItem() const { return FCodGeneroItem; }
    void SetCodGeneroItem(const QString& value) { FCodGeneroItem = value; }
    int DiasEstMinimo() const { return FDiasEstMinimo; }
    void SetDiasEstMinimo(int value) { FDiasEstMinimo = value; }
    int DiasEstMaximo() const { return FDiasEstMaximo; }
    void SetDiasEstMaximo(int value) { FDiasEstMaximo = value; }

    /// Gives every field its default; the four carried fields stay as they are.
    void LimpaVariavel();
    /// Deletes every product and commits (the run's transaction up to here included).
    void LimpaTabela();
    /// Inserts the current row and resets it. Raises the engine's error (the row is then kept).
    bool ExecutaSql();

    /// Rewrites the row of CodProd from every field (the three dates always, DT_CADASTRO NULL when
    /// empty) and resets the fields. A code without a row changes nothing.
    bool AtualizaProduto();
    /// Rewrites only references, group, main supplier and the four prices of CodProd; resets the fields.
    bool AtualizaProdutoPreco();
    /// Sets CONTROLESERIE of every PARAFAT row to the first character of Status, then commits.
    void AtivaControleSerie(const QString& Status);
    /// Records the product's main supplier in relprfo; nothing when the supplier is empty.
    void GravaRelPrFo(const QString& sCodProduto, const QString& sPrincipalFornec, const QString& scodprodfornec);
    /// Records an inventory entry dated today in inventa; nothing when the cost is 0 or negative.
    void GravaInventa(const QString& sCodProduto, double sPrecoCusto);

    /// The statements for the current fields, as ExecutaSql, AtualizaProduto and
    /// AtualizaProdutoPreco execute them.
    TLinhaMontada MontaSqlInsercao() const { return m_linha.Monta(*this, kInsercao); }
    TLinhaMontada MontaSqlAtualizacao() const { return m_linha.Monta(*this, kAtualizacao); }
    TLinhaMontada MontaSqlAtualizacaoPreco() const { return m_linha.Monta(*this, kAtualizacaoPreco); }

private:
    /// The row of PRODUTO: every column once, with the field it takes and the statements it is in.
    static std::span<const TColunaLinha<TConverteProduto>> Colunas();
    mutable TDescricaoLinha<TConverteProduto> m_linha{"Produto", Colunas()};

    TDateTime FData_Ult_Ent = 0.0;
    TDateTime FData_Ult_Rea = 0.0;
    TDateTime FData_Ult_Alt = 0.0;
    QString FCodProd;
    QString FDescricao;
    QString FDescricao2;
    QString FDescricao3;
    QString FReferencia;
    QString FRefFabricante;
    QString FPrincipalFornecedor;
    QString FCodGrupo;
    QString FCodSubGrupo;
    QString FUnidEntrada;
    QString FUnidSaida;
    QString FCodFamilia;
    QString FCodTipoProduto;
    QString FDescricaoPreco;
    QString FDescricaoPreco2;
    QString FDescricaoPreco3;
    QString FDescricaoPreco4;
    QString FCodLocal;
    QString FCampoLivre1;
    QString FCampoLivre2;
    QString FCampoLivre3;
    QString FCampoLivre4;
    QString FObservacao;
    QString FControleSerie;
    QString FAtivado;
    QString FTipoProd;
    QString FProdBloqueado;
    QString FCodClasFis;
    QString FCodTribut00;
    QString FDt_Cadastro;
    QString FEmbalagem;
    QString FFornec_Ult_Ent1;
    QString FCodFabric;
    QString FCodVolume;
    QString FTipoEntrega;
    QString FMensagem00;
    QString FMensagem01;
    QString FCodTribut02;
    QString FCodTribut03;
    QString FMensagem02;
    QString FMensagem03;
    QString FControleLote;
    QString FCodTributDiversos;
    QString FMensagemDiversos;
    QString FSubsTribSaidaR1;
    QString FSubsTribSaidaR2;
    QString FSubsTribSaidaR3;
    QString FSubsTribSaidaR4;
    double FSugestao = 0.0;
    double FPreco = 0.0;
    double FPreco2 = 0.0;
    double FPreco3 = 0.0;
    double FPreco4 = 0.0;
    double FPreco_Anterior = 0.0;
    double FPeso = 0.0;
    double FAliqIcmsReg00 = 0.0;
    double FBaseIcmsReg00 = 0.0;
    double FAliqIcmsPdv = 0.0;
    double FValorIpi = 0.0;
    double FAliqIcmsReg02 = 0.0;
    double FAliqIcmsDiversos = 0.0;
    double FBaseIcmsdiversos = 0.0;
    double FPercPerda = 0.0;
    double FPercBaseSubsTribSaidaR1 = 0.0;
    double FPercIcmsSubsTribSaidaR1 = 0.0;
    double FPercBaseSubsTribSaidaR2 = 0.0;
    double FPercIcmsSubsTribSaidaR2 = 0.0;
    double FPercBaseSubsTribSaidaR3 = 0.0;
    double FPercIcmsSubsTribSaidaR3 = 0.0;
    double FPercBaseSubsTribSaidaR4 = 0.0;
    double FPercIcmsSubsTribSaidaR4 = 0.0;
    double FQuant_Ult_Ent1 = 0.0;
    double FPrecoPromo = 0.0;
    double FAliqIpi = 0.0;
    double FAliqIss = 0.0;
    double FLucro = 0.0;
    double Flucro2 = 0.0;
    double FLucro3 = 0.0;
    double FEstMinimo = 0.0;
    double FEstMaximo = 0.0;
    double FAliqIcmsReg01 = 0.0;
    double FBaseIcmsReg01 = 0.0;
    double FAliqIcmsReg03 = 0.0;
    double Flucrosubstrib = 0.0;
    double FPercBaseSubsTribSaida = 0.0;
    double FPercIcmsSubsTribSaida = 0.0;
    double FComissao = 0.0;
    QString FSubsTrib;
    QString FSubsTribSaida;
    double FDescontoMax = 0.0;
    double FLucro4 = 0.0;
    QString FFracionado;
    double FPrUltEnt1 = 0.0;
    double FBaseIcmsReg02 = 0.0;
    double FBaseIcmsReg03 = 0.0;
    QString FCodTribut01;
    double FPercIva = 0.0;
    double FFatorConversao = 0.0;
    QString FCFOPForaUF;
    QString FCFOPDentroUF;
    QString FMultiplicaDifica;
    int FGRADE = 0;
    QString FCodGeneroItem;
    int FDiasEstMinimo = 0;
    int FDiasEstMaximo = 0;
};
