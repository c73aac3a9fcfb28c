// The same sample converted with every kind twice, once with the faster statement path and once
// with TAVRIN_SEM_ACELERACAO=1: every table of the two databases must hold the same rows.
#include "ConsultasTeste.h"
#include "ExecutaCli.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>

namespace {

struct Amostra {
    const char* nome;
    QStringList opcoes;
};

void PrintTo(const Amostra& amostra, std::ostream* saida) {
    *saida << amostra.nome;
}

class LinhasIdenticas : public ::testing::TestWithParam<Amostra> {};

TEST_P(LinhasIdenticas, EveryTableHoldsTheSameRowsWithAndWithoutTheFasterPath) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString origem = pasta.filePath(QStringLiteral("origem"));
    ASSERT_TRUE(QDir().mkpath(origem));
    const TResultadoCli geracao = ExecutaCli(QStringList{QStringLiteral("gerar-exemplo"), origem} + GetParam().opcoes);
    ASSERT_EQ(geracao.codigo, 0) << geracao.erro.toStdString();

    TResultadoCli execucoes[2];
    QString bancos[2];
    for (int i = 0; i < 2; ++i) {
        bancos[i] = pasta.filePath(QStringLiteral("destino%1.fdb").arg(i));
        ASSERT_EQ(ExecutaCli({QStringLiteral("criar-destino"), bancos[i]}).codigo, 0);
        if (i == 0) {
            qputenv("TAVRIN_SEM_ACELERACAO", "1"); // the child inherits it
        }
        execucoes[i] = ExecutaCli(ArgumentosConverter(origem, bancos[i], {QStringLiteral("--todos")}));
        qunsetenv("TAVRIN_SEM_ACELERACAO");
    }
    EXPECT_EQ(execucoes[0].codigo, 0) << execucoes[0].erro.toStdString();
    EXPECT_EQ(execucoes[1].codigo, execucoes[0].codigo) << execucoes[1].erro.toStdString();

    const auto simples = ConteudoBanco(bancos[0]);
    const auto rapido = ConteudoBanco(bancos[1]);
    ASSERT_FALSE(simples.empty());
    EXPECT_GT(simples.at(QStringLiteral("CLIENTE")).size(), 0);
    EXPECT_GT(simples.at(QStringLiteral("PRODUTO")).size(), 0);
    for (const auto& [tabela, linhas] : simples) {
        SCOPED_TRACE(tabela.toStdString());
        ASSERT_EQ(rapido.count(tabela), 1u);
        const QStringList& outras = rapido.at(tabela);
        ASSERT_EQ(outras.size(), linhas.size());
        for (qsizetype i = 0; i < linhas.size(); ++i) {
            ASSERT_EQ(outras[i].toStdString(), linhas[i].toStdString());
        }
    }
    EXPECT_EQ(rapido.size(), simples.size());
}

INSTANTIATE_TEST_SUITE_P(Amostras, LinhasIdenticas,
                         ::testing::Values(Amostra{"comum",
                                                   {QStringLiteral("--registros"), QStringLiteral("400"),
                                                    QStringLiteral("--semente"), QStringLiteral("3")}},
                                           Amostra{"hostil",
                                                   {QStringLiteral("--registros"), QStringLiteral("150"),
                                                    QStringLiteral("--semente"), QStringLiteral("5"),
                                                    QStringLiteral("--hostil")}}),
                         [](const ::testing::TestParamInfo<Amostra>& info) { return std::string(info.param.nome); });

} // namespace
