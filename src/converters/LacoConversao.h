#pragma once

#include "ContextoRegistro.h"
#include "PaginaCodigo.h"

#include <QLatin1StringView>
#include <QString>

#include <optional>

class TQueryOrigem;
class IBarraProgresso;
class IRotulo;
class IRegistroAlteracoes;

/// What a run hands every kind besides the source folder.
struct TAjustesConversao {
    /// The code page every source table is read in; empty: each table's own.
    std::optional<PaginaCodigo> pagina;
    /// Where the changes the rules make to the data are recorded; not owned, may be none.
    IRegistroAlteracoes* alteracoes = nullptr;
};

/// One kind's mapping from its source table into its target tables, in two steps a caller can use
/// apart: Preenche fills the kind's writers from the current source record, Grava writes them.
/// Built without a connection, Preenche works without a database (the lookups answer placeholders)
/// and Grava must not be called.
class TMapeamento {
public:
    TMapeamento(const char* tipo, const char* tabelaOrigem, const char* campoCodigo, const char* rotulo);
    virtual ~TMapeamento() = default;
    TMapeamento(const TMapeamento&) = delete;
    TMapeamento& operator=(const TMapeamento&) = delete;

    /// The source table, e.g. "TABCLI".
    const QString& TabelaOrigem() const { return m_contexto.tabelaOrigem; }
    /// The kind as the progress label names it, e.g. "Clientes".
    QLatin1StringView Rotulo() const { return m_rotulo; }
    /// The record the writers record their changes against; the loop keeps it current.
    TContextoRegistro& Contexto() { return m_contexto; }
    /// Points the record context at the query's current record (its number and source code).
    void PosicionaContexto(const TQueryOrigem& qry);

    /// Empties the kind's target tables; each emptying commits.
    virtual void LimpaDestino() = 0;
    /// Step (a): the writers take the current record's values, cleaned and looked up. Raises
    /// EConversao, naming table, record and field, for a value the kind cannot convert.
    virtual void Preenche(const TQueryOrigem& qry) = 0;
    /// Step (b): writes what Preenche filled, and leaves the writers as the next record starts.
    virtual void Grava() = 0;
    /// Instead of Grava (a caller without a database): leaves the writers as Grava leaves them,
    /// writing nothing.
    virtual void Descarta() = 0;
    /// After the last record, once the bar and the label are cleared.
    virtual void Conclui() {}

private:
    TContextoRegistro m_contexto;
    QLatin1StringView m_campoCodigo;
    QLatin1StringView m_rotulo;
};

/// Converts one kind: opens its source table in `pastaOrigem` (before its target tables are emptied,
/// so a table that cannot be read fails the kind with the target untouched), empties the target,
/// then maps and writes every live record with the bar and the label following it, and clears both
/// at the end.
void ConverteTabela(TMapeamento& mapeamento, const QString& pastaOrigem, const TAjustesConversao& ajustes,
                    IBarraProgresso& Barra, IRotulo& lblInfo);
