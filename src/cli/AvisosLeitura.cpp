#include "AvisosLeitura.h"

#include "ResumoExecucao.h"
#include "ui/InterfaceUsuario.h"

void TAvisosLeitura::InicioExecucao() {
    m_coletor.InicioExecucao();
}

void TAvisosLeitura::InicioTipo(const QString& chave) {
    m_coletor.InicioTipo(chave);
}

void TAvisosLeitura::FimTipo(const QString& chave) {
    m_coletor.FimTipo(chave);
}

void TAvisosLeitura::FalhaTipo(const QString& chave, qint64 registrosAlcancados) {
    m_coletor.FalhaTipo(chave, registrosAlcancados);
}

void TAvisosLeitura::Alteracao(const TAlteracao& alteracao) {
    m_coletor.Alteracao(alteracao);
}

QString TAvisosLeitura::FimExecucao(bool sucesso) {
    const QString detalhe = m_coletor.FimExecucao(sucesso);
    for (const TResumoTipo& tipo : m_coletor.Resumo().tipos) {
        for (const QString& aviso : tipo.avisos) {
            MostraAviso(aviso);
        }
    }
    return detalhe;
}
