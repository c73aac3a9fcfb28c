#include "TTransacaoDestino.h"

#include "ConexaoImpl.h"

bool TTransacaoDestino::Ativa() const {
    return static_cast<bool>(m_conexao.m_impl->transacao);
}

void TTransacaoDestino::Inicia() {
    m_conexao.m_impl->Inicia();
}

void TTransacaoDestino::Confirma() {
    m_conexao.m_impl->Confirma();
}

void TTransacaoDestino::Cancela() {
    m_conexao.m_impl->Cancela();
}
