#pragma once
// Internal to the target layer: the state of a connection, shared with its queries.

#include "CacheInstrucoes.h"
#include "FbApi.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"

#include <vector>

struct TConexaoDestino::Impl {
    QString nomeBanco;
    fbapi::Ref<Firebird::IAttachment> anexo;
    fbapi::Ref<Firebird::ITransaction> transacao;
    int dialeto = 0;
    /// Queries created on this connection (not owned); they unregister themselves.
    std::vector<TQueryDestino::Impl*> queries;
    /// Statements kept prepared between runs; emptied before the connection detaches.
    TCacheInstrucoes instrucoes;

    ~Impl();

    /// The attachment; raises EBancoDestino when the connection is closed.
    Firebird::IAttachment* Anexo();
    /// The active transaction, started first when inactive.
    Firebird::ITransaction* TransacaoAtiva();

    void Inicia();
    void Confirma();
    void Cancela();
    void ConfirmaRetendo();
    void CancelaRetendo();

    /// Closes the open result sets of every query (before a commit or rollback).
    void FechaCursores() noexcept;
    /// Rolls back, releases every prepared statement and detaches; never raises.
    void Fecha() noexcept;
};

/// Called by the connection on its queries.
void FechaCursorDaQuery(TQueryDestino::Impl& query) noexcept;
void LiberaInstrucaoDaQuery(TQueryDestino::Impl& query) noexcept;
void DesligaQuery(TQueryDestino::Impl& query) noexcept;
