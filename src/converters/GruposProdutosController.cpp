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
    TContextoRegistro& ctx = Contexto();
    const QString controle = qry.CampoPorNome(QStringLiteral("CONTROLE")).ComoTexto();
    const QString setor = ctx.Campo(QLatin1StringView("SETOR"), qry.CampoPorNome(QStringLiteral("SETOR")).ComoTexto());
    m_grupo.SetDescricao(MaiusculasAscii(TConversao::FRemoveCaracter(TConversao::FRetiraAcento(setor))));
    if (Gravavel()) {
        m_grupo.SetCodigo(ctx.Campo(QLatin1StringView("CONTROLE"), controle));
        return;
    }
    // A group that writes no row is recorded once, as ignored; what its values would have lost is moot.
    ctx.RegistraRegistro(TipoAlteracao::RegistroIgnorado, QStringLiteral("sem descrição"));
    m_grupo.SetContexto(nullptr);
    m_grupo.SetCodigo(controle);
    m_grupo.SetContexto(&ctx);
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
                                                            const TAjustesConversao& ajustes) {
    TMapeamentoGruposProdutos mapeamento(&DbDestino);
    ConverteTabela(mapeamento, DbOrigem, ajustes, Barra, lblInfo);
}
