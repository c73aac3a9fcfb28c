#pragma once

struct TAlteracao;

/// Where changes go as they happen: the run hands one to the writers, and each change is recorded
/// once, in the order it happened. An implementation that cannot keep a change throws EConversao.
class IRegistroAlteracoes {
public:
    virtual ~IRegistroAlteracoes() = default;
    virtual void Registra(const TAlteracao& alteracao) = 0;
};
