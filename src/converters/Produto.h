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

    TDateTime Data_Ult_Ent() const { return m_campos.FData_Ult_Ent; }
    void SetData_Ult_Ent(TDateTime value) { m_campos.FData_Ult_Ent = value; }
    TDateTime Data_Ult_Rea() const { return m_campos.FData_Ult_Rea; }
    void SetData_Ult_Rea(TDateTime value) { m_campos.FData_Ult_Rea = value; }
    TDateTime Data_Ult_Alteracao() const { return m_campos.FData_Ult_Alt; }
    void SetData_Ult_Alteracao(TDateTime value) { m_campos.FData_Ult_Alt = value; }
    const QString& CodProd() const { return m_campos.FCodProd; }
    void SetCodProd(const QString& value);
    const QString& Descricao() const { return m_campos.FDescricao; }
    void SetDescricao(const QString& value);
    const QString& Descricao2() const { return m_campos.FDescricao2; }
    void SetDescricao2(const QString& value);
    const QString& Descricao3() const { return m_campos.FDescricao3; }
    void SetDescricao3(const QString& value);
    const QString& Referencia() const { return m_campos.FReferencia; }
    void SetReferencia(const QString& value);
    const QString& RefFabricante() const { return m_campos.FRefFabricante; }
    void SetRefFabricante(const QString& value);
    const QString& PrincipalFornecedor() const { return m_campos.FPrincipalFornecedor; }
    void SetPrincipalFornecedor(const QString& value);
    const QString& CodGrupo() const { return m_campos.FCodGrupo; }
    void SetCodGrupo(const QString& value);
    const QString& CodSubGrupo() const { return m_campos.FCodSubGrupo; }
    void SetCodSubGrupo(const QString& value);
    const QString& UnidEntrada() const { return m_campos.FUnidEntrada; }
    void SetUnidEntrada(const QString& value);
    const QString& UnidSaida() const { return m_campos.FUnidSaida; }
    void SetUnidSaida(const QString& value);
    const QString& CodFamilia() const { return m_campos.FCodFamilia; }
    void SetCodFamilia(const QString& value);
    const QString& CodTipoProduto() const { return m_campos.FCodTipoProduto; }
    void SetCodTipoProduto(const QString& value);
    const QString& DescricaoPreco() const { return m_campos.FDescricaoPreco; }
    void SetDescricaoPreco(const QString& value);
    const QString& DescricaoPreco2() const { return m_campos.FDescricaoPreco2; }
    void SetDescricaoPreco2(const QString& value);
    const QString& DescricaoPreco3() const { return m_campos.FDescricaoPreco3; }
    void SetDescricaoPreco3(const QString& value);
    const QString& DescricaoPreco4() const { return m_campos.FDescricaoPreco4; }
    void SetDescricaoPreco4(const QString& value);
    const QString& CodLocal() const { return m_campos.FCodLocal; }
    void SetCodLocal(const QString& value);
    const QString& CampoLivre1() const { return m_campos.FCampoLivre1; }
    void SetCampoLivre1(const QString& value);
    const QString& CampoLivre2() const { return m_campos.FCampoLivre2; }
    void SetCampoLivre2(const QString& value);
    const QString& CampoLivre3() const { return m_campos.FCampoLivre3; }
    void SetCampoLivre3(const QString& value);
    const QString& CampoLivre4() const { return m_campos.FCampoLivre4; }
    void SetCampoLivre4(const QString& value);
    const QString& Observacao() const { return m_campos.FObservacao; }
    void SetObservacao(const QString& value) { m_campos.FObservacao = value; }
    const QString& ControleSerie() const { return m_campos.FControleSerie; }
    void SetControleSerie(const QString& value) { m_campos.FControleSerie = value; }
    const QString& Ativado() const { return m_campos.FAtivado; }
    void SetAtivado(const QString& value);
    const QString& TipoProd() const { return m_campos.FTipoProd; }
    void SetTipoProd(const QString& value) { m_campos.FTipoProd = value; }
    const QString& ProdBloqueado() const { return m_campos.FProdBloqueado; }
    void SetProdBloqueado(const QString& value) { m_campos.FProdBloqueado = value; }
    const QString& CodClasFis() const { return m_campos.FCodClasFis; }
    void SetCodClasFis(const QString& value);
    const QString& CodTribut00() const { return m_campos.FCodTribut00; }
    void SetCodTribut00(const QString& value);
    const QString& Dt_Cadastro() const { return m_campos.FDt_Cadastro; }
    void SetDt_Cadastro(const QString& value) { m_campos.FDt_Cadastro = value; }
    const QString& Embalagem() const { return m_campos.FEmbalagem; }
    void SetEmbalagem(const QString& value);
    const QString& Fornec_Ult_Ent1() const { return m_campos.FFornec_Ult_Ent1; }
    void setFFornec_Ult_Ent1(const QString& value) { m_campos.FFornec_Ult_Ent1 = value; }
    const QString& CodFabric() const { return m_campos.FCodFabric; }
    void SetFCodFabric(const QString& value);
    const QString& CodVolume() const { return m_campos.FCodVolume; }
    void setCodVolume(const QString& value);
    const QString& TipoEntrega() const { return m_campos.FTipoEntrega; }
    void setTipoEntrega(const QString& value);
    const QString& Mensagem00() const { return m_campos.FMensagem00; }
    void SetMensagem00(const QString& value) { m_campos.FMensagem00 = value; }
    const QString& Mensagem01() const { return m_campos.FMensagem01; }
    void SetMensagem01(const QString& value) { m_campos.FMensagem01 = value; }
    const QString& CodTribut02() const { return m_campos.FCodTribut02; }
    void SetCodTribut02(const QString& value);
    const QString& CodTribut03() const { return m_campos.FCodTribut03; }
    void SetCodTribut03(const QString& value);
    const QString& Mensagem02() const { return m_campos.FMensagem02; }
    void SetMensagem02(const QString& value) { m_campos.FMensagem02 = value; }
    const QString& Mensagem03() const { return m_campos.FMensagem03; }
    void SetMensagem03(const QString& value) { m_campos.FMensagem03 = value; }
    const QString& ControleLote() const { return m_campos.FControleLote; }
    void SetControleLote(const QString& value) { m_campos.FControleLote = value; }
    const QString& CodTributDiversos() const { return m_campos.FCodTributDiversos; }
    void SetCodTributDiversos(const QString& value);
    const QString& MensagemDiversos() const { return m_campos.FMensagemDiversos; }
    void SetMensagemDiversos(const QString& value) { m_campos.FMensagemDiversos = value; }
    const QString& SubsTribSaidaR1() const { return m_campos.FSubsTribSaidaR1; }
    void SetSubsTribSaidaR1(const QString& value) { m_campos.FSubsTribSaidaR1 = value; }
    const QString& SubsTribSaidaR2() const { return m_campos.FSubsTribSaidaR2; }
    void SetSubsTribSaidaR2(const QString& value) { m_campos.FSubsTribSaidaR2 = value; }
    const QString& SubsTribSaidaR3() const { return m_campos.FSubsTribSaidaR3; }
    void SetSubsTribSaidaR3(const QString& value) { m_campos.FSubsTribSaidaR3 = value; }
    const QString& SubsTribSaidaR4() const { return m_campos.FSubsTribSaidaR4; }
    void SetSubsTribSaidaR4(const QString& value) { m_campos.FSubsTribSaidaR4 = value; }
    double Sugestao() const { return m_campos.FSugestao; }
    void SetSugestao(double value) { m_campos.FSugestao = value; }
    double Preco() const { return m_campos.FPreco; }
    void SetPreco(double value) { m_campos.FPreco = value; }
    double Preco2() const { return m_campos.FPreco2; }
    void SetPreco2(double value) { m_campos.FPreco2 = value; }
    double Preco3() const { return m_campos.FPreco3; }
    void SetPreco3(double value) { m_campos.FPreco3 = value; }
    double Preco4() const { return m_campos.FPreco4; }
    void SetPreco4(double value) { m_campos.FPreco4 = value; }
    double Preco_Anterior() const { return m_campos.FPreco_Anterior; }
    void SetPrecoAnterior(double value) { m_campos.FPreco_Anterior = value; }
    double Peso() const { return m_campos.FPeso; }
    void SetPeso(double value) { m_campos.FPeso = value; }
    double AliqIcmsReg00() const { return m_campos.FAliqIcmsReg00; }
    void SetAliqIcmsReg00(double value) { m_campos.FAliqIcmsReg00 = value; }
    double BaseIcmsReg00() const { return m_campos.FBaseIcmsReg00; }
    void SetBaseicmsReg00(double value) { m_campos.FBaseIcmsReg00 = value; }
    double AliqIcmsPdv() const { return m_campos.FAliqIcmsPdv; }
    void SetAliqIcmsPdv(double value) { m_campos.FAliqIcmsPdv = value; }
    double ValorIpi() const { return m_campos.FValorIpi; }
    void SetValorIpi(double value) { m_campos.FValorIpi = value; }
    double AliqIcmsReg02() const { return m_campos.FAliqIcmsReg02; }
    void SetAliqIcmsReg02(double value) { m_campos.FAliqIcmsReg02 = value; }
    double AliqIcmsDiversos() const { return m_campos.FAliqIcmsDiversos; }
    void SetAliqIcmsDiversos(double value) { m_campos.FAliqIcmsDiversos = value; }
    double BaseIcmsdiversos() const { return m_campos.FBaseIcmsdiversos; }
    void SetBaseIcmsdiversos(double value) { m_campos.FBaseIcmsdiversos = value; }
    double PercPerda() const { return m_campos.FPercPerda; }
    void SetPercPerda(double value) { m_campos.FPercPerda = value; }
    double PercBaseSubsTribSaidaR1() const { return m_campos.FPercBaseSubsTribSaidaR1; }
    void SetPercBaseSubsTribSaidaR1(double value) { m_campos.FPercBaseSubsTribSaidaR1 = value; }
    double PercIcmsSubsTribSaidaR1() const { return m_campos.FPercIcmsSubsTribSaidaR1; }
    void SetPercIcmsSubsTribSaidaR1(double value) { m_campos.FPercIcmsSubsTribSaidaR1 = value; }
    double PercBaseSubsTribSaidaR2() const { return m_campos.FPercBaseSubsTribSaidaR2; }
    void SetPercBaseSubsTribSaidaR2(double value) { m_campos.FPercBaseSubsTribSaidaR2 = value; }
    double PercIcmsSubsTribSaidaR2() const { return m_campos.FPercIcmsSubsTribSaidaR2; }
    void SetPercIcmsSubsTribSaidaR2(double value) { m_campos.FPercIcmsSubsTribSaidaR2 = value; }
    double PercBaseSubsTribSaidaR3() const { return m_campos.FPercBaseSubsTribSaidaR3; }
    void SetPercBaseSubsTribSaidaR3(double value) { m_campos.FPercBaseSubsTribSaidaR3 = value; }
    double PercIcmsSubsTribSaidaR3() const { return m_campos.FPercIcmsSubsTribSaidaR3; }
    void SetPercIcmsSubsTribSaidaR3(double value) { m_campos.FPercIcmsSubsTribSaidaR3 = value; }
    double PercBaseSubsTribSaidaR4() const { return m_campos.FPercBaseSubsTribSaidaR4; }
    void SetPercBaseSubsTribSaidaR4(double value) { m_campos.FPercBaseSubsTribSaidaR4 = value; }
    double PercIcmsSubsTribSaidaR4() const { return m_campos.FPercIcmsSubsTribSaidaR4; }
    void SetPercIcmsSubsTribSaidaR4(double value) { m_campos.FPercIcmsSubsTribSaidaR4 = value; }
    double Quant_Ult_Ent1() const { return m_campos.FQuant_Ult_Ent1; }
    void SetQuant_Ult_Ent1(double value) { m_campos.FQuant_Ult_Ent1 = value; }
    double PrecoPromo() const { return m_campos.FPrecoPromo; }
    void SetPrecoPromo(double value) { m_campos.FPrecoPromo = value; }
    double AliqIpi() const { return m_campos.FAliqIpi; }
    void SetAliqIpi(double value) { m_campos.FAliqIpi = value; }
    double AliqIss() const { return m_campos.FAliqIss; }
    void SetAliqIss(double value) { m_campos.FAliqIss = value; }
    double Lucro() const { return m_campos.FLucro; }
    void SetLucro(double value) { m_campos.FLucro = value; }
    double Lucro2() const { return m_campos.Flucro2; }
    void setLucro2(double value) { m_campos.Flucro2 = value; }
    double Lucro3() const { return m_campos.FLucro3; }
    void setLucro3(double value) { m_campos.FLucro3 = value; }
    double EstMinimo() const { return m_campos.FEstMinimo; }
    void SetEstMinimo(double value) { m_campos.FEstMinimo = value; }
    double EstMaximo() const { return m_campos.FEstMaximo; }
    void SetEstMaximo(double value) { m_campos.FEstMaximo = value; }
    double AliqIcmsReg01() const { return m_campos.FAliqIcmsReg01; }
    void SetAliqIcmsReg01(double value) { m_campos.FAliqIcmsReg01 = value; }
    double BaseIcmsReg01() const { return m_campos.FBaseIcmsReg01; }
    void SetBaseIcmsReg01(double value) { m_campos.FBaseIcmsReg01 = value; }
    double AliqIcmsReg03() const { return m_campos.FAliqIcmsReg03; }
    void SetAliqIcmsReg03(double value) { m_campos.FAliqIcmsReg03 = value; }
    double LucroSubStrib() const { return m_campos.Flucrosubstrib; }
    void SetLucroSubStrib(double value) { m_campos.Flucrosubstrib = value; }
    double PercBaseSubsTribSaida() const { return m_campos.FPercBaseSubsTribSaida; }
    void SetPercBaseSubsTribSaida(double value) { m_campos.FPercBaseSubsTribSaida = value; }
    double PercIcmsSubsTribSaida() const { return m_campos.FPercIcmsSubsTribSaida; }
    void SetPercIcmsSubsTribSaida(double value) { m_campos.FPercIcmsSubsTribSaida = value; }
    double Comissao() const { return m_campos.FComissao; }
    void SetComissao(double value) { m_campos.FComissao = value; }
    const QString& SubsTrib() const { return m_campos.FSubsTrib; }
    void SetSubsTrib(const QString& value) { m_campos.FSubsTrib = value; }
    const QString& SubsTribSaida() const { return m_campos.FSubsTribSaida; }
    void SetSubsTribSaida(const QString& value) { m_campos.FSubsTribSaida = value; }
    double DescontoMaximo() const { return m_campos.FDescontoMax; }
    void SetDescontoMaximo(double value) { m_campos.FDescontoMax = value; }
    double Lucro4() const { return m_campos.FLucro4; }
    void setLucro4(double value) { m_campos.FLucro4 = value; }
    const QString& Fracionado() const { return m_campos.FFracionado; }
    void SetFracionado(const QString& value) { m_campos.FFracionado = value; }
    double Pr_Ult_Ent1() const { return m_campos.FPrUltEnt1; }
    void SetPr_Ult_Ent1(double value) { m_campos.FPrUltEnt1 = value; }
    double BaseIcmsReg02() const { return m_campos.FBaseIcmsReg02; }
    void SetBaseIcmsReg02(double value) { m_campos.FBaseIcmsReg02 = value; }
    double BaseIcmsReg03() const { return m_campos.FBaseIcmsReg03; }
    void SetBaseIcmsReg03(double value) { m_campos.FBaseIcmsReg03 = value; }
    const QString& CodTribut01() const { return m_campos.FCodTribut01; }
    void SetCodTribut01(const QString& value);
    double PercIva() const { return m_campos.FPercIva; }
    void setPercIva(double value) { m_campos.FPercIva = value; }
    double FatorConversao() const { return m_campos.FFatorConversao; }
    void SetFatorConversao(double value) { m_campos.FFatorConversao = value; }
    const QString& CFOPForaUF() const { return m_campos.FCFOPForaUF; }
    void SetCFOPForaUF(const QString& value);
    const QString& CFOPDentroUF() const { return m_campos.FCFOPDentroUF; }
    void SetCFOPDentroUF(const QString& value);
    const QString& MultiplicaDivide() const { return m_campos.FMultiplicaDifica; }
    void setMultiplicaDivide(const QString& value) { m_campos.FMultiplicaDifica = value; }
    int Grade() const { return m_campos.FGRADE; }
    void SetGrade(int value) { m_campos.FGRADE = value; }
    const QString& CodGeneroItem() const { return m_campos.FCodGeneroItem; }
    void SetCodGeneroItem(const QString& value) { m_campos.FCodGeneroItem = value; }
    int DiasEstMinimo() const { return m_campos.FDiasEstMinimo; }
    void SetDiasEstMinimo(int value) { m_campos.FDiasEstMinimo = value; }
    int DiasEstMaximo() const { return m_campos.FDiasEstMaximo; }
    void SetDiasEstMaximo(int value) { m_campos.FDiasEstMaximo = value; }

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
    TLinhaMontada MontaSqlInsercao() const { return m_linha.Monta(m_campos, kInsercao); }
    TLinhaMontada MontaSqlAtualizacao() const { return m_linha.Monta(m_campos, kAtualizacao); }
    TLinhaMontada MontaSqlAtualizacaoPreco() const { return m_linha.Monta(m_campos, kAtualizacaoPreco); }

private:
    /// The row as it is written: every column's value. A new row holds each field's blank value,
    /// which is what a reset gives back.
    struct TCampos {
        TDateTime FData_Ult_Ent = SemData();
        TDateTime FData_Ult_Rea = SemData();
        TDateTime FData_Ult_Alt = SemData();
        QString FCodProd = QStringLiteral("000000");
        QString FDescricao;
        QString FDescricao2;
        QString FDescricao3;
        QString FReferencia;
        QString FRefFabricante;
        QString FPrincipalFornecedor;
        QString FCodGrupo;
        QString FCodSubGrupo;
        QString FUnidEntrada = QStringLiteral("UN");
        QString FUnidSaida = QStringLiteral("UN");
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
        QString FAtivado = QStringLiteral("S");
        QString FTipoProd = QStringLiteral("R");
        QString FProdBloqueado = QStringLiteral("N");
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
    /// The row of PRODUTO: every column once, with the field it takes and the statements it is in.
    static std::span<const TColunaLinha<TCampos>> Colunas();
    mutable TDescricaoLinha<TCampos> m_linha{"Produto", Colunas()};
    TCampos m_campos;
};
