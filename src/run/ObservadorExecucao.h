#pragma once

#include <QString>

struct TAlteracao;
struct TLimpezaComum;

/// Follows a run from outside without changing it: told when the run starts, when each ticked
/// kind starts and finishes, and when the run ends. The run keeps working the same whether an
/// observer is set or not.
class IObservadorExecucao {
public:
    virtual ~IObservadorExecucao() = default;
    /// Before the triggers are switched off.
    virtual void InicioExecucao() = 0;
    /// `chave` is the kind's key in the parameter list ("VENDEDORES", ...).
    virtual void InicioTipo(const QString& chave) = 0;
    /// Only for a kind that finished without error, after its rows were committed.
    virtual void FimTipo(const QString& chave) = 0;
    /// For the kind the run failed in, after the rollback: how many of its source records it had
    /// reached (the one it failed on included).
    virtual void FalhaTipo(const QString& chave, qint64 registrosAlcancados) = 0;
    /// Each change the kind in progress recorded, its kind's key filled in, as it happened.
    virtual void Alteracao(const TAlteracao& alteracao) = 0;
    /// The ordinary cleaning of one field of the kind in progress, counted, its kind's key filled in.
    virtual void Limpeza(const TLimpezaComum& limpeza) { (void)limpeza; }
    /// After the commit or the rollback, before the final message. Returns the text the final
    /// message box shows as its details (empty for none).
    virtual QString FimExecucao(bool sucesso) = 0;
};

/// Passes every event on to another observer, which outlives it; a subclass overrides what it adds.
class TObservadorRepasse : public IObservadorExecucao {
public:
    explicit TObservadorRepasse(IObservadorExecucao& destino) : m_destino(destino) {}

    void InicioExecucao() override { m_destino.InicioExecucao(); }
    void InicioTipo(const QString& chave) override { m_destino.InicioTipo(chave); }
    void FimTipo(const QString& chave) override { m_destino.FimTipo(chave); }
    void FalhaTipo(const QString& chave, qint64 registrosAlcancados) override {
        m_destino.FalhaTipo(chave, registrosAlcancados);
    }
    void Alteracao(const TAlteracao& alteracao) override { m_destino.Alteracao(alteracao); }
    void Limpeza(const TLimpezaComum& limpeza) override { m_destino.Limpeza(limpeza); }
    QString FimExecucao(bool sucesso) override { return m_destino.FimExecucao(sucesso); }

private:
    IObservadorExecucao& m_destino;
};
