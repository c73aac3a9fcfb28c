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
    TContextoRegistro& ctx = Contexto();
    TRegistroVendedor& v = m_vendedor;
    // The insert cuts the code and the name; what it will store is checked here, where the record is read.
    v.SetCodvendedor(
        ctx.Campo(QLatin1StringView("CONTROLE"), qry.CampoPorNome(QStringLiteral("CONTROLE")).ComoTexto()));
    constexpr int kCodigo = TVendedorDAO::kLarguraCodigo;
    ConfereValor(&ctx, QLatin1StringView("VENDEND.CODVENDEDOR"), v.Codvendedor().size(), kCodigo,
                 TConversao::StrZero(Copia(v.Codvendedor(), 1, kCodigo), kCodigo));
    const QString nome = ctx.Campo(QLatin1StringView("NOME"), qry.CampoPorNome(QStringLiteral("NOME")).ComoTexto());
    v.SetNome(MaiusculasAscii(TConversao::FRemoveCaracter(TConversao::FRetiraAcento(nome))));
    ConfereValor(&ctx, QLatin1StringView("VENDEND.NOME"), v.Nome().size(), TVendedorDAO::kLarguraNome,
                 Copia(v.Nome(), 1, TVendedorDAO::kLarguraNome));
    const TCampoOrigem comissao = qry.CampoPorNome(QStringLiteral("COMISSAO"));
    v.SetComissao(Trim(comissao.ComoTexto()).isEmpty() ? 0.0 : comissao.ComoDouble());
    v.SetAtivo(QStringLiteral("S"));
    v.SetTipovendedor(QStringLiteral("V"));
    v.SetMudaprecopdv(QStringLiteral("N"));
    v.SetPrecovendedor(1);
}

void TMapeamentoVendedores::Grava() {
    // A seller the target rejects has been reported by the data access; the others go on.
    QString motivo;
    if (!TVendedorDAO(m_conversao.Conexao()).FInsereRegistro(m_vendedor, &motivo)) {
        Contexto().RegistraRegistro(TipoAlteracao::RegistroRecusado, motivo);
    }
}

void TVendedoresController::PreencheDadosVendedores(const QString& DbOrigem, TConexaoDestino& DbDestino,
                                                    IBarraProgresso& Barra, IRotulo& lblInfo,
                                                    const TAjustesConversao& ajustes) {
    TMapeamentoVendedores mapeamento(&DbDestino);
    ConverteTabela(mapeamento, DbOrigem, ajustes, Barra, lblInfo);
}
