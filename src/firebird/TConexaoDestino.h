#pragma once

#include "TTransacaoDestino.h"

#include <QString>

#include <memory>

/// The user the target system is opened with, and its fixed password, when Firebird's own variables
/// ISC_USER and ISC_PASSWORD do not name others.
inline constexpr const char* kUsuarioDestino = "SYSDBA";
inline constexpr const char* kSenhaDestino = "quillbank";

/// An attachment to the target Firebird database (a file path, or host:path on a server),
/// with its one default transaction. Owns the attachment and the transaction; queries
/// created on it borrow it and must not outlive it.
class TConexaoDestino {
public:
    TConexaoDestino();
    ~TConexaoDestino();
    TConexaoDestino(const TConexaoDestino&) = delete;
    TConexaoDestino& operator=(const TConexaoDestino&) = delete;

    /// The database to open: a file path or host:path. Takes effect at the next Abre().
    void SetNomeBanco(const QString& nome);
    const QString& NomeBanco() const;

    /// Attaches as ISC_USER with ISC_PASSWORD (each, when unset, SYSDBA and the fixed password),
    /// connection character set WIN1252, no prompt, the attachment named after this program's
    /// executable and process id (as monitoring lists it), and reads the database's SQL dialect (every
    /// statement is prepared in it). Raises EBancoDestino with the engine's text when the attach
    /// fails; the connection stays closed.
    void Abre();
    /// Rolls back an active transaction, releases the queries' statements and detaches.
    void Fecha();
    bool Conectado() const;

    /// A real exchange with the engine. False when closed or when the exchange fails;
    /// a failing test closes the connection.
    bool TestaConexao();

    /// The SQL dialect read at attach (1 for the target system's databases).
    int Dialeto() const;

    TTransacaoDestino& Transacao() { return m_transacao; }

    /// Creates a new empty database file: SQL dialect 1, character set WIN1252, page size 8192.
    /// Raises EBancoDestino when the engine refuses (existing file, missing folder, no permission).
    static void CriaBanco(const QString& caminho);

private:
    // The attachment, its transaction and the prepared statements: the queries and the
    // transaction object of this connection reach them; nobody else does.
    friend class TQueryDestino;
    friend class TTransacaoDestino;
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    TTransacaoDestino m_transacao;
};
