#pragma once

class TConexaoDestino;

/// The one default transaction of a target connection. Owned by the connection; every
/// query of that connection runs in it. Rolled back (never committed) when destroyed active.
class TTransacaoDestino {
public:
    explicit TTransacaoDestino(TConexaoDestino& conexao) : m_conexao(conexao) {}
    TTransacaoDestino(const TTransacaoDestino&) = delete;
    TTransacaoDestino& operator=(const TTransacaoDestino&) = delete;

    bool Ativa() const;
    /// Starts the transaction; raises EBancoDestino when it is already active or the connection is closed.
    void Inicia();
    /// Commits; open result sets of the connection's queries are closed first.
    void Confirma();
    /// Rolls back; open result sets of the connection's queries are closed first.
    void Cancela();

    TConexaoDestino& Conexao() const { return m_conexao; }

private:
    TConexaoDestino& m_conexao;
};
