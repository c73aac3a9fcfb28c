#include "ClassesConversaoController.h"

#include "ClientesController.h"
#include "EConversao.h"
#include "FornecedoresController.h"
#include "GruposProdutosController.h"
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

} // namespace

bool TClassesConversaoController::FEfetuaConversao(const TListaParametros& MParams, const QString& BDOrigem,
                                                   TConexaoDestino& BDDestino, TTransacaoDestino& Transacao,
                                                   IBarraProgresso& Barra, IRotulo& lblInfo) {
    TConversao FConversao(BDDestino);
    if (m_observador) {
        m_observador->InicioExecucao();
    }
    Barra.SetPosicao(0);
    FConversao.DesativaTriggers(BDDestino, Transacao);
    FConversao.PIniciaTransacao(Transacao);
    try {
        for (const TTipo& tipo : kTipos) {
            if (MParams.Valor(QLatin1String(tipo.chave)) == QLatin1String("S")) {
                const QString chave = QLatin1String(tipo.chave);
                if (m_observador) {
                    m_observador->InicioTipo(chave);
                }
                (this->*tipo.procedimento)(BDOrigem, BDDestino, Barra, lblInfo);
                if (m_observador) {
                    m_observador->FimTipo(chave);
                }
            }
        }
        FConversao.PConfirmaTransacao(Transacao);
        FConversao.AtivaTriggers(BDDestino, Transacao);
        DetalheDoFim(true);
        MostraInformacao(QStringLiteral("Conversão concluída com sucesso!"));
        Barra.SetPosicao(0);
        return true;
    } catch (const std::exception& e) {
        FConversao.PCancelaTransacao(Transacao);
        FConversao.AtivaTriggers(BDDestino, Transacao);
        DetalheDoFim(false);
        MostraErro(QStringLiteral("Ocorreu um erro durante a conversão! Motivo: ") + MensagemDe(e));
        Barra.SetPosicao(0);
        Barra.SetMaximo(0);
        return false;
    }
}

void TClassesConversaoController::DetalheDoFim(bool sucesso) {
    if (m_observador) {
        DefineDetalheProximaMensagem(m_observador->FimExecucao(sucesso));
    }
}

void TClassesConversaoController::PConverteVendedores(const QString& BDOrigem, TConexaoDestino& BDQuorvel,
                                                      IBarraProgresso& Barra, IRotulo& lblInfo) {
    TVendedoresController().PreencheDadosVendedores(BDOrigem, BDQuorvel, Barra, lblInfo);
}

void TClassesConversaoController::PConverteClientes(const QString& BDOrigem, TConexaoDestino& BDQuorvel,
                                                    IBarraProgresso& Barra, IRotulo& lblInfo) {
    TClassPreencheDadosClientes().PreencheDadosClientes(BDOrigem, BDQuorvel, Barra, lblInfo);
}

void TClassesConversaoController::PConverteFornecedores(const QString& BDOrigem, TConexaoDestino& BDQuorvel,
                                                        IBarraProgresso& Barra, IRotulo& lblInfo) {
    TFornecedoresController().PreencheDadosFornecedores(BDOrigem, BDQuorvel, Barra, lblInfo);
}

void TClassesConversaoController::PConverteGruposProdutos(const QString& BDOrigem, TConexaoDestino& BDQuorvel,
                                                          IBarraProgresso& Barra, IRotulo& lblInfo) {
    TGruposProdutosController().PreencheDadosGruposProdutos(BDOrigem, BDQuorvel, Barra, lblInfo);
}

void TClassesConversaoController::PConverteProdutos(const QString& BDOrigem, TConexaoDestino& BDQuorvel,
                                                    IBarraProgresso& Barra, IRotulo& lblInfo) {
    TClassPreencheDadosProdutos().PreencheDadosProdutos(BDOrigem, BDQuorvel, Barra, lblInfo);
}
