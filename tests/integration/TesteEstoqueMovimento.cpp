// The opening stock movement written into MVGERAL, on real embedded databases.
#include "BancoTemporario.h"
#include "ConfiguracaoRegional.h"
#include "DataHora.h"
#include "GravadorInterface.h"
#include "ImprimeQString.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"
#include "classConversao.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Movimento {
    QString empresa, tipoAgente, codigoAgente, documento, produto, grade, tipoMov;
    QDate data;
    double quantidade = 0, custo = 0, medio = 0;
};

class TesteEstoqueMovimento : public ::testing::Test {
protected:
    TBancoTemporario banco;
    std::unique_ptr<TConexaoDestino> conexao = banco.Conecta();
    TConversao conversao{*conexao};
    TGravadorInterface pessoa;

    TesteEstoqueMovimento() {
        // As in a run: the movement triggers are off while the movements are written.
        conversao.DesativaTriggers(*conexao, conexao->Transacao());
        FixaDia(QDate(2015, 3, 15));
    }

    static void FixaDia(const QDate& dia) {
        DefineRelogio([dia] { return QDateTime(dia, QTime(10, 30)); });
    }

    void Grava(const QString& empresa, const QString& produto, double estoque, double custo, double medio) {
        conversao.PGravaEstoqueProduto(*conexao, empresa, produto, estoque, custo, medio);
    }

    // Commits as the run does and reads the rows back through a second connection.
    std::vector<Movimento> Movimentos() {
        if (conexao->Transacao().Ativa()) {
            conexao->Transacao().Confirma();
        }
        std::vector<Movimento> r;
        auto outra = banco.Conecta();
        {
            TQueryDestino q(*outra);
            q.SetSQL(QStringLiteral("SELECT * FROM MVGERAL ORDER BY CODPROD"));
            for (q.Abre(); !q.Eof(); q.Proximo()) {
                Movimento m;
                m.empresa = q.CampoTexto(QStringLiteral("CODEMPRESA"));
                m.tipoAgente = q.CampoTexto(QStringLiteral("TIPOAGENTE"));
                m.codigoAgente = q.CampoTexto(QStringLiteral("CODIGOAGENTE"));
                m.documento = q.CampoTexto(QStringLiteral("DOCUMENTO"));
                m.produto = q.CampoTexto(QStringLiteral("CODPROD"));
                m.grade = q.CampoTexto(QStringLiteral("CODGRADE"));
                m.tipoMov = q.CampoTexto(QStringLiteral("TIPOMOV"));
                m.data = TDateTimeParaData(q.CampoDataHora(QStringLiteral("DT_MOVIMENTO")));
                m.quantidade = q.CampoDouble(QStringLiteral("QUANTIDADE"));
                m.custo = q.CampoDouble(QStringLiteral("PRECOCUSTO"));
                m.medio = q.CampoDouble(QStringLiteral("PRECOMEDIO"));
                r.push_back(m);
            }
        }
        outra->Transacao().Cancela();
        return r;
    }
};

TEST_F(TesteEstoqueMovimento, GravaUmaLinhaComOsValoresFixosEADataDeHoje) {
    Grava(QStringLiteral("00"), QStringLiteral("000123"), 12.5, 3.25, 3.1);

    const auto linhas = Movimentos();
    ASSERT_EQ(linhas.size(), 1U);
    const Movimento& m = linhas.front();
    EXPECT_EQ(m.empresa, QStringLiteral("00"));
    EXPECT_EQ(m.tipoAgente, QStringLiteral("F"));
    EXPECT_EQ(m.codigoAgente, QStringLiteral("000000"));
    EXPECT_EQ(m.documento, QStringLiteral("15032015"));
    EXPECT_EQ(m.produto, QStringLiteral("000123"));
    EXPECT_EQ(m.grade, QStringLiteral("0000"));
    EXPECT_EQ(m.data, QDate(2015, 3, 15));
    EXPECT_EQ(m.tipoMov, QStringLiteral("04"));
    EXPECT_DOUBLE_EQ(m.quantidade, 12.5);
    EXPECT_DOUBLE_EQ(m.custo, 3.25);
    EXPECT_DOUBLE_EQ(m.medio, 3.1);
}

struct CasoValores {
    const char* nome;
    QString empresa;
    QString produto;
    double estoque, custo, medio;
    QChar separadorDecimal;
    QString empresaGravada;
};

void PrintTo(const CasoValores& c, std::ostream* os) {
    *os << c.nome;
}

class TesteEstoqueValores : public TesteEstoqueMovimento, public ::testing::WithParamInterface<CasoValores> {};

TEST_P(TesteEstoqueValores, ValoresGravadosComoDados) {
    const CasoValores& c = GetParam();
    Regional().separadorDecimal = c.separadorDecimal;

    Grava(c.empresa, c.produto, c.estoque, c.custo, c.medio);

    const auto linhas = Movimentos();
    ASSERT_EQ(linhas.size(), 1U);
    EXPECT_EQ(linhas.front().empresa, c.empresaGravada);
    EXPECT_EQ(linhas.front().produto, c.produto);
    EXPECT_DOUBLE_EQ(linhas.front().quantidade, c.estoque);
    EXPECT_DOUBLE_EQ(linhas.front().custo, c.custo);
    EXPECT_DOUBLE_EQ(linhas.front().medio, c.medio);
}

const CasoValores kCasosValores[] = {
    {"Zeros", QStringLiteral("00"), QStringLiteral("000001"), 0, 0, 0, QLatin1Char(','), QStringLiteral("00")},
    {"DecimalComVirgula", QStringLiteral("00"), QStringLiteral("000002"), 2.75, 10.5, 0.25, QLatin1Char(','),
     QStringLiteral("00")},
    {"DecimalComPonto", QStringLiteral("00"), QStringLiteral("000003"), 2.75, 10.5, 0.25, QLatin1Char('.'),
     QStringLiteral("00")},
    {"Negativo", QStringLiteral("00"), QStringLiteral("000004"), -4, 1, 1, QLatin1Char(','), QStringLiteral("00")},
    {"EmpresaEmBranco", QStringLiteral("   "), QStringLiteral("000005"), 1, 1, 1, QLatin1Char(','),
     QStringLiteral("00")},
    {"EmpresaVazia", QString(), QStringLiteral("000006"), 1, 1, 1, QLatin1Char(','), QStringLiteral("00")},
    {"EmpresaDada", QStringLiteral("07"), QStringLiteral("000007"), 1, 1, 1, QLatin1Char(','), QStringLiteral("07")},
    {"ProdutoComAspas", QStringLiteral("00"), QStringLiteral("AB'C"), 1, 1, 1, QLatin1Char(','), QStringLiteral("00")},
};

INSTANTIATE_TEST_SUITE_P(Movimento, TesteEstoqueValores, ::testing::ValuesIn(kCasosValores),
                         [](const ::testing::TestParamInfo<CasoValores>& info) { return info.param.nome; });

TEST_F(TesteEstoqueMovimento, DoisProdutosNoMesmoDiaTemOMesmoDocumentoEData) {
    // The clock moves between the two calls, within the same day.
    auto chamadas = std::make_shared<int>(0);
    DefineRelogio(
        [chamadas] { return QDateTime(QDate(2015, 3, 15), ++*chamadas == 1 ? QTime(0, 0, 1) : QTime(23, 59, 59)); });

    Grava(QStringLiteral("00"), QStringLiteral("000001"), 1, 1, 1);
    Grava(QStringLiteral("00"), QStringLiteral("000002"), 2, 2, 2);

    const auto linhas = Movimentos();
    ASSERT_EQ(linhas.size(), 2U);
    EXPECT_EQ(linhas[0].documento, QStringLiteral("15032015"));
    EXPECT_EQ(linhas[1].documento, linhas[0].documento);
    EXPECT_EQ(linhas[0].data, QDate(2015, 3, 15));
    EXPECT_EQ(linhas[1].data, linhas[0].data);
}

TEST_F(TesteEstoqueMovimento, ProdutoGravadoDepoisDaMeiaNoiteLevaONovoDia) {
    // A run that crosses midnight: the products written after it carry the new day, in the
    // document number and in the movement date alike, even though the day is formatted once.
    FixaDia(QDate(2015, 3, 31));
    Grava(QStringLiteral("00"), QStringLiteral("000001"), 1, 1, 1);
    Grava(QStringLiteral("00"), QStringLiteral("000002"), 1, 1, 1);
    FixaDia(QDate(2015, 4, 1));
    Grava(QStringLiteral("00"), QStringLiteral("000003"), 1, 1, 1);
    // And back to a day seen before, after another day was cached.
    FixaDia(QDate(2015, 3, 31));
    Grava(QStringLiteral("00"), QStringLiteral("000004"), 1, 1, 1);

    const auto linhas = Movimentos();
    ASSERT_EQ(linhas.size(), 4U);
    const struct {
        QString documento;
        QDate data;
    } esperados[] = {{QStringLiteral("31032015"), QDate(2015, 3, 31)},
                     {QStringLiteral("31032015"), QDate(2015, 3, 31)},
                     {QStringLiteral("01042015"), QDate(2015, 4, 1)},
                     {QStringLiteral("31032015"), QDate(2015, 3, 31)}};
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        EXPECT_EQ(linhas[i].documento, esperados[i].documento) << linhas[i].produto.toStdString();
        EXPECT_EQ(linhas[i].data, esperados[i].data) << linhas[i].produto.toStdString();
    }
}

TEST_F(TesteEstoqueMovimento, DataCertaComQualquerSeparadorDeData) {
    // Day 5 of March: a month-first reading would store 3 May.
    FixaDia(QDate(2015, 3, 5));
    const QChar separadores[] = {QLatin1Char('/'), QLatin1Char('-'), QLatin1Char('.')};
    int n = 0;
    for (const QChar separador : separadores) {
        Regional().separadorData = separador;
        Grava(QStringLiteral("00"), QStringLiteral("00000%1").arg(++n), 1, 1, 1);
    }

    const auto linhas = Movimentos();
    ASSERT_EQ(linhas.size(), 3U);
    for (const Movimento& m : linhas) {
        EXPECT_EQ(m.data, QDate(2015, 3, 5)) << m.produto.toStdString();
        EXPECT_EQ(m.documento, QStringLiteral("05032015")) << m.produto.toStdString();
    }
}

TEST_F(TesteEstoqueMovimento, LinhaFicaNaTransacaoDaConversao) {
    Grava(QStringLiteral("00"), QStringLiteral("000001"), 1, 1, 1);
    conexao->Transacao().Cancela();
    EXPECT_TRUE(Movimentos().empty());
}

} // namespace
