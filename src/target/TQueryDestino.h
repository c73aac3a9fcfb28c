#pragma once

#include "DataHora.h"
#include "SqlMontada.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <memory>

class TConexaoDestino;

/// True when the environment variable TAVRIN_SEM_ACELERACAO asks for the plain path (any value
/// but "0"): every text prepared as written, nothing remembered between statements. It is the
/// reference the faster path is checked against.
bool SemAceleracao();

/// A statement on the target connection: SQL text with named parameters (:NAME, matched
/// without regard to case, may repeat, never inside '...' or "..." literals or comments),
/// executed or opened as a result set whose columns are read by name (without regard to case).
///
/// - A statement executed or opened while the connection's transaction is inactive starts it.
/// - The texts COMMIT / ROLLBACK (any case, optional WORK, optional trailing ';') commit or roll
///   back the connection's transaction object; the next statement starts a new transaction.
/// - The prepared statement is kept while the SQL text does not change.
/// - Every error raises EBancoDestino with the engine's own message.
/// Borrows the connection, which must outlive the query.
class TQueryDestino {
public:
    explicit TQueryDestino(TConexaoDestino& conexao);
    ~TQueryDestino();
    TQueryDestino(const TQueryDestino&) = delete;
    TQueryDestino& operator=(const TQueryDestino&) = delete;

    /// Replaces the SQL text (closing an open result set). Setting the same text again keeps
    /// the prepared statement and the parameter values.
    void SetSQL(const QString& sql);
    /// The statement a writer put together: the same as SetSQL(sql.ComoTexto()), the values bound
    /// to a statement kept for the pieces instead of written into the text and read out again.
    void SetSQL(TSqlMontada sql);
    const QString& SQL() const;
    /// Empties the SQL text (closing an open result set).
    void LimpaSQL();

    /// Parameter values; an unknown name raises EConversao naming the parameter.
    void ParamTexto(const QString& nome, const QString& valor);
    void ParamInteiro(const QString& nome, qint64 valor);
    void ParamDouble(const QString& nome, double valor);
    void ParamData(const QString& nome, const QDate& valor);
    void ParamDataHora(const QString& nome, TDateTime valor);
    void ParamNulo(const QString& nome);

    /// Executes the statement (no result set is kept).
    void Executa();
    /// Executes a select and positions on its first row (Eof() at once when there is none).
    void Abre();
    /// Closes an open result set; nothing when none is open.
    void Fecha();
    bool Aberta() const;
    bool Eof() const;
    void Proximo();

    /// Columns of the current row by name. A NULL reads as "" / 0 / 0.0. An unknown column
    /// raises EConversao naming it.
    bool CampoNulo(const QString& nome) const;
    /// The result set's column names (aliases), in select order.
    QStringList NomesCampos() const;
    QString CampoTexto(const QString& nome) const;
    qint64 CampoInteiro(const QString& nome) const;
    double CampoDouble(const QString& nome) const;
    TDateTime CampoDataHora(const QString& nome) const;

    /// How many times this query prepared a statement: the prepared statement is kept while
    /// the SQL text stays the same (tests and benchmarks read it).
    qint64 NumeroPreparacoes() const;

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};
