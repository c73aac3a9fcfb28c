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
    const auto texto = [&qry](const char* campo) { return qry.CampoPorNome(QLatin1String(campo)).ComoTexto(); };
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
                                                        std::optional<PaginaCodigo> pagina) {
    TMapeamentoFornecedores mapeamento(&DbDestino);
    ConverteTabela(mapeamento, DbOrigem, pagina, Barra, lblInfo);
}
