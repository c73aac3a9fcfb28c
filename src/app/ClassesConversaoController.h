#pragma once

#include <QString>

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
    void SetObservador(IObservadorExecucao* observador) { m_observador = observador; }
    /// Asked whether the run must stop; not owned, may be none.
    void SetInterrupcao(const IInterrupcao* interrupcao) { m_interrupcao = interrupcao; }

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
    // Lets the observer close the run and gives its text to the final message box as details.
    void DetalheDoFim(bool sucesso);

    IObservadorExecucao* m_observador = nullptr;
    const IInterrupcao* m_interrupcao = nullptr;
};
