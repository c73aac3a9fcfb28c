// The product, stock and detail writers and the product mapping on real embedded databases.
#include "BancoTemporario.h"
#include "ClientesTeste.h"
#include "CompProd.h"
#include "ConfiguracaoRegional.h"
#include "DataHora.h"
#include "EConversao.h"
#include "GravadorInterface.h"
#include "Produto.h"
#include "ProdutoDetalhe.h"
#include "ProdutosController.h"
#include "ProdutosTeste.h"
#include "TConexaoDestino.h"
#include "TTransacaoDestino.h"
#include "classConversao.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

TDateTime Data(int ano, int mes, int dia) {
    return DataParaTDateTime(QDate(ano, mes, dia));
}

class TesteProdutoGravacao : public ::testing::Test {
protected:
    TesteProdutoGravacao() {
        // As in a run: the product and movement triggers are off while the rows go in.
        TConversao(*conexao).DesativaTriggers(*conexao, conexao->Transacao());
    }

    void Confirma() {
        if (conexao->Transacao().Ativa()) {
            conexao->Transacao().Confirma();
        }
    }

    std::vector<QMap<QString, QString>> Linhas(const QString& sql) {
        Confirma();
        return banco.Linhas(sql);
    }

    int Contagem(const char* tabela) {
        Confirma();
        return banco.Valor(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(tabela))).toInt();
    }

    // One row in each of the four tables a product conversion empties.
    void PreencheTabelasDeProduto() {
        banco.Executa(QStringLiteral("INSERT INTO PRODUTO (CODPROD) VALUES ('000777')"));
        banco.Executa(
            QStringLiteral("INSERT INTO COMPPROD (CODPROD, CODEMPRESA, CODGRADE) VALUES ('000777', '00', '0000')"));
        banco.Executa(QStringLiteral("INSERT INTO PRODUTODETALHE (CODPROD) VALUES ('000777')"));
        banco.Executa(QStringLiteral("INSERT INTO MVGERAL (CODPROD, QUANTIDADE) VALUES ('000777', 5)"));
    }

    TBancoTemporario banco;
    std::unique_ptr<TConexaoDestino> conexao = banco.Conecta();
    TGravadorInterface pessoa;
};

TEST_F(TesteProdutoGravacao, InsercaoGravaPadroesEColunasOpcionaisEReiniciaSoNoSucesso) {
    Regional().separadorDecimal = QLatin1Char(',');
    TConverteProduto produto(*conexao);
    EXPECT_TRUE(produto.ExecutaSql());

    produto.SetCodProd(QStringLiteral("12"));
    produto.SetDescricao(QStringLiteral("O'BRIEN"));
    produto.SetCodClasFis(QStringLiteral(" 12"));
    produto.SetPreco(1234.5);
    produto.SetDt_Cadastro(QStringLiteral("05.03.2014"));
    produto.SetData_Ult_Ent(Data(2010, 1, 2));
    produto.SetData_Ult_Rea(Data(2014, 3, 5));
    produto.SetData_Ult_Alteracao(Data(2024, 2, 29));
    produto.SetGrade(4);
    produto.SetAliqIss(2.5);
    EXPECT_TRUE(produto.ExecutaSql());
    EXPECT_EQ(produto.CodProd(), QStringLiteral("000000"));
    EXPECT_EQ(produto.Data_Ult_Rea(), TConverteProduto::SemData());

    const auto linhas = Linhas(QStringLiteral("SELECT * FROM PRODUTO ORDER BY CODPROD"));
    ASSERT_EQ(linhas.size(), 2U);
    EXPECT_EQ(Texto(DiferencasLinha(linhas[0], ProdutoReiniciado(banco, QStringLiteral("000000")))), QString());
    auto esperado = ProdutoReiniciado(banco, QStringLiteral("000012"));
    esperado[QStringLiteral("DESCRICAO")] = QStringLiteral("O'BRIEN");
    esperado[QStringLiteral("CODCLASFIS")] = QStringLiteral("0 12");
    esperado[QStringLiteral("PRECO")] = QStringLiteral("1234.5");
    esperado[QStringLiteral("DT_CADASTRO")] = QStringLiteral("05.03.2014");
    esperado[QStringLiteral("DATA_ULT_ENT1")] = QStringLiteral("02.01.2010");
    esperado[QStringLiteral("DATA_ULT_REAJUSTE")] = QStringLiteral("05.03.2014");
    esperado[QStringLiteral("DATA_ULT_ALTERACAO")] = QStringLiteral("29.02.2024");
    esperado[QStringLiteral("GRADE")] = QStringLiteral("4");
    esperado[QStringLiteral("ALIQISS")] = QStringLiteral("2.5");
    EXPECT_EQ(Texto(DiferencasLinha(linhas[1], esperado)), QString());

    // The same code again: the engine's refusal reaches the caller and the row stays filled.
    produto.SetCodProd(QStringLiteral("000012"));
    produto.SetDescricao(QStringLiteral("REPETIDO"));
    EXPECT_THROW(produto.ExecutaSql(), EConversao);
    EXPECT_EQ(produto.CodProd(), QStringLiteral("000012"));
    EXPECT_EQ(produto.Descricao(), QStringLiteral("REPETIDO"));

    produto.LimpaTabela();
    EXPECT_FALSE(conexao->Transacao().Ativa());
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM PRODUTO")), QStringLiteral("0"));
}

TEST_F(TesteProdutoGravacao, EstoqueNaoReiniciaEntreProdutos) {
    TConverteCompProd estoque(*conexao);
    estoque.SetCodProd(QStringLiteral("000001"));
    estoque.SetEstoque(10.5);
    estoque.SetPrecoCusto(2.25);
    estoque.setPrecoMedio(3.25);
    EXPECT_TRUE(estoque.ExecutaSql());
    // The second product sets only its code: quantity and costs repeat the first one's.
    estoque.SetCodProd(QStringLiteral("000002"));
    EXPECT_TRUE(estoque.ExecutaSql());

    const auto linhas = Linhas(QStringLiteral("SELECT * FROM COMPPROD ORDER BY CODPROD"));
    ASSERT_EQ(linhas.size(), 2U);
    for (const auto& [linha, codigo] : {std::pair{linhas[0], "000001"}, std::pair{linhas[1], "000002"}}) {
        const QMap<QString, QString> esperado = {
            {QStringLiteral("CODPROD"), QLatin1String(codigo)},
            {QStringLiteral("CODEMPRESA"), QStringLiteral("00")},
            {QStringLiteral("CODGRADE"), QStringLiteral("0000")},
            {QStringLiteral("ESTOQUE"), QStringLiteral("10.5")},
            {QStringLiteral("ESTOQUEDISPONIVEL"), QStringLiteral("0")},
            {QStringLiteral("ESTMINIMO"), QStringLiteral("0")},
            {QStringLiteral("ESTMAXIMO"), QStringLiteral("0")},
            {QStringLiteral("PRECOMEDIO"), QStringLiteral("3.25")},
            {QStringLiteral("PRECOCUSTO"), QStringLiteral("2.25")},
            {QStringLiteral("PRECONF"), QStringLiteral("0")},
        };
        EXPECT_EQ(Texto(DiferencasLinha(linha, esperado)), QString()) << codigo;
    }

    estoque.LimpaTabela();
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM COMPPROD")), QStringLiteral("0"));
}

TEST_F(TesteProdutoGravacao, DetalheInsereEAtualizaSoALinhaDoCodigo) {
    Regional().separadorDecimal = QLatin1Char(',');
    TConverteProdutoDetalhe detalhe(*conexao);
    detalhe.SetCODPROD(QStringLiteral("000001"));
    EXPECT_TRUE(detalhe.ExecutaSql());
    detalhe.SetCODPROD(QStringLiteral("000002"));
    EXPECT_TRUE(detalhe.ExecutaSql());
    const auto antes = Linhas(QStringLiteral("SELECT * FROM PRODUTODETALHE ORDER BY CODPROD"));
    ASSERT_EQ(antes.size(), 2U);
    for (auto it = antes[0].begin(); it != antes[0].end(); ++it) {
        if (it.key() != QLatin1String("CODPROD")) {
            EXPECT_TRUE(it.value().isEmpty() || it.value() == QLatin1String("0")) << it.key().toStdString();
        }
    }

    detalhe.SetCODPROD(QStringLiteral("000002"));
    detalhe.SetALIQPIS(1.65);
    detalhe.SetCOFINS_CST(QStringLiteral("0'"));
    detalhe.SetPONTOBONUS(-7);
    detalhe.SetALIQPISENT(0.65); // never reset
    EXPECT_TRUE(detalhe.AtualizaProdutoDetalhe());
    EXPECT_EQ(detalhe.CodProd(), QString());
    EXPECT_EQ(detalhe.AliqPis(), 0.0);
    EXPECT_EQ(detalhe.AliqPisEnt(), 0.65);

    const auto depois = Linhas(QStringLiteral("SELECT * FROM PRODUTODETALHE ORDER BY CODPROD"));
    ASSERT_EQ(depois.size(), 2U);
    EXPECT_EQ(Texto(DiferencasLinha(depois[0], antes[0])), QString());
    auto esperado = antes[1];
    esperado[QStringLiteral("ALIQPIS")] = QStringLiteral("1.65");
    esperado[QStringLiteral("COFINS_CST")] = QStringLiteral("0'");
    esperado[QStringLiteral("PONTOBONUS")] = QStringLiteral("-7");
    esperado[QStringLiteral("ALIQPISENT")] = QStringLiteral("0.65");
    EXPECT_EQ(Texto(DiferencasLinha(depois[1], esperado)), QString());

    detalhe.LimpaTabela();
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM PRODUTODETALHE")), QStringLiteral("0"));
}

TEST_F(TesteProdutoGravacao, MapeamentoEsvaziaAsQuatroTabelasEMostraOProgresso) {
    struct Caso {
        int registros;
        QStringList captions;
    };
    const std::vector<Caso> casos = {
        {0, {QString()}},
        {3,
         {QStringLiteral("Convertendo Produtos - Registro 1 de 3"),
          QStringLiteral("Convertendo Produtos - Registro 2 de 3"),
          QStringLiteral("Convertendo Produtos - Registro 3 de 3"), QString()}},
    };
    for (const Caso& caso : casos) {
        PreencheTabelasDeProduto();
        QTemporaryDir origem;
        std::vector<TRegistroTabest1> registros;
        for (int i = 0; i < caso.registros; ++i) {
            TRegistroTabest1 r;
            r.codigo = QString::number(i + 1);
            r.produto = QStringLiteral("PRODUTO %1").arg(i + 1);
            r.unidade = QStringLiteral("UN");
            r.quantidade = i;
            registros.push_back(r);
        }
        EscreveTabest1(origem.path(), registros);
        TGravadorInterface tela;

        TClassPreencheDadosProdutos().PreencheDadosProdutos(origem.path(), *conexao, tela, tela);

        EXPECT_EQ(tela.Captions(), caso.captions) << caso.registros;
        EXPECT_EQ(tela.Posicao(), 0);
        EXPECT_EQ(tela.Maximo(), 0);
        EXPECT_TRUE(tela.Mensagens().isEmpty()) << Texto(tela.Mensagens()).toStdString();
        int maximoLido = -1;
        for (const auto& evento : tela.Eventos()) {
            if (evento.tipo == TGravadorInterface::Tipo::Maximo) {
                maximoLido = evento.valor;
                break;
            }
        }
        EXPECT_EQ(maximoLido, caso.registros);
        for (const char* tabela : {"PRODUTO", "COMPPROD", "MVGERAL"}) {
            EXPECT_EQ(Contagem(tabela), caso.registros) << tabela;
        }
        EXPECT_EQ(Contagem("PRODUTODETALHE"), 0);
        EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM PRODUTO WHERE CODPROD = '000777'")),
                  QStringLiteral("0"));
        banco.Executa(QStringLiteral("DELETE FROM PRODUTO"));
        banco.Executa(QStringLiteral("DELETE FROM COMPPROD"));
        banco.Executa(QStringLiteral("DELETE FROM MVGERAL"));
    }
}

} // namespace
