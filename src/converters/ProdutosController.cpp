#include "ProdutosController.h"

#include "TQueryOrigem.h"
#include "TextoPrimitivas.h"

namespace {

// A source field counts as present when its text, trimmed, is not empty.
bool Presente(const TCampoOrigem& campo) {
    return !Trim(campo.ComoTexto()).isEmpty();
}

double NumeroOuZero(const TCampoOrigem& campo) {
    return Presente(campo) ? campo.ComoDouble() : 0.0;
}

} // namespace

TMapeamentoProdutos::TMapeamentoProdutos(TConexaoDestino* banco)
    : TMapeamento("PRODUTOS", "TABEST1", "CODIGO", "Produtos"), m_produto(banco), m_estoque(banco), m_detalhe(banco),
      m_conversao(banco) {
    m_produto.SetContexto(&Contexto());
    m_estoque.SetContexto(&Contexto());
}

void TMapeamentoProdutos::LimpaDestino() {
    // Each emptying commits; the rows below then share one transaction with the run.
    m_produto.LimpaTabela();
    m_estoque.LimpaTabela();
    m_detalhe.LimpaTabela();
    m_conversao.PLimpaTabela(QStringLiteral("MVGERAL"));
}

void TMapeamentoProdutos::Preenche(const TQueryOrigem& qry) {
    TContextoRegistro& ctx = Contexto();
    auto campo = [&qry](const char* nome) { return qry.CampoPorNome(QLatin1String(nome)); };
    // A text read here becomes the field the changes the setters record are filed under.
    auto texto = [&qry, &ctx](const char* nome) -> QString {
        return ctx.Campo(QLatin1StringView(nome), qry.CampoPorNome(QLatin1String(nome)).ComoTexto());
    };
    m_produto.SetCodProd(texto("CODIGO"));
    m_produto.SetDescricao(MaiusculasAscii(TConversao::FRetiraAcento(texto("PRODUTO"))));
    if (Presente(campo("LKSETOR"))) {
        const QString setor = texto("LKSETOR");
        m_produto.SetCodGrupo(Copia(setor, 1, 3));
        ConfereValor(&ctx, QLatin1StringView("PRODUTO.CODGRUPO"), setor.size(), 3, m_produto.CodGrupo());
    }
    if (Presente(campo("LKFORNEC"))) {
        const QString fornecedor = texto("LKFORNEC");
        m_produto.SetPrincipalFornecedor(Copia(fornecedor, 1, 6));
        ConfereValor(&ctx, QLatin1StringView("PRODUTO.PRINCIPALFORNEC"), fornecedor.size(), 6,
                     m_produto.PrincipalFornecedor());
    }
    const QString unidade = texto("UNIDADE");
    m_produto.SetUnidEntrada(m_conversao.FUnidade(unidade));
    ConfereValor(&ctx, QLatin1StringView("PRODUTO.UNIDADEENT"), unidade.size(), 6, m_produto.UnidEntrada());
    m_produto.SetUnidSaida(m_produto.UnidEntrada());
    m_produto.SetPreco(NumeroOuZero(campo("PRECOVENDA")));
    m_produto.SetEstMinimo(NumeroOuZero(campo("ESTMINIMO")));
    m_produto.SetLucro(NumeroOuZero(campo("LUCRO")));
    if (Presente(campo("ULTREAJ"))) {
        m_produto.SetData_Ult_Rea(campo("ULTREAJ").ComoDataHora());
    }
    if (!campo("BASECALCULO").Nulo()) {
        m_produto.SetBaseicmsReg00(campo("BASECALCULO").ComoDouble());
    }

    m_estoque.SetCodProd(m_produto.CodProd());
    m_estoque.SetPrecoCusto(NumeroOuZero(campo("PRECOCUSTO")));
    m_estoque.setPrecoMedio(NumeroOuZero(campo("CUSTOMEDIO")));
    m_estoque.SetEstoque(NumeroOuZero(campo("QUANTIDADE")));

    m_produto.SetAtivado(QStringLiteral("S"));
    m_produto.SetCodTipoProduto(QStringLiteral("00"));
    m_produto.SetTipoProd(QStringLiteral("R"));
}

void TMapeamentoProdutos::Grava() {
    m_conversao.PGravaEstoqueProduto(m_conversao.Conexao(), QStringLiteral("00"), m_estoque.CodProd(),
                                     m_estoque.Estoque(), m_estoque.PrecoCusto(), m_estoque.PrecoMedio());
    m_produto.ExecutaSql();
    m_estoque.ExecutaSql();
}

void TMapeamentoProdutos::Descarta() {
    m_produto.LimpaVariavel();
}

void TClassPreencheDadosProdutos::PreencheDadosProdutos(const QString& DbOrigem, TConexaoDestino& DbDestino,
                                                        IBarraProgresso& Barra, IRotulo& lblInfo,
                                                        const TAjustesConversao& ajustes) {
    TMapeamentoProdutos mapeamento(&DbDestino);
    ConverteTabela(mapeamento, DbOrigem, ajustes, Barra, lblInfo);
}
