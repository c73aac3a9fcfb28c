#pragma once

#include "DescricaoLinha.h"
#include "classConversao.h"

#include <QString>

#include <span>

/// Writer of a product's stock per company and grid variant (COMPPROD). Unlike the other
/// writers it is not reset after an insert: a field not set again repeats the previous row's
/// value, and five fields (EstMaximo, EstMinimo, PrecoMedio, EstoquDisp, PrecoNF) are never reset.
class TConverteCompProd : public TConversao {
public:
    /// Without a connection it only fills its values (see TConversao).
    explicit TConverteCompProd(TConexaoDestino* cBanco = nullptr);
    explicit TConverteCompProd(TConexaoDestino& cBanco) : TConverteCompProd(&cBanco) {}

    const QString& CodProd() const { return FCodProd; }
    /// Zero-padded to six characters; neither trimmed nor cut.
    void SetCodProd(const QString& value);
    const QString& CodEmpresa() const { return FCodEmpresa; }
    void SetCodEmpresa(const QString& value) { FCodEmpresa = value; }
    const QString& CodGrade() const { return FCodGrade; }
    void SetCodGrade(const QString& value) { FCodGrade = value; }
    double Estoque() const { return FEstoque; }
    void SetEstoque(double value) { FEstoque = value; }
    double EstMaximo() const { return FEstMaximo; }
    void SetEstMaximo(double value) { FEstMaximo = value; }
    double EstMinimo() const { return FEstMinimo; }
    void SetEstMinimo(double value) { FEstMinimo = value; }
    double PrecoCusto() const { return FPrecoCusto; }
    void SetPrecoCusto(double value) { FPrecoCusto = value; }
    double PrecoMedio() const { return FPrecoMedio; }
    void setPrecoMedio(double value) { FPrecoMedio = value; }
    double EstoquDisp() const { return FEstoqueDisp; }
    void setEstoqueDisp(double value) { FEstoqueDisp = value; }
    double PrecoNF() const { return FPrecoNF; }
    void setPrecoNf(double value) { FPrecoNF = value; }

    /// Code, company, grid, stock and cost back to their defaults; the other five stay.
    void LimpaVariavel();
    /// Deletes every row and commits (the run's transaction up to here included).
    void LimpaTabela();
    /// The insert of the current fields and its values.
    TLinhaMontada MontaSql() const { return m_linha.Monta(*this, kInsercao); }
    /// Executes MontaSql; the fields keep their values.
    bool ExecutaSql();

private:
    static std::span<const TColunaLinha<TConverteCompProd>> Colunas();
    mutable TDescricaoLinha<TConverteCompProd> m_linha{"compprod", Colunas()};

    QString FCodProd;
    QString FCodEmpresa;
    QString FCodGrade;
    double FEstoque = 0.0;
    double FEstMaximo = 0.0;
    double FEstMinimo = 0.0;
    double FPrecoCusto = 0.0;
    double FPrecoMedio = 0.0;
    double FEstoqueDisp = 0.0;
    double FPrecoNF = 0.0;
};
