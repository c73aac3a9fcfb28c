#include "GruposProdutosController.h"

#include "TQueryOrigem.h"
#include "TextoPrimitivas.h"

TMapeamentoGruposProdutos::TMapeamentoGruposProdutos(TConexaoDestino* banco)
    : TMapeamento("GRUPOSPRODUTOS", "TABEST8", "CONTROLE", "Grupos de Produtos"), m_grupo(banco) {
    m_grupo.SetContexto(&Contexto());
}

void TMapeamentoGruposProdutos::LimpaDestino() {
    m_grupo.LimpaTabela();
}

void TMapeamentoGruposProdutos::Preenche(const TQueryOrigem& qry) {
    m_grupo.SetCodigo(qry.CampoPorNome(QStringLiteral("CONTROLE")).ComoTexto());
    const QString setor = qry.CampoPorNome(QStringLiteral("SETOR")).ComoTexto();
    m_grupo.SetDescricao(MaiusculasAscii(TConversao::FRemoveCaracter(TConversao::FRetiraAcento(setor))));
}

bool TMapeamentoGruposProdutos::Gravavel() const {
    return !Trim(m_grupo.Descricao()).isEmpty();
}

void TMapeamentoGruposProdutos::Grava() {
    // A group without a description is skipped without a message.
    if (Gravavel()) {
        m_grupo.ExecutaSql();
    }
}

void TMapeamentoGruposProdutos::Descarta() {
    if (Gravavel()) {
        m_grupo.LimpaVariavel();
    }
}

void TGruposProdutosController::PreencheDadosGruposProdutos(const QString& DbOrigem, TConexaoDestino& DbDestino,
                                                            IBarraProgresso& Barra, IRotulo& lblInfo,
                                                            std::optional<PaginaCodigo> pagina) {
    TMapeamentoGruposProdutos mapeamento(&DbDestino);
    ConverteTabela(mapeamento, DbOrigem, pagina, Barra, lblInfo);
}
