#pragma once

#include "DescricaoLinha.h"
#include "classConversao.h"

#include <span>

/// Writer of the target's product groups (GRUPROD): one row at a time, its values bound.
class TConverteGruposProd : public TConversao {
public:
    /// Without a connection it only fills its values (see TConversao).
    explicit TConverteGruposProd(TConexaoDestino* cBanco = nullptr);
    explicit TConverteGruposProd(TConexaoDestino& cBanco) : TConverteGruposProd(&cBanco) {}

    const QString& Codigo() const { return FCodigo; }
    /// The last three characters of the value, zero-padded to three; not trimmed.
    void SetCodigo(const QString& value);
    const QString& Descricao() const { return FDescricao; }
    /// The first 30 characters of the trimmed value.
    void SetDescricao(const QString& value);
    int DiasEstoqueMaximo() const { return FDiasEstoqueMaximo; }
    void SetDiasEstoqueMaximo(int value) { FDiasEstoqueMaximo = value; }
    int DiasEstoqueMinimo() const { return FDiasEstoqueMinimo; }
    void SetDiasEstoqueMinimo(int value) { FDiasEstoqueMinimo = value; }

    void LimpaVariavel();
    /// Deletes every group and commits (the run's transaction up to here included).
    void LimpaTabela();
    /// Inserts the current row, then resets it.
    bool ExecutaSql();

private:
    static std::span<const TColunaLinha<TConverteGruposProd>> Colunas();
    TDescricaoLinha<TConverteGruposProd> m_linha{"GRUPROD", Colunas()};

    QString FCodigo;
    QString FDescricao;
    int FDiasEstoqueMaximo = 0;
    int FDiasEstoqueMinimo = 0;
};
