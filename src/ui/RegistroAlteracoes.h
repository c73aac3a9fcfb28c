#pragma once

struct TAlteracao;
struct TLimpezaComum;

/// Where changes go as they happen: the run hands one to the writers, and each change is recorded
/// once, in the order it happened. An implementation that cannot keep a change throws EConversao.
class IRegistroAlteracoes {
public:
    virtual ~IRegistroAlteracoes() = default;
    virtual void Registra(const TAlteracao& alteracao) = 0;
    /// A kind's count of values the ordinary cleaning changed, per field, once the kind is read;
    /// a log of single changes has nothing to do with it.
    virtual void ContaLimpeza(const TLimpezaComum& limpeza) { (void)limpeza; }
    /// Whether the counts above are wanted: the writers compare every value with its source text
    /// only for a log that keeps them.
    virtual bool QuerLimpezas() const { return false; }
};
