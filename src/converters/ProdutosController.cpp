#include "ProdutosController.h"

#include "EConversao.h"
#include "TQueryOrigem.h"
#include "TextoPrimitivas.h"

#include <algorithm>

namespace {

// A source text counts as present when it holds a character above the blank.
bool Presente(QStringView texto) {
    return std::any_of(texto.begin(), texto.end(), [](QChar c) { return c.unicode() > 32; });
}

bool Presente(const TCampoOrigem& campo) {
    return Presente(campo.ComoTexto());
}

// The field's number; 0 when the field is not present. A value the reader refuses is refused only
// when present. Read directly: a blank number reads as 0, and any other readable one is present.
double NumeroOuZero(const TCampoOrigem& campo) {
    try {
        return campo.ComoDouble();
    } catch (const EConversao&) {
        if (Presente(campo)) {
            throw;
        }
        return 0.0;
    }
}

// The field's date when the field is present. Only a value read as day 0 (what a blank reads as)
// needs the text to tell a blank from a date; a readable date is present.
std::optional<TDateTime> DataSePresente(const TCampoOrigem& campo) {
    try {
        const TDateTime data = campo.ComoDataHora();
        if (data == 0 && !Presente(campo)) {
            return std::nullopt;
        }
        return data;
    } catch (const EConversao&) {
        if (Presente(campo)) {
            throw;
        }
        return std::nullopt;
    }
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
    // A text named here becomes the field the changes the setters record are filed under.
    auto nomeia = [&ctx](const char* nome, const QString& valor) -> const QString& {
        return ctx.Campo(QLatin1StringView(nome), valor);
    };
    auto texto = [&](const char* nome) -> const QString& { return nomeia(nome, campo(nome).ComoTexto()); };
    m_produto.SetCodProd(texto("CODIGO"));
    m_produto.SetDescricao(MaiusculasAscii(TConversao::FRetiraAcento(texto("PRODUTO"))));
    if (const QString setor = campo("LKSETOR").ComoTexto(); Presente(setor)) {
        nomeia("LKSETOR", setor);
        m_produto.SetCodGrupo(Copia(setor, 1, 3));
        ConfereValor(&ctx, QLatin1StringView("PRODUTO.CODGRUPO"), setor.size(), 3, m_produto.CodGrupo());
    }
    if (const QString fornecedor = campo("LKFORNEC").ComoTexto(); Presente(fornecedor)) {
        nomeia("LKFORNEC", fornecedor);
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
    if (const std::optional<TDateTime> reajuste = DataSePresente(campo("ULTREAJ"))) {
        m_produto.SetData_Ult_Rea(*reajuste);
    }
    // A blank base reads as 0, the value the reset writer already holds.
    m_produto.SetBaseicmsReg00(campo("BASECALCULO").ComoDouble());

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
