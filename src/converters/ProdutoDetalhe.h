#pragma once

#include "DescricaoLinha.h"
#include "classConversao.h"

#include <QString>

#include <span>

/// Writer of a product's tax and commercial details (PRODUTODETALHE): insert, update of the
/// row of CodProd, and emptying the table. Every setter stores its value unchanged. AliqPisEnt
/// and AliqCofinsEnt are never reset. Constructing a writer sets the process-wide short date
/// format to "dd/mm/yyyy".
class TConverteProdutoDetalhe : public TConversao {
public:
    /// Without a connection it only fills its values (see TConversao).
    explicit TConverteProdutoDetalhe(TConexaoDestino* cBanco = nullptr);
    explicit TConverteProdutoDetalhe(TConexaoDestino& cBanco) : TConverteProdutoDetalhe(&cBanco) {}

    const QString& CodProd() const { return FCODPROD; }
    void SetCODPROD(const QString& value) { FCODPROD = value; }
    const QString& ControleReceituario() const { return FCONTROLERECEITUARIO; }
    void SetCONTROLERECEITUARIO(const QString& value) { FCONTROLERECEITUARIO = value; }
    const QString& CodigoAtividade() const { return FCODIGOATIVIDADE; }
    void SetCODIGOATIVIDADE(const QString& value) { FCODIGOATIVIDADE = value; }
    const QString& CodigoListaServico() const { return FCODIGOLISTASERVICO; }
    void SetCODIGOLISTASERVICO(const QString& value) { FCODIGOLISTASERVICO = value; }
    const QString& EspelhoMercServ() const { return FESPELHOMERCSERV; }
    void SetESPELHOMERCSERV(const QString& value) { FESPELHOMERCSERV = value; }
    const QString& ImportadoPortoSeguro() const { return FIMPORTADOPORTOSEGURO; }
    void SetIMPORTADOPORTOSEGURO(const QString& value) { FIMPORTADOPORTOSEGURO = value; }
    int CodPromocao() const { return FCODPROMOCAO; }
    void SetCODPROMOCAO(int value) { FCODPROMOCAO = value; }
    double AliqPis() const { return FALIQPIS; }
    void SetALIQPIS(double value) { FALIQPIS = value; }
    const QString& Pis_CST() const { return FPIS_CST; }
    void SetPIS_CST(const QString& value) { FPIS_CST = value; }
    const QString& PisEnt_CST() const { return FPISENT_CST; }
    void SetPISENT_CST(const QString& value) { FPISENT_CST = value; }
    int Pis_ST() const { return FPIS_ST; }
    void SetPIS_ST(int value) { FPIS_ST = value; }
    double AliqCofins() const { return FALIQCOFINS; }
    void SetALIQCOFINS(double value) { FALIQCOFINS = value; }
    const QString& Cofins_CST() const { return FCOFINS_CST; }
    void SetCOFINS_CST(const QString& value) { FCOFINS_CST = value; }
    const QString& CofinsEnt_CST() const { return FCOFINSENT_CST; }
    void SetCOFINSENT_CST(const QString& value) { FCOFINSENT_CST = value; }
    int Cofins_ST() const { return FCOFINS_ST; }
    void SetCOFINS_ST(int value) { FCOFINS_ST = value; }
    const QString& CodCSOSN() const { return FCODCSOSN; }
    void SetCODCSOSN(const QString& value) { FCODCSOSN = value; }
    double PrecoMaxVenda() const { return FPRECOMAXVENDA; }
    void SetPRECOMAXVENDA(double value) { FPRECOMAXVENDA = value; }
    int PontoBonus() const { return FPONTOBONUS; }
    void SetPONTOBONUS(int value) { FPONTOBONUS = value; }
    double AliqPisEnt() const { return FALIQPISENT; }
    void SetALIQPISENT(double value) { FALIQPISENT = value; }
    double AliqCofinsEnt() const { return FALIQCOFINSENT; }
    void SetALIQCOFINSENT(double value) { FALIQCOFINSENT = value; }

    void LimpaVariavel();
    /// Deletes every row and commits (the run's transaction up to here included).
    void LimpaTabela();
    /// Inserts the current row and resets it; on failure the row is kept.
    bool ExecutaSql();
    /// Updates the row of CodProd from the current fields and resets them; on failure the row is kept.
    bool AtualizaProdutoDetalhe();

    TLinhaMontada MontaSqlInsercao() const { return m_linha.Monta(*this, kInsercao); }
    TLinhaMontada MontaSqlAtualizacao() const { return m_linha.Monta(*this, kAtualizacao); }

private:
    static std::span<const TColunaLinha<TConverteProdutoDetalhe>> Colunas();
    mutable TDescricaoLinha<TConverteProdutoDetalhe> m_linha{"ProdutoDetalhe", Colunas()};

    QString FCODPROD;
    QString FCONTROLERECEITUARIO;
    QString FCODIGOATIVIDADE;
    QString FCODIGOLISTASERVICO;
    QString FESPELHOMERCSERV;
    QString FIMPORTADOPORTOSEGURO;
    int FCODPROMOCAO = 0;
    double FALIQPIS = 0.0;
    QString FPIS_CST;
    QString FPISENT_CST;
    int FPIS_ST = 0;
    double FALIQCOFINS = 0.0;
    QString FCOFINS_CST;
    QString FCOFINSENT_CST;
    int FCOFINS_ST = 0;
    QString FCODCSOSN;
    double FPRECOMAXVENDA = 0.0;
    int FPONTOBONUS = 0;
    double FALIQPISENT = 0.0;
    double FALIQCOFINSENT = 0.0;
};
