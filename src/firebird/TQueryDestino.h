#pragma once

#include "DataHora.h"
#include "ValorParametro.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <memory>

class TConexaoDestino;

/// A statement on the target connection: SQL text with parameters, '?' or :NAME (a name matched
/// without regard to case, may repeat; never inside '...' or "..." literals or comments), executed
/// or opened as a result set whose columns are read by name (without regard to case).
///
/// - Each value is written in the type the engine describes for its parameter (the column's own
///   type), converted as the engine converts the literal the value stands for.
/// - A statement executed or opened while the connection's transaction is inactive starts it.
/// - The texts COMMIT / ROLLBACK (any case, optional WORK, optional trailing ';') commit or roll
///   back the connection's transaction object; the next statement starts a new transaction.
/// - The connection keeps the statements on rows prepared, by their text, for every query.
/// - Every error raises EBancoDestino with the engine's own message.
/// Borrows the connection, which must outlive the query.
class TQueryDestino {
public:
    explicit TQueryDestino(TConexaoDestino& conexao);
    ~TQueryDestino();
    TQueryDestino(const TQueryDestino&) = delete;
    TQueryDestino& operator=(const TQueryDestino&) = delete;

    /// Replaces the SQL text (closing an open result set). Setting the same text again keeps
    /// the parameter values; a new text starts with every parameter NULL.
    void SetSQL(const QString& sql);
    const QString& SQL() const;
    /// Empties the SQL text (closing an open result set).
    void LimpaSQL();

    /// The text's parameters, each name once and each bare '?' on its own, in order of first
    /// appearance; SetParametro takes them by that index.
    qsizetype NumeroParametros() const;
    void SetParametro(qsizetype indice, TValorParametro valor);

    /// Parameter values by name; an unknown name raises EConversao naming the parameter.
    void ParamTexto(const QString& nome, const QString& valor);
    void ParamInteiro(const QString& nome, qint64 valor);
    /// A real as the general float text writes it (15 significant digits).
    void ParamReal(const QString& nome, double valor);
    /// A double as it is.
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

    /// How many times this query prepared a statement (tests and benchmarks read it).
    qint64 NumeroPreparacoes() const;

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};
