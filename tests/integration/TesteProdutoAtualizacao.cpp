// The product writer's updates and side tables (PARAFAT, relprfo, inventa) on real embedded databases.
#include "BancoTemporario.h"
#include "ClientesTeste.h"
#include "ConfiguracaoRegional.h"
#include "DataHora.h"
#include "EConversao.h"
#include "GravadorInterface.h"
#include "Produto.h"
#include "ProdutosTeste.h"
#include "TConexaoDestino.h"
#include "TTransacaoDestino.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TDateTime Data(int ano, int mes, int dia) {
    return DataParaTDateTime(QDate(ano, mes, dia));
}

class TesteProdutoAtualizacao : public ::testing::Test {
protected:
    void SetUp() override {
        // A row that no test updates, and one per test that the writer updates.
        banco.Executa(QStringLiteral(
            "INSERT INTO PRODUTO (CODPROD, DESCRICAO, DESCRICAO2, ALIQISS, GRADE, PRECO, CONTROLELOTE, DT_CADASTRO, "
            "DATA_ULT_ENT1, DATA_ULT_REAJUSTE, DATA_ULT_ALTERACAO) VALUES ('000000', 'VELHO', 'VELHO 2', 2.5, 7, "
            "9.9, 'S', '01.02.2003', '04.05.2006', '07.08.2009', '10.11.2012')"));
        banco.Executa(QStringLiteral(
            "INSERT INTO PRODUTO (CODPROD, DESCRICAO, ALIQISS, GRADE, PRECO, DT_CADASTRO) VALUES ('000099', "
            "'OUTRO', 1.5, 3, 4.25, '02.03.2004')"));
        outro = Produto(QStringLiteral("000099"));
    }

    // Commits the writer's connection as the run would, then reads through a connection of its own.
    QMap<QString, QString> Produto(const QString& codigo) {
        Confirma();
        const auto linhas = banco.Linhas(QStringLiteral("SELECT * FROM PRODUTO WHERE CODPROD = '%1'").arg(codigo));
        EXPECT_EQ(linhas.size(), 1U) << codigo.toStdString();
        return linhas.empty() ? QMap<QString, QString>() : linhas.front();
    }

    void Confirma() {
        if (conexao->Transacao().Ativa()) {
            conexao->Transacao().Confirma();
        }
    }

    TBancoTemporario banco;
    std::unique_ptr<TConexaoDestino> conexao = banco.Conecta();
    TGravadorInterface pessoa;
    QMap<QString, QString> outro;
};

TEST_F(TesteProdutoAtualizacao, EscritorNovoReescreveALinha000000ComDatas1900ECadastroNulo) {
    TConverteProduto produto(*conexao);
    EXPECT_TRUE(produto.AtualizaProduto());

    // Every column the update writes holds the reset value; ALIQISS and GRADE are not written.
    auto esperado = ProdutoReiniciado(banco, QStringLiteral("000000"));
    for (const char* data : {"DATA_ULT_ENT1", "DATA_ULT_REAJUSTE", "DATA_ULT_ALTERACAO"}) {
        esperado[QLatin1String(data)] = QStringLiteral("01.01.1900");
    }
    esperado[QStringLiteral("ALIQISS")] = QStringLiteral("2.5");
    esperado[QStringLiteral("GRADE")] = QStringLiteral("7");
    EXPECT_EQ(Texto(DiferencasLinha(Produto(QStringLiteral("000000")), esperado)), QString());
    EXPECT_EQ(Texto(DiferencasLinha(Produto(QStringLiteral("000099")), outro)), QString());
    EXPECT_TRUE(pessoa.Mensagens().isEmpty());
}

TEST_F(TesteProdutoAtualizacao, AtualizaCadaCampoComRegrasEVoltaAoPadrao) {
    Regional().separadorDecimal = QLatin1Char(',');
    TConverteProduto produto(*conexao);
    produto.SetPercPerda(1.5); // carried over the reset
    produto.SetCodProd(QStringLiteral(" 0 "));
    produto.SetDescricao(QStringLiteral("O'BRIEN"));
    produto.SetCodGrupo(QStringLiteral("12345"));
    produto.SetPrincipalFornecedor(QStringLiteral("42"));
    produto.SetControleLote(QStringLiteral("S"));
    produto.SetPreco(1234.5);
    produto.SetPeso(0.00005);
    produto.SetDiasEstMaximo(-3);
    produto.SetDt_Cadastro(QStringLiteral("05.03.2014"));
    produto.SetData_Ult_Rea(Data(2020, 2, 29));
    produto.SetAliqIss(9); // not part of the update

    EXPECT_TRUE(produto.AtualizaProduto());

    const auto linha = Produto(QStringLiteral("000000"));
    const QMap<QString, QString> esperado = {
        {QStringLiteral("DESCRICAO"), QStringLiteral("O'BRIEN")},
        {QStringLiteral("DESCRICAO2"), QString()},
        {QStringLiteral("CODGRUPO"), QStringLiteral("345")},
        {QStringLiteral("PRINCIPALFORNEC"), QStringLiteral("000042")},
        {QStringLiteral("CONTROLELOTE"), QStringLiteral("S")},
        {QStringLiteral("PRECO"), QStringLiteral("1234.5")},
        {QStringLiteral("PESO"), QStringLiteral("5E-5")},
        {QStringLiteral("DIASESTMAXIMO"), QStringLiteral("-3")},
        {QStringLiteral("PERCPERDA"), QStringLiteral("1.5")},
        {QStringLiteral("DT_CADASTRO"), QStringLiteral("05.03.2014")},
        {QStringLiteral("DATA_ULT_REAJUSTE"), QStringLiteral("29.02.2020")},
        {QStringLiteral("DATA_ULT_ENT1"), QStringLiteral("01.01.1900")},
        {QStringLiteral("ALIQISS"), QStringLiteral("2.5")},
    };
    for (auto it = esperado.begin(); it != esperado.end(); ++it) {
        EXPECT_EQ(linha.value(it.key()), it.value()) << it.key().toStdString();
    }
    // Reset as after an insert; the carried field stays.
    EXPECT_EQ(produto.CodProd(), QStringLiteral("000000"));
    EXPECT_EQ(produto.Preco(), 0.0);
    EXPECT_EQ(produto.Dt_Cadastro(), QString());
    EXPECT_EQ(produto.PercPerda(), 1.5);
}

TEST_F(TesteProdutoAtualizacao, CodigoSemLinhaNaoMudaNadaEFalhaGuardaOsCampos) {
    TConverteProduto produto(*conexao);
    produto.SetCodProd(QStringLiteral("777"));
    produto.SetDescricao(QStringLiteral("NINGUEM"));
    EXPECT_TRUE(produto.AtualizaProduto());
    EXPECT_EQ(produto.CodProd(), QStringLiteral("000000"));

    // A registration date the engine cannot read: the error reaches the caller, the row is kept.
    produto.SetCodProd(QStringLiteral("99"));
    produto.SetDescricao(QStringLiteral("NOVO"));
    produto.SetDt_Cadastro(QStringLiteral("31/31/2014"));
    EXPECT_THROW(produto.AtualizaProduto(), EConversao);
    EXPECT_EQ(produto.CodProd(), QStringLiteral("000099"));
    EXPECT_EQ(produto.Descricao(), QStringLiteral("NOVO"));

    EXPECT_EQ(Contagem(banco, "PRODUTO"), 2);
    EXPECT_EQ(Texto(DiferencasLinha(Produto(QStringLiteral("000099")), outro)), QString());
    EXPECT_EQ(Produto(QStringLiteral("000000")).value(QStringLiteral("DESCRICAO")), QStringLiteral("VELHO"));
}

TEST_F(TesteProdutoAtualizacao, AtualizacaoDePrecoMudaSoAsOitoColunas) {
    const auto antes = Produto(QStringLiteral("000099"));

    TConverteProduto produto(*conexao);
    produto.SetCodProd(QStringLiteral("99"));
    produto.SetReferencia(QStringLiteral("REF'1"));
    produto.SetRefFabricante(QStringLiteral("  FAB-9  "));
    produto.SetCodGrupo(QStringLiteral("4"));
    produto.SetPrincipalFornecedor(QStringLiteral("17"));
    produto.SetPreco(10.25);
    produto.SetPreco2(20);
    produto.SetPreco3(0.5);
    produto.SetPreco4(1E15);
    // Fields outside the price update must not reach the row.
    produto.SetDescricao(QStringLiteral("NAO"));
    produto.SetPrecoAnterior(99);
    produto.SetDt_Cadastro(QStringLiteral("05.03.2014"));
    produto.SetData_Ult_Alteracao(Data(2021, 1, 1));
    produto.SetTipoProd(QStringLiteral("X"));

    EXPECT_TRUE(produto.AtualizaProdutoPreco());
    EXPECT_EQ(produto.CodProd(), QStringLiteral("000000"));
    EXPECT_EQ(produto.Descricao(), QString());

    auto esperado = antes;
    esperado[QStringLiteral("REFERENCIA")] = QStringLiteral("REF'1");
    esperado[QStringLiteral("REFFABRICANTE")] = QStringLiteral("FAB-9");
    esperado[QStringLiteral("CODGRUPO")] = QStringLiteral("004");
    esperado[QStringLiteral("PRINCIPALFORNEC")] = QStringLiteral("000017");
    esperado[QStringLiteral("PRECO")] = QStringLiteral("10.25");
    esperado[QStringLiteral("PRECO2")] = QStringLiteral("20");
    esperado[QStringLiteral("PRECO3")] = QStringLiteral("0.5");
    esperado[QStringLiteral("PRECO4")] = QStringLiteral("1E15");
    EXPECT_EQ(Texto(DiferencasLinha(Produto(QStringLiteral("000099")), esperado)), QString());
    EXPECT_EQ(Produto(QStringLiteral("000000")).value(QStringLiteral("PRECO")), QStringLiteral("9.9"));
}

TEST_F(TesteProdutoAtualizacao, ControleDeSerieValeParaTodasAsLinhasEConfirma) {
    banco.Executa(QStringLiteral("INSERT INTO PARAFAT (CODEMPRESA, CONTROLESERIE) VALUES ('01', 'N')"));
    struct Caso {
        QString status;
        QString gravado;
    };
    const std::vector<Caso> casos = {
        {QStringLiteral("Sim"), QStringLiteral("S")},
        {QStringLiteral("nao"), QStringLiteral("n")},
        {QString(), QString()},
        {QStringLiteral("'x"), QStringLiteral("'")},
    };
    TConverteProduto produto(*conexao);
    for (const Caso& caso : casos) {
        // A pending row of the same transaction is committed with the switch.
        const QString unidade = QStringLiteral("U%1").arg(&caso - casos.data());
        banco.Executa(QStringLiteral("DELETE FROM UNIDADES"));
        EXPECT_EQ(produto.FUnidade(unidade), unidade);

        produto.AtivaControleSerie(caso.status);

        EXPECT_FALSE(conexao->Transacao().Ativa()) << caso.status.toStdString();
        const auto linhas = banco.Linhas(QStringLiteral("SELECT CONTROLESERIE FROM PARAFAT"));
        ASSERT_EQ(linhas.size(), 2U);
        for (const auto& linha : linhas) {
            EXPECT_EQ(linha.value(QStringLiteral("CONTROLESERIE")), caso.gravado) << caso.status.toStdString();
        }
        EXPECT_EQ(banco.Valor(QStringLiteral("SELECT UNIDADE FROM UNIDADES")), unidade);
    }
    EXPECT_TRUE(pessoa.Mensagens().isEmpty());
}

TEST_F(TesteProdutoAtualizacao, RelacaoComFornecedorSoComFornecedorESemConfirmar) {
    struct Caso {
        const char* nome;
        QString produto, fornecedor, codigoNoFornecedor;
        bool grava;
    };
    const std::vector<Caso> casos = {
        {"sem fornecedor", QStringLiteral("000001"), QString(), QStringLiteral("X-1"), false},
        {"com fornecedor", QStringLiteral("000001"), QStringLiteral("000042"), QStringLiteral("AB'C 7"), true},
        {"codigo vazio no fornecedor", QStringLiteral("000002"), QStringLiteral("000042"), QString(), true},
    };
    TConverteProduto produto(*conexao);
    produto.SetCodProd(QStringLiteral("5"));
    int esperadas = 0;
    for (const Caso& caso : casos) {
        produto.GravaRelPrFo(caso.produto, caso.fornecedor, caso.codigoNoFornecedor);
        // Nothing is committed by the insert itself.
        EXPECT_EQ(Contagem(banco, "RELPRFO"), esperadas) << caso.nome;
        Confirma();
        esperadas += caso.grava ? 1 : 0;
        EXPECT_EQ(Contagem(banco, "RELPRFO"), esperadas) << caso.nome;
        if (caso.grava) {
            const auto linhas =
                banco.Linhas(QStringLiteral("SELECT * FROM RELPRFO WHERE CODPROD = '%1'").arg(caso.produto));
            ASSERT_EQ(linhas.size(), 1U) << caso.nome;
            EXPECT_EQ(linhas[0].value(QStringLiteral("CODFORNEC")), caso.fornecedor) << caso.nome;
            EXPECT_EQ(linhas[0].value(QStringLiteral("PRINCIPAL")), QStringLiteral("S")) << caso.nome;
            EXPECT_EQ(linhas[0].value(QStringLiteral("CODPRODFORNEC")), caso.codigoNoFornecedor) << caso.nome;
        }
    }
    EXPECT_EQ(produto.CodProd(), QStringLiteral("000005"));
}

TEST_F(TesteProdutoAtualizacao, InventarioSoComCustoPositivoDatadoDeHoje) {
    DefineRelogio([] { return QDateTime(QDate(2015, 3, 15), QTime(23, 59, 58)); });
    struct Caso {
        double custo;
        bool grava;
    };
    const std::vector<Caso> casos = {{0.0, false}, {-2.5, false}, {0.01, true}, {1234.5, true}};
    TConverteProduto produto(*conexao);
    int esperadas = 0;
    for (const Caso& caso : casos) {
        produto.GravaInventa(QStringLiteral("000123"), caso.custo);
        EXPECT_EQ(Contagem(banco, "INVENTA"), esperadas) << caso.custo; // not committed yet
        Confirma();
        esperadas += caso.grava ? 1 : 0;
        EXPECT_EQ(Contagem(banco, "INVENTA"), esperadas) << caso.custo;
    }

    const auto linhas = banco.Linhas(QStringLiteral("SELECT * FROM INVENTA ORDER BY PRECOCUSTO"));
    ASSERT_EQ(linhas.size(), 2U);
    const QStringList custos = {QStringLiteral("0.01"), QStringLiteral("1234.5")};
    for (size_t i = 0; i < linhas.size(); ++i) {
        const QMap<QString, QString> esperado = {
            {QStringLiteral("CODEMPRESA"), QStringLiteral("00")},
            {QStringLiteral("DATAINV"), QStringLiteral("15.03.2015")},
            {QStringLiteral("DOCUMENTO"), QStringLiteral("1")},
            {QStringLiteral("PROCESSADO"), QStringLiteral("N")},
            {QStringLiteral("CODGRADE"), QStringLiteral("0000")},
            {QStringLiteral("CODCAUSA"), QStringLiteral("001")},
            {QStringLiteral("CODPROD"), QStringLiteral("000123")},
            {QStringLiteral("PRECOCUSTO"), custos.at(static_cast<int>(i))},
        };
        EXPECT_EQ(Texto(DiferencasLinha(linhas[i], esperado)), QString()) << i;
    }
}

} // namespace
