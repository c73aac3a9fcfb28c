#include "VendedoresController.h"

#include "TQueryOrigem.h"
#include "TextoPrimitivas.h"
#include "VendedorDAO.h"

TMapeamentoVendedores::TMapeamentoVendedores(TConexaoDestino* banco)
    : TMapeamento("VENDEDORES", "TABVEND", "CONTROLE", "Vendedores"), m_conversao(banco) {}

void TMapeamentoVendedores::LimpaDestino() {
    m_conversao.PLimpaTabela(QStringLiteral("VENDEND"));
}

void TMapeamentoVendedores::Preenche(const TQueryOrigem& qry) {
    TRegistroVendedor& v = m_vendedor;
    v.SetCodvendedor(qry.CampoPorNome(QStringLiteral("CONTROLE")).ComoTexto());
    const QString nome = qry.CampoPorNome(QStringLiteral("NOME")).ComoTexto();
    v.SetNome(MaiusculasAscii(TConversao::FRemoveCaracter(TConversao::FRetiraAcento(nome))));
    const TCampoOrigem comissao = qry.CampoPorNome(QStringLiteral("COMISSAO"));
    v.SetComissao(Trim(comissao.ComoTexto()).isEmpty() ? 0.0 : comissao.ComoDouble());
    v.SetAtivo(QStringLiteral("S"));
    v.SetTipovendedor(QStringLiteral("V"));
    v.SetMudaprecopdv(QStringLiteral("N"));
    v.SetPrecovendedor(1);
}

void TMapeamentoVendedores::Grava() {
    // A seller the target rejects has been reported by the data access; the others go on.
    TVendedorDAO(m_conversao.Conexao()).FInsereRegistro(m_vendedor);
}

void TVendedoresController::PreencheDadosVendedores(const QString& DbOrigem, TConexaoDestino& DbDestino,
                                                    IBarraProgresso& Barra, IRotulo& lblInfo,
                                                    std::optional<PaginaCodigo> pagina) {
    TMapeamentoVendedores mapeamento(&DbDestino);
    ConverteTabela(mapeamento, DbOrigem, pagina, Barra, lblInfo);
}
