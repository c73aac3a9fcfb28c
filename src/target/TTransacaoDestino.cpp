#include "TTransacaoDestino.h"

#include "ConexaoImpl.h"

bool TTransacaoDestino::Ativa() const { return static_cast<bool>(m_conexao.impl().transacao); }

void TTransacaoDestino::Inicia() { m_conexao.impl().Inicia(); }

void TTransacaoDestino::Confirma() { m_conexao.impl().Confirma(); }

void TTransacaoDestino::Cancela() { m_conexao.impl().Cancela(); }
