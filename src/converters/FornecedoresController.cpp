#include "FornecedoresController.h"

#include "TQueryOrigem.h"
#include "TextoPrimitivas.h"

TMapeamentoFornecedores::TMapeamentoFornecedores(TConexaoDestino* banco)
    : TMapeamento("FORNECEDORES", "TABFOR", "CONTROLE", "Fornecedores"), m_fornecedor(banco), m_conversao(banco) {
    m_fornecedor.SetContexto(&Contexto());
}

void TMapeamentoFornecedores::LimpaDestino() {
    m_fornecedor.LimpaTabela();
}

void TMapeamentoFornecedores::Preenche(const TQueryOrigem& qry) {
    TContextoRegistro& ctx = Contexto();
    // Each field read becomes the one the changes the setters record are filed under.
    const auto texto = [&qry, &ctx](const char* campo) -> QString {
        return ctx.Campo(QLatin1StringView(campo), qry.CampoPorNome(QLatin1String(campo)).ComoTexto());
    };
    TConverteFornece& f = m_fornecedor;
    f.SetCodFornec(texto("CONTROLE"));
    f.SetNome(MaiusculasAscii(TConversao::FRemoveCaracter(TConversao::FRetiraAcento(texto("EMPRESA")))));
    f.SetNomeFantasia(f.Nome());
    f.SetEndereco(texto("ENDERECO"));
    f.SetBairro(texto("BAIRRO"));
    f.SetEstado(texto("ESTADO"));
    // A blank city is not looked up: the supplier keeps the empty code of the reset.
    const QString cidade = texto("CIDADE");
    if (!Trim(cidade).isEmpty()) {
        f.SetCodCidade(m_conversao.FCidade(cidade, f.Estado(), QString()));
        ConfereWin1252(&ctx, QLatin1StringView("CIDADES.CIDADE"), cidade);
    }
    f.SetCep(texto("CEP"));
    f.SetCgcCpf(texto("CGC"));
    f.SetInscEst(texto("INSC"));
    f.SetEmail(texto("EMAIL"));
    f.SetContato(texto("CONTATO"));
    f.SetFone(texto("TELEFONE"));
    f.SetFax(texto("FAX"));
    // Every supplier is a legal person, whatever its document looks like.
    f.SetPessoa_FJ(QStringLiteral("J"));
}

void TMapeamentoFornecedores::Grava() {
    m_fornecedor.GravaFornecedor();
}

void TMapeamentoFornecedores::Descarta() {
    m_fornecedor.LimpaVariavel();
}

void TFornecedoresController::PreencheDadosFornecedores(const QString& DbOrigem, TConexaoDestino& DbDestino,
                                                        IBarraProgresso& Barra, IRotulo& lblInfo,
                                                        const TAjustesConversao& ajustes) {
    TMapeamentoFornecedores mapeamento(&DbDestino);
    ConverteTabela(mapeamento, DbOrigem, ajustes, Barra, lblInfo);
}
