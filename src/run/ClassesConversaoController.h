#pragma once

#include "PaginaCodigo.h"
#include "RegistroAlteracoes.h"

#include <QString>

#include <optional>

class TListaParametros;
class TConexaoDestino;
class TTransacaoDestino;
class IBarraProgresso;
class IRotulo;
class IObservadorExecucao;
class IInterrupcao;

/// One run: switches the triggers off, converts every ticked kind in the fixed order
/// (sellers, customers, suppliers, product groups, products), committing each kind as it ends,
/// switches the triggers on and tells the user the outcome. Keeps nothing between runs.
class TClassesConversaoController {
public:
    /// Someone who follows the run (the summary); not owned, may be none.
    void SetObservador(IObservadorExecucao* observador) {
        m_observador = observador;
        m_alteracoes.SetObservador(observador);
    }
    /// Asked whether the run must stop; not owned, may be none.
    void SetInterrupcao(const IInterrupcao* interrupcao) { m_interrupcao = interrupcao; }
    /// Where the changes the run makes to the data are written (a change log); not owned, may be none.
    void SetRegistroAlteracoes(IRegistroAlteracoes* registro) { m_alteracoes.SetDestino(registro); }
    /// What the writers record their changes in: each change gets the key of the kind in progress
    /// when it has none, goes to the observer (the summary counts it) and to the change log.
    IRegistroAlteracoes& Alteracoes() { return m_alteracoes; }

    /// The code page every source table is read in (the command's --pagina-codigo); empty, the
    /// default: each table's own.
    void SetPaginaCodigo(std::optional<PaginaCodigo> pagina) { m_pagina = pagina; }

    /// True when the run reached its success message; false when an error was caught and shown.
    bool FEfetuaConversao(const TListaParametros& MParams, const QString& BDOrigem, TConexaoDestino& BDDestino,
                          TTransacaoDestino& Transacao, IBarraProgresso& Barra, IRotulo& lblInfo);

    void PConverteVendedores(const QString& BDOrigem, TConexaoDestino& BDQuorvel, IBarraProgresso& Barra,
                             IRotulo& lblInfo);
    void PConverteClientes(const QString& BDOrigem, TConexaoDestino& BDQuorvel, IBarraProgresso& Barra,
                           IRotulo& lblInfo);
    void PConverteFornecedores(const QString& BDOrigem, TConexaoDestino& BDQuorvel, IBarraProgresso& Barra,
                               IRotulo& lblInfo);
    void PConverteGruposProdutos(const QString& BDOrigem, TConexaoDestino& BDQuorvel, IBarraProgresso& Barra,
                                 IRotulo& lblInfo);
    void PConverteProdutos(const QString& BDOrigem, TConexaoDestino& BDQuorvel, IBarraProgresso& Barra,
                           IRotulo& lblInfo);

private:
    class TAlteracoesExecucao final : public IRegistroAlteracoes {
    public:
        void SetDestino(IRegistroAlteracoes* destino) { m_destino = destino; }
        void SetObservador(IObservadorExecucao* observador) { m_observador = observador; }
        void SetTipo(const QString& chave) { m_chave = chave; }
        void Registra(const TAlteracao& alteracao) override;
        void ContaLimpeza(const TLimpezaComum& limpeza) override;
        bool QuerLimpezas() const override { return true; }

    private:
        IRegistroAlteracoes* m_destino = nullptr;
        IObservadorExecucao* m_observador = nullptr;
        QString m_chave;
    };

    // Lets the observer close the run and gives its text to the final message box as details.
    void DetalheDoFim(bool sucesso);

    IObservadorExecucao* m_observador = nullptr;
    const IInterrupcao* m_interrupcao = nullptr;
    std::optional<PaginaCodigo> m_pagina;
    TAlteracoesExecucao m_alteracoes;
};
