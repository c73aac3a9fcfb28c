#include "ClassesConversaoController.h"

#include "Alteracao.h"
#include "ClientesController.h"
#include "EConversao.h"
#include "FornecedoresController.h"
#include "GruposProdutosController.h"
#include "Interrupcao.h"
#include "ListaParametros.h"
#include "ObservadorExecucao.h"
#include "ProdutosController.h"
#include "VendedoresController.h"
#include "classConversao.h"
#include "ui/InterfaceUsuario.h"

#include <array>

namespace {

using ProcedimentoTipo = void (TClassesConversaoController::*)(const QString&, TConexaoDestino&, IBarraProgresso&,
                                                               IRotulo&);
struct TTipo {
    const char* chave;
    ProcedimentoTipo procedimento;
};

// The order of conversion: sellers and customers before what may refer to them, groups
// before the products that carry their codes.
const std::array<TTipo, 5> kTipos = {{
    {"VENDEDORES", &TClassesConversaoController::PConverteVendedores},
    {"CLIENTES", &TClassesConversaoController::PConverteClientes},
    {"FORNECEDORES", &TClassesConversaoController::PConverteFornecedores},
    {"GRUPOSPRODUTOS", &TClassesConversaoController::PConverteGruposProdutos},
    {"PRODUTOS", &TClassesConversaoController::PConverteProdutos},
}};

// The progress bar the run hands to the controllers: the same bar, which also counts the kind's
// records and, after each one, stops the run when it was asked to stop.
class TBarraDaExecucao final : public IBarraProgresso {
public:
    TBarraDaExecucao(IBarraProgresso& barra, const IInterrupcao* interrupcao)
        : m_barra(barra), m_interrupcao(interrupcao) {}

    int Posicao() const override { return m_barra.Posicao(); }
    void SetPosicao(int valor) override { m_barra.SetPosicao(valor); }
    int Maximo() const override { return m_barra.Maximo(); }
    void SetMaximo(int valor) override {
        m_barra.SetMaximo(valor);
        // A controller sets the maximum right before its first record, once its source is open.
        if (m_concluidos == 0) {
            m_emRegistro = valor > 0;
        }
    }
    void Avanca(int passo) override {
        m_barra.Avanca(passo);
        ++m_concluidos;
        m_emRegistro = m_concluidos < m_barra.Maximo();
        VerificaInterrupcao();
    }

    void NovoTipo() {
        m_concluidos = 0;
        m_emRegistro = false;
    }
    /// Records the kind finished, plus the one it was in the middle of.
    qint64 RegistrosAlcancados() const { return m_concluidos + (m_emRegistro ? 1 : 0); }

    void VerificaInterrupcao() {
        if (m_interrupcao) {
            const QString motivo = m_interrupcao->Motivo();
            if (!motivo.isEmpty()) {
                m_emRegistro = false;
                throw EConversao(motivo);
            }
        }
    }

private:
    IBarraProgresso& m_barra;
    const IInterrupcao* m_interrupcao;
    qint64 m_concluidos = 0;
    bool m_emRegistro = false;
};

} // namespace

bool TClassesConversaoController::FEfetuaConversao(const TListaParametros& MParams, const QString& BDOrigem,
                                                   TConexaoDestino& BDDestino, TTransacaoDestino& Transacao,
                                                   IBarraProgresso& Barra, IRotulo& lblInfo) {
    TConversao FConversao(BDDestino);
    m_alteracoes.SetTipo(QString());
    if (m_observador) {
        m_observador->InicioExecucao();
    }
    Barra.SetPosicao(0);
    FConversao.DesativaTriggers(BDDestino, Transacao);
    FConversao.PIniciaTransacao(Transacao);
    TBarraDaExecucao barra(Barra, m_interrupcao);
    const TTipo* emAndamento = nullptr;
    try {
        for (const TTipo& tipo : kTipos) {
            if (MParams.Valor(QLatin1String(tipo.chave)) == QLatin1String("S")) {
                barra.VerificaInterrupcao();
                const QString chave = QLatin1String(tipo.chave);
                emAndamento = &tipo;
                barra.NovoTipo();
                m_alteracoes.SetTipo(chave);
                if (m_observador) {
                    m_observador->InicioTipo(chave);
                }
                (this->*tipo.procedimento)(BDOrigem, BDDestino, barra, lblInfo);
                // Committed as soon as it ends: a later kind that fails, even while emptying its own
                // tables, can no longer take these rows back.
                FConversao.PConfirmaTransacao(Transacao);
                emAndamento = nullptr;
                if (m_observador) {
                    m_observador->FimTipo(chave);
                }
            }
        }
        barra.VerificaInterrupcao();
        FConversao.PConfirmaTransacao(Transacao);
        FConversao.AtivaTriggers(BDDestino, Transacao);
        DetalheDoFim(true);
        MostraInformacao(QStringLiteral("Conversão concluída com sucesso!"));
        Barra.SetPosicao(0);
        return true;
    } catch (const std::exception& e) {
        const QString motivo = MensagemDe(e);
        // From here on nothing may throw: a lost connection makes every step below fail, and the
        // person must still get the final message (the engine discards uncommitted work anyway).
        try {
            FConversao.PCancelaTransacao(Transacao);
        } catch (const std::exception& falha) {
            MostraAviso(QStringLiteral("Não foi possível desfazer o tipo em andamento: ") + MensagemDe(falha));
        }
        FConversao.AtivaTriggers(BDDestino, Transacao);
        try {
            if (m_observador && emAndamento) {
                m_observador->FalhaTipo(QLatin1String(emAndamento->chave), barra.RegistrosAlcancados());
            }
            DetalheDoFim(false);
        } catch (const std::exception&) {
            // The summary is a courtesy; the error box below is what matters.
        }
        MostraErro(QStringLiteral("Ocorreu um erro durante a conversão! Motivo: ") + motivo);
        Barra.SetPosicao(0);
        Barra.SetMaximo(0);
        return false;
    }
}

void TClassesConversaoController::TAlteracoesExecucao::Registra(const TAlteracao& alteracao) {
    const TAlteracao* registrada = &alteracao;
    TAlteracao comTipo;
    if (alteracao.tipo.isEmpty()) {
        comTipo = alteracao;
        comTipo.tipo = m_chave;
        registrada = &comTipo;
    }
    if (m_observador) {
        m_observador->Alteracao(*registrada);
    }
    if (m_destino) {
        m_destino->Registra(*registrada);
    }
}

void TClassesConversaoController::TAlteracoesExecucao::ContaLimpeza(const TLimpezaComum& limpeza) {
    if (m_observador == nullptr) {
        return;
    }
    if (!limpeza.tipo.isEmpty()) {
        m_observador->Limpeza(limpeza);
        return;
    }
    TLimpezaComum comTipo = limpeza;
    comTipo.tipo = m_chave;
    m_observador->Limpeza(comTipo);
}

void TClassesConversaoController::DetalheDoFim(bool sucesso) {
    if (m_observador) {
        DefineDetalheProximaMensagem(m_observador->FimExecucao(sucesso));
    }
}

void TClassesConversaoController::PConverteVendedores(const QString& BDOrigem, TConexaoDestino& BDQuorvel,
                                                      IBarraProgresso& Barra, IRotulo& lblInfo) {
    TVendedoresController().PreencheDadosVendedores(BDOrigem, BDQuorvel, Barra, lblInfo, {m_pagina, &m_alteracoes});
}

void TClassesConversaoController::PConverteClientes(const QString& BDOrigem, TConexaoDestino& BDQuorvel,
                                                    IBarraProgresso& Barra, IRotulo& lblInfo) {
    TClassPreencheDadosClientes().PreencheDadosClientes(BDOrigem, BDQuorvel, Barra, lblInfo, {m_pagina, &m_alteracoes});
}

void TClassesConversaoController::PConverteFornecedores(const QString& BDOrigem, TConexaoDestino& BDQuorvel,
                                                        IBarraProgresso& Barra, IRotulo& lblInfo) {
    TFornecedoresController().PreencheDadosFornecedores(BDOrigem, BDQuorvel, Barra, lblInfo, {m_pagina, &m_alteracoes});
}

void TClassesConversaoController::PConverteGruposProdutos(const QString& BDOrigem, TConexaoDestino& BDQuorvel,
                                                          IBarraProgresso& Barra, IRotulo& lblInfo) {
    TGruposProdutosController().PreencheDadosGruposProdutos(BDOrigem, BDQuorvel, Barra, lblInfo,
                                                            {m_pagina, &m_alteracoes});
}

void TClassesConversaoController::PConverteProdutos(const QString& BDOrigem, TConexaoDestino& BDQuorvel,
                                                    IBarraProgresso& Barra, IRotulo& lblInfo) {
    TClassPreencheDadosProdutos().PreencheDadosProdutos(BDOrigem, BDQuorvel, Barra, lblInfo, {m_pagina, &m_alteracoes});
}
