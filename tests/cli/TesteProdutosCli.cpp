// Products end to end through the headless command: TABEST1 written here; PRODUTO, COMPPROD,
// MVGERAL and UNIDADES read back and compared with values worked out by hand.
#include "../integration/ClientesTeste.h"
#include "../integration/ProdutosTeste.h"
#include "BancoTemporario.h"
#include "ExecutaCli.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TResultadoCli ConverteProdutos(const QString& origem, const TBancoTemporario& banco) {
    return ExecutaCli(ArgumentosConverter(origem, banco.Caminho(), {QStringLiteral("--produtos")}));
}

// Rows left by an earlier conversion in the four tables a product conversion empties. The movement
// goes in with its triggers active, so it also moves the stock row, as in the target system.
void PreencheTabelasDeProduto(const TBancoTemporario& banco) {
    banco.Executa(QStringLiteral("INSERT INTO PRODUTO (CODPROD, DESCRICAO) VALUES ('000001', 'ANTIGO')"));
    banco.Executa(QStringLiteral("INSERT INTO PRODUTODETALHE (CODPROD) VALUES ('000001')"));
    banco.Executa(QStringLiteral("INSERT INTO MVGERAL (CODEMPRESA, CODPROD, CODGRADE, QUANTIDADE) VALUES "
                                 "('00', '000001', '0000', 100)"));
    banco.Executa(QStringLiteral("DELETE FROM LOG_TRIGGERS"));
}

std::vector<TRegistroTabest1> ProdutosDificeis() {
    TRegistroTabest1 a;
    a.codigo = QStringLiteral("1");
    a.produto = QStringLiteral("Café: Açúcar d'Água");
    a.lksetor = QStringLiteral("7");
    a.lkfornec = 42;
    a.unidade = QStringLiteral("cx"); // not in UNIDADES yet
    a.precovenda = 12.5;
    a.estminimo = 3;
    a.lucro = 30.25;
    a.ultreaj = QDate(2014, 3, 5);
    a.basecalculo = 80;
    a.precocusto = 8.75;
    a.customedio = 8.1234;
    a.quantidade = 2.75;

    // Blank everywhere it can be; the 50th character of the description is a blank.
    TRegistroTabest1 b;
    b.codigo = QStringLiteral("  12");
    b.produto = QString(48, QLatin1Char('a')) + QStringLiteral("b c") + QString(9, QLatin1Char('d'));
    b.lksetor = QStringLiteral("12345");
    b.unidade = QStringLiteral("UN");

    TRegistroTabest1 c;
    c.codigo = QStringLiteral("1234567");
    c.produto = QStringLiteral("Pão de Queijo");
    c.lkfornec = 123456;
    c.unidade = QStringLiteral("unidade");
    c.precovenda = 1234567.891;
    c.estminimo = 0.5;
    c.lucro = -5.5;
    c.basecalculo = 0;
    c.precocusto = 0.5;
    c.customedio = 0.25;
    c.quantidade = 0;
    return {a, b, c};
}

QMap<QString, QString> Estoque(const QString& codigo, const QString& estoque, const QString& medio,
                               const QString& custo) {
    return {{QStringLiteral("CODPROD"), codigo},
            {QStringLiteral("CODEMPRESA"), QStringLiteral("00")},
            {QStringLiteral("CODGRADE"), QStringLiteral("0000")},
            {QStringLiteral("ESTOQUE"), estoque},
            {QStringLiteral("ESTOQUEDISPONIVEL"), QStringLiteral("0")},
            {QStringLiteral("ESTMINIMO"), QStringLiteral("0")},
            {QStringLiteral("ESTMAXIMO"), QStringLiteral("0")},
            {QStringLiteral("PRECOMEDIO"), medio},
            {QStringLiteral("PRECOCUSTO"), custo},
            {QStringLiteral("PRECONF"), QStringLiteral("0")}};
}

// SEQUENCIA stays NULL: the trigger that numbers movements was off.
QMap<QString, QString> Movimento(const QString& codigo, const QString& hoje, const QString& quantidade,
                                 const QString& custo, const QString& medio) {
    QString documento = hoje;
    documento.remove(QLatin1Char('.'));
    return {{QStringLiteral("CODEMPRESA"), QStringLiteral("00")},
            {QStringLiteral("TIPOAGENTE"), QStringLiteral("F")},
            {QStringLiteral("CODIGOAGENTE"), QStringLiteral("000000")},
            {QStringLiteral("DOCUMENTO"), documento},
            {QStringLiteral("CODPROD"), codigo},
            {QStringLiteral("CODGRADE"), QStringLiteral("0000")},
            {QStringLiteral("DT_MOVIMENTO"), hoje},
            {QStringLiteral("TIPOMOV"), QStringLiteral("04")},
            {QStringLiteral("QUANTIDADE"), quantidade},
            {QStringLiteral("PRECOCUSTO"), custo},
            {QStringLiteral("PRECOMEDIO"), medio},
            {QStringLiteral("SEQUENCIA"), QStringLiteral("<NULL>")}};
}

void ComparaLinhas(const std::vector<QMap<QString, QString>>& lidas,
                   const std::vector<QMap<QString, QString>>& esperadas, const char* tabela) {
    ASSERT_EQ(lidas.size(), esperadas.size()) << tabela;
    for (size_t i = 0; i < lidas.size(); ++i) {
        EXPECT_EQ(Texto(DiferencasLinha(lidas[i], esperadas[i])), QString())
            << tabela << " " << esperadas[i].value(QStringLiteral("CODPROD")).toStdString();
    }
}

TEST(ProdutosCli, ProdutosDificeisColunaPorColuna) {
    TBancoTemporario banco;
    banco.Executa(QStringLiteral("INSERT INTO UNIDADES (UNIDADE, DESCRICAO) VALUES ('UN', 'UNIDADE')"));
    PreencheTabelasDeProduto(banco);
    ASSERT_EQ(banco.Valor(QStringLiteral("SELECT ESTOQUE FROM COMPPROD")), QStringLiteral("100"));
    QTemporaryDir origem;
    EscreveTabest1(origem.path(), ProdutosDificeis());

    const QString hoje = HojePontuado();
    const auto r = ConverteProdutos(origem.path(), banco);
    if (HojePontuado() != hoje) {
        GTEST_SKIP() << "the date changed during the run";
    }

    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.endsWith(QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!\n")))
        << r.erro.toStdString();
    EXPECT_TRUE(r.erro.contains(QStringLiteral("Convertendo Produtos - Registro 1 de 3"))) << r.erro.toStdString();

    auto a = ProdutoReiniciado(banco, QStringLiteral("000001"));
    a[QStringLiteral("DESCRICAO")] = QStringLiteral("CAFE. ACUCAR D'AGUA");
    a[QStringLiteral("CODGRUPO")] = QStringLiteral("007");
    a[QStringLiteral("PRINCIPALFORNEC")] = QStringLiteral("000042");
    a[QStringLiteral("UNIDADEENT")] = QStringLiteral("CX");
    a[QStringLiteral("UNIDADESAIDA")] = QStringLiteral("CX");
    a[QStringLiteral("PRECO")] = QStringLiteral("12.5");
    a[QStringLiteral("ESTMINIMO")] = QStringLiteral("3");
    a[QStringLiteral("LUCRO")] = QStringLiteral("30.25");
    a[QStringLiteral("DATA_ULT_REAJUSTE")] = QStringLiteral("05.03.2014");
    a[QStringLiteral("BASEICMSREG00")] = QStringLiteral("80");
    a[QStringLiteral("CODTIPOPRODUTO")] = QStringLiteral("00");

    // Cut to 50 and then trimmed; the group from the first three characters of LKSETOR.
    auto b = ProdutoReiniciado(banco, QStringLiteral("000012"));
    b[QStringLiteral("DESCRICAO")] = QString(48, QLatin1Char('A')) + QLatin1Char('B');
    b[QStringLiteral("CODGRUPO")] = QStringLiteral("123");
    b[QStringLiteral("CODTIPOPRODUTO")] = QStringLiteral("00");

    auto c = ProdutoReiniciado(banco, QStringLiteral("123456"));
    c[QStringLiteral("DESCRICAO")] = QStringLiteral("PAO DE QUEIJO");
    c[QStringLiteral("PRINCIPALFORNEC")] = QStringLiteral("123456");
    c[QStringLiteral("UNIDADEENT")] = QStringLiteral("UNIDAD");
    c[QStringLiteral("UNIDADESAIDA")] = QStringLiteral("UNIDAD");
    c[QStringLiteral("PRECO")] = QStringLiteral("1234567.891");
    c[QStringLiteral("ESTMINIMO")] = QStringLiteral("0.5");
    c[QStringLiteral("LUCRO")] = QStringLiteral("-5.5");
    c[QStringLiteral("CODTIPOPRODUTO")] = QStringLiteral("00");

    ComparaLinhas(banco.Linhas(QStringLiteral("SELECT * FROM PRODUTO ORDER BY CODPROD")), {a, b, c}, "PRODUTO");
    // Each product's own stock, not doubled by the movement trigger.
    ComparaLinhas(
        banco.Linhas(QStringLiteral("SELECT * FROM COMPPROD ORDER BY CODPROD")),
        {Estoque(QStringLiteral("000001"), QStringLiteral("2.75"), QStringLiteral("8.1234"), QStringLiteral("8.75")),
         Estoque(QStringLiteral("000012"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")),
         Estoque(QStringLiteral("123456"), QStringLiteral("0"), QStringLiteral("0.25"), QStringLiteral("0.5"))},
        "COMPPROD");
    // One opening movement per product, zero stock included.
    ComparaLinhas(
        banco.Linhas(QStringLiteral("SELECT * FROM MVGERAL ORDER BY CODPROD")),
        {Movimento(QStringLiteral("000001"), hoje, QStringLiteral("2.75"), QStringLiteral("8.75"),
                   QStringLiteral("8.1234")),
         Movimento(QStringLiteral("000012"), hoje, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")),
         Movimento(QStringLiteral("123456"), hoje, QStringLiteral("0"), QStringLiteral("0.5"), QStringLiteral("0.25"))},
        "MVGERAL");
    EXPECT_EQ(Contagem(banco, "PRODUTODETALHE"), 0);

    // The units that were missing were created, once each; the existing one was left alone.
    const auto unidades = banco.Linhas(QStringLiteral("SELECT UNIDADE, DESCRICAO FROM UNIDADES ORDER BY UNIDADE"));
    ASSERT_EQ(unidades.size(), 3U);
    EXPECT_EQ(unidades[0].value(QStringLiteral("UNIDADE")), QStringLiteral("CX"));
    EXPECT_EQ(unidades[1].value(QStringLiteral("UNIDADE")), QStringLiteral("UN"));
    EXPECT_EQ(unidades[1].value(QStringLiteral("DESCRICAO")), QStringLiteral("UNIDADE"));
    EXPECT_EQ(unidades[2].value(QStringLiteral("UNIDADE")), QStringLiteral("UNIDAD"));

    // No product or movement trigger fired during the run, and all are on again.
    EXPECT_EQ(Contagem(banco, "LOG_TRIGGERS"), 0);
    EXPECT_EQ(EstadoTriggers(banco), QStringList(9, QStringLiteral("0")));
}

TEST(ProdutosCli, CodigoRepetidoTerminaComAMensagemDoBancoETabelasVazias) {
    // The engine's own text for a repeated product code, taken from a direct insert.
    const QString motivo = MensagemChaveRepetida(QStringLiteral("INSERT INTO PRODUTO (CODPROD) VALUES ('000005')"));
    ASSERT_FALSE(motivo.isEmpty());

    TBancoTemporario banco;
    PreencheTabelasDeProduto(banco);
    QTemporaryDir origem;
    TRegistroTabest1 primeiro;
    primeiro.codigo = QStringLiteral("5");
    primeiro.produto = QStringLiteral("PRIMEIRO");
    primeiro.unidade = QStringLiteral("PC");
    primeiro.quantidade = 4;
    TRegistroTabest1 segundo = primeiro;
    segundo.codigo = QStringLiteral("05"); // the same code once filled
    segundo.produto = QStringLiteral("SEGUNDO");
    EscreveTabest1(origem.path(), {primeiro, segundo});

    const auto r = ConverteProdutos(origem.path(), banco);

    EXPECT_EQ(r.codigo, 1) << r.erro.toStdString();
    QString bloco = motivo;
    bloco.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    EXPECT_TRUE(r.erro.contains(QStringLiteral("ERRO: Ocorreu um erro durante a conversão! Motivo: ") + bloco))
        << r.erro.toStdString();
    // The emptying was committed; the first product's rows, its movement and its unit were rolled back.
    for (const char* tabela : {"PRODUTO", "COMPPROD", "PRODUTODETALHE", "MVGERAL", "UNIDADES"}) {
        EXPECT_EQ(Contagem(banco, tabela), 0) << tabela;
    }
    EXPECT_EQ(EstadoTriggers(banco), QStringList(9, QStringLiteral("0")));
}

} // namespace
