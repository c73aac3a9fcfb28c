#include "AvisosLeitura.h"

#include "ResumoExecucao.h"
#include "ui/InterfaceUsuario.h"

TAvisosLeitura::TAvisosLeitura(TColetorResumo& coletor) : TObservadorRepasse(coletor), m_coletor(coletor) {}

QString TAvisosLeitura::FimExecucao(bool sucesso) {
    const QString detalhe = TObservadorRepasse::FimExecucao(sucesso);
    for (const TResumoTipo& tipo : m_coletor.Resumo().tipos) {
        for (const QString& aviso : tipo.avisos) {
            MostraAviso(aviso);
        }
    }
    return detalhe;
}
