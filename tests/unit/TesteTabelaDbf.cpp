// The dBASE reader and the source query on tables written by our writer: text forms of each field
// type, deleted records, navigation, file lookup and the query's errors.
#include "EConversao.h"
#include "FixturesDbf.h"
#include "ImprimeQString.h"
#include "TQueryOrigem.h"
#include "TTabelaDbf.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

class TabelaDbf : public ::testing::Test {
protected:
    QString Caminho(const QString& arquivo) const { return QDir(m_pasta.path()).filePath(arquivo); }
    QString Pasta() const { return m_pasta.path(); }

    // CLIENTES with one field of each type the legacy tables use.
    void GravaClientes(const QString& arquivo = QStringLiteral("CLIENTES.DBF"),
                       TEscritorDbf::Opcoes opcoes = TEscritorDbf::Opcoes{}) {
        const std::vector<TDefinicaoCampo> campos = {
            {QStringLiteral("CODIGO"), 'N', 6, 0},   {QStringLiteral("NOME"), 'C', 30, 0},
            {QStringLiteral("PRECO"), 'N', 10, 2},   {QStringLiteral("DATA"), 'D', 8, 0},
            {QStringLiteral("PESSOA"), 'L', 1, 0},   {QStringLiteral("OBS"), 'M', 10, 0},
        };
        GravaTabela(
            Caminho(arquivo), campos, 4,
            [](TEscritorDbf& e, int i) {
                switch (i) {
                case 0:
                    e.Numero(QStringLiteral("CODIGO"), 7);
                    e.Texto(QStringLiteral("NOME"), QStringLiteral("  João D'Ávila Ação  "));
                    e.Numero(QStringLiteral("PRECO"), 12.5);
                    e.Data(QStringLiteral("DATA"), QDate(2014, 3, 5));
                    e.Logico(QStringLiteral("PESSOA"), true);
                    e.Memo(QStringLiteral("OBS"), QStringLiteral("Cliente desde 1990.\r\nPaga em dia."));
                    return true;
                case 1:
                    e.Numero(QStringLiteral("CODIGO"), 8);
                    e.Texto(QStringLiteral("NOME"), QStringLiteral("APAGADO"));
                    return false;
                case 2:
                    e.Numero(QStringLiteral("CODIGO"), 9);
                    e.Numero(QStringLiteral("PRECO"), 100);
                    e.Logico(QStringLiteral("PESSOA"), false);
                    return true;
                default:
                    e.Numero(QStringLiteral("CODIGO"), 10);
                    e.Texto(QStringLiteral("NOME"), QStringLiteral("ÚLTIMO"));
                    e.Bruto(QStringLiteral("PRECO"), QByteArray("**********"));
                    e.Bruto(QStringLiteral("PESSOA"), QByteArray("?"));
                    return true;
                }
            },
            opcoes);
    }

    QTemporaryDir m_pasta;
};

QStringList Linha(TTabelaDbf& tabela) {
    QStringList valores;
    for (int i = 0; i < tabela.QuantCampos(); ++i) {
        valores << tabela.Texto(i);
    }
    return valores;
}

TEST_F(TabelaDbf, TextFormsOfEachFieldTypeAndDeletedRecordsSkipped) {
    GravaClientes();
    TTabelaDbf tabela(Pasta(), QStringLiteral("CLIENTES"));
    EXPECT_EQ(tabela.QuantRegistros(), 3);
    EXPECT_EQ(tabela.Pagina(), PaginaCodigo::CP850);

    const std::vector<QStringList> esperado = {
        {"7", "  João D'Ávila Ação", "12,5", "05/03/2014", "VERDADEIRO", "Cliente desde 1990.\r\nPaga em dia."},
        {"9", "", "100", "", "FALSO", ""},
        {"10", "ÚLTIMO", "", "", "", ""},
    };
    const std::vector<qint64> numeros = {1, 3, 4};
    for (std::size_t i = 0; i < esperado.size(); ++i) {
        ASSERT_FALSE(tabela.Eof());
        EXPECT_EQ(Linha(tabela), esperado[i]) << "record " << i;
        EXPECT_EQ(tabela.NumeroRegistro(), numeros[i]);
        tabela.Proximo();
    }
    EXPECT_TRUE(tabela.Eof());
}

TEST_F(TabelaDbf, NullTestNumbersAndDates) {
    GravaClientes();
    TTabelaDbf tabela(Pasta(), QStringLiteral("CLIENTES"));
    const int preco = tabela.IndiceCampo(QStringLiteral("preco"));
    const int data = tabela.IndiceCampo(QStringLiteral("Data"));
    const int nome = tabela.IndiceCampo(QStringLiteral("NOME"));
    const int obs = tabela.IndiceCampo(QStringLiteral("OBS"));
    ASSERT_GE(preco, 0);

    EXPECT_FALSE(tabela.Nulo(preco));
    EXPECT_DOUBLE_EQ(tabela.Numero(preco), 12.5);
    EXPECT_DOUBLE_EQ(tabela.DataHora(data), DataParaTDateTime(QDate(2014, 3, 5)));
    EXPECT_FALSE(tabela.Nulo(obs));

    tabela.Proximo();
    EXPECT_TRUE(tabela.Nulo(nome));
    EXPECT_TRUE(tabela.Nulo(data));
    EXPECT_TRUE(tabela.Nulo(obs));
    EXPECT_DOUBLE_EQ(tabela.DataHora(data), 0);

    tabela.Proximo();
    EXPECT_TRUE(tabela.Nulo(preco)) << "an overflowed (all '*') number is no value";
    EXPECT_DOUBLE_EQ(tabela.Numero(preco), 0);
}

TEST_F(TabelaDbf, NavigationLikeADataset) {
    GravaClientes();
    TTabelaDbf tabela(Pasta(), QStringLiteral("CLIENTES"));
    const int codigo = tabela.IndiceCampo(QStringLiteral("CODIGO"));
    tabela.Ultimo();
    EXPECT_EQ(tabela.Texto(codigo), "10");
    EXPECT_TRUE(tabela.Eof());
    tabela.Primeiro();
    EXPECT_FALSE(tabela.Eof());
    EXPECT_EQ(tabela.Texto(codigo), "7");
    tabela.Proximo();
    tabela.Proximo();
    tabela.Proximo();
    tabela.Proximo();
    EXPECT_TRUE(tabela.Eof());
    EXPECT_EQ(tabela.Texto(codigo), "10") << "past the end the last record stays current";
}

TEST_F(TabelaDbf, FilesFoundIgnoringCase) {
    for (const QString& arquivo : {QStringLiteral("clientes.dbf"), QStringLiteral("Clientes.Dbf")}) {
        QTemporaryDir pasta;
        GravaClientes(QDir(pasta.path()).filePath(arquivo));
        TTabelaDbf tabela(pasta.path(), QStringLiteral("CLIENTES"));
        EXPECT_EQ(tabela.QuantRegistros(), 3) << arquivo.toStdString();
        EXPECT_EQ(tabela.Texto(tabela.IndiceCampo(QStringLiteral("OBS"))),
                  "Cliente desde 1990.\r\nPaga em dia.")
            << "memo file found beside " << arquivo.toStdString();
    }
}

TEST_F(TabelaDbf, EmptyTableIsAtEndAtOnce) {
    GravaTabela(Caminho(QStringLiteral("VAZIA.DBF")), {{QStringLiteral("A"), 'C', 5, 0}}, 0,
                [](TEscritorDbf&, int) { return true; });
    TTabelaDbf tabela(Pasta(), QStringLiteral("VAZIA"));
    EXPECT_TRUE(tabela.Eof());
    EXPECT_EQ(tabela.QuantRegistros(), 0);
    EXPECT_EQ(tabela.Texto(0), "");
    tabela.Ultimo();
    tabela.Proximo();
    EXPECT_TRUE(tabela.Eof());
}

TEST_F(TabelaDbf, OnlyDeletedRecordsCountsZero) {
    GravaTabela(Caminho(QStringLiteral("APAGADOS.DBF")), {{QStringLiteral("A"), 'C', 5, 0}}, 3,
                [](TEscritorDbf& e, int) {
                    e.Texto(QStringLiteral("A"), QStringLiteral("x"));
                    return false;
                });
    TTabelaDbf tabela(Pasta(), QStringLiteral("APAGADOS"));
    EXPECT_EQ(tabela.QuantRegistros(), 0);
    EXPECT_TRUE(tabela.Eof());
}

TEST_F(TabelaDbf, ManyRecordsAcrossReadBuffers) {
    // Enough records to span several read runs, with every third deleted.
    constexpr int kTotal = 5000;
    GravaTabela(Caminho(QStringLiteral("GRANDE.DBF")),
                {{QStringLiteral("N"), 'N', 8, 0}, {QStringLiteral("T"), 'C', 40, 0}}, kTotal,
                [](TEscritorDbf& e, int i) {
                    e.Numero(QStringLiteral("N"), i);
                    e.Texto(QStringLiteral("T"), QStringLiteral("linha %1").arg(i));
                    return i % 3 != 0;
                });
    TTabelaDbf tabela(Pasta(), QStringLiteral("GRANDE"));
    EXPECT_EQ(tabela.QuantRegistros(), kTotal - (kTotal + 2) / 3);
    int esperado = 1;
    qint64 lidos = 0;
    for (; !tabela.Eof(); tabela.Proximo(), ++lidos) {
        ASSERT_EQ(tabela.Texto(0), QString::number(esperado));
        esperado += esperado % 3 == 2 ? 2 : 1;
    }
    EXPECT_EQ(lidos, tabela.QuantRegistros());
    tabela.Ultimo();
    EXPECT_EQ(tabela.Texto(1), "linha 4999");
}

// ---- the source query ----

TEST_F(TabelaDbf, QueryAcceptsTheControllersSelectTexts) {
    GravaClientes();
    const QStringList textos = {
        QStringLiteral(" SELECT *          FROM CLIENTES "),
        QStringLiteral("select * from clientes"),
        QStringLiteral("SELECT*FROM Clientes;"),
        QStringLiteral("\tSELECT  *\n FROM  CLIENTES ; "),
    };
    for (const QString& sql : textos) {
        TQueryOrigem query;
        query.SetNomeBanco(Pasta());
        query.LimpaSQL();
        query.SetSQL(sql);
        query.Abre();
        EXPECT_EQ(query.QuantRegistros(), 3) << sql.toStdString();
        EXPECT_EQ(query.CampoPorNome(QStringLiteral("codigo")).ComoTexto(), "7");
        query.Proximo();
        EXPECT_EQ(query.CampoPorNome(QStringLiteral("CODIGO")).ComoTexto(), "9");
    }
}

TEST_F(TabelaDbf, QueryErrorsNameTableAndFolder) {
    GravaClientes();
    struct Caso {
        const char* sql;
        const char* trecho;
    };
    const Caso casos[] = {
        {"SELECT CODIGO FROM CLIENTES", "SELECT CODIGO FROM CLIENTES"},
        {"SELECT * FROM CLIENTES WHERE CODIGO = 1", "WHERE"},
        {"DELETE FROM CLIENTES", "DELETE"},
        {"", "SELECT * FROM"},
        {"SELECT * FROM TABFOR", "TABFOR"},
    };
    for (const Caso& caso : casos) {
        TQueryOrigem query;
        query.SetNomeBanco(Pasta());
        query.SetSQL(QString::fromUtf8(caso.sql));
        try {
            query.Abre();
            ADD_FAILURE() << "no error for " << caso.sql;
        } catch (const EConversao& erro) {
            EXPECT_TRUE(erro.Mensagem().contains(QString::fromUtf8(caso.trecho))) << erro.what();
            EXPECT_TRUE(erro.Mensagem().contains(Pasta())) << erro.what();
        }
        EXPECT_FALSE(query.Aberta());
        EXPECT_TRUE(query.Eof());
    }
}

TEST_F(TabelaDbf, MissingFolderAndMissingField) {
    GravaClientes();
    TQueryOrigem query;
    query.SetNomeBanco(Caminho(QStringLiteral("nao-existe")));
    query.SetSQL(QStringLiteral("SELECT * FROM CLIENTES"));
    EXPECT_THROW(query.Abre(), EConversao);

    query.SetNomeBanco(Pasta());
    query.SetSQL(QStringLiteral("SELECT * FROM CLIENTES"));
    query.Abre();
    try {
        query.CampoPorNome(QStringLiteral("XYZ"));
        FAIL() << "no error for a missing field";
    } catch (const EConversao& erro) {
        EXPECT_TRUE(erro.Mensagem().contains(QStringLiteral("Campo 'XYZ' não encontrado na tabela CLIENTES")))
            << erro.what();
    }
}

TEST_F(TabelaDbf, ChangingTheSqlClosesTheQuery) {
    GravaClientes();
    TQueryOrigem query;
    query.SetNomeBanco(Pasta());
    query.SetSQL(QStringLiteral("SELECT * FROM CLIENTES"));
    query.Abre();
    ASSERT_TRUE(query.Aberta());
    query.LimpaSQL();
    EXPECT_FALSE(query.Aberta());
    EXPECT_TRUE(query.Eof());
    EXPECT_EQ(query.QuantRegistros(), 0);
    EXPECT_THROW(query.CampoPorNome(QStringLiteral("CODIGO")), EConversao);
}

} // namespace
