// The same sample converted with every kind twice, once with the faster statement path and once
// with TAVRIN_SEM_ACELERACAO=1: every table of the two databases must hold the same rows.
#include "ExecutaCli.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>

namespace {

/// Every user table's rows, each row one line (doubles with all their digits), sorted; plus the
/// value of every generator.
std::map<QString, QStringList> Conteudo(const QString& caminho) {
    TConexaoDestino conexao;
    conexao.SetNomeBanco(caminho);
    conexao.Abre();
    std::map<QString, QStringList> r;
    {
        TQueryDestino q(conexao);
        q.SetSQL(QStringLiteral("SELECT TRIM(R.RDB$RELATION_NAME) AS TABELA, TRIM(C.RDB$FIELD_NAME) AS COLUNA, "
                                "F.RDB$FIELD_TYPE AS TIPO FROM RDB$RELATIONS R "
                                "JOIN RDB$RELATION_FIELDS C ON C.RDB$RELATION_NAME = R.RDB$RELATION_NAME "
                                "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = C.RDB$FIELD_SOURCE "
                                "WHERE COALESCE(R.RDB$SYSTEM_FLAG, 0) = 0 AND R.RDB$VIEW_BLR IS NULL "
                                "ORDER BY R.RDB$RELATION_NAME, C.RDB$FIELD_POSITION"));
        std::map<QString, std::vector<std::pair<QString, bool>>> colunas;
        for (q.Abre(); !q.Eof(); q.Proximo()) {
            const qint64 tipo = q.CampoInteiro(QStringLiteral("TIPO"));
            colunas[q.CampoTexto(QStringLiteral("TABELA"))].emplace_back(q.CampoTexto(QStringLiteral("COLUNA")),
                                                                         tipo == 27 || tipo == 10); // double, float
        }
        q.Fecha();
        for (const auto& [tabela, lista] : colunas) {
            QStringList& linhas = r[tabela];
            q.SetSQL(QStringLiteral("SELECT * FROM ") + tabela);
            for (q.Abre(); !q.Eof(); q.Proximo()) {
                QStringList campos;
                for (const auto& [coluna, real] : lista) {
                    if (q.CampoNulo(coluna)) {
                        campos << QStringLiteral("<NULL>");
                    } else if (real) {
                        campos << QString::number(q.CampoDouble(coluna), 'g', 17);
                    } else {
                        campos << q.CampoTexto(coluna);
                    }
                }
                linhas << campos.join(u'|');
            }
            q.Fecha();
            linhas.sort();
        }
        q.SetSQL(QStringLiteral("SELECT TRIM(RDB$GENERATOR_NAME) AS NOME FROM RDB$GENERATORS "
                                "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0"));
        QStringList geradores;
        for (q.Abre(); !q.Eof(); q.Proximo()) {
            geradores << q.CampoTexto(QStringLiteral("NOME"));
        }
        q.Fecha();
        for (const QString& nome : geradores) {
            q.SetSQL(QStringLiteral("SELECT GEN_ID(%1, 0) AS V FROM RDB$DATABASE").arg(nome));
            q.Abre();
            r[QStringLiteral("gerador ") + nome] << q.CampoTexto(QStringLiteral("V"));
            q.Fecha();
        }
    }
    conexao.Transacao().Cancela();
    return r;
}

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

    const auto simples = Conteudo(bancos[0]);
    const auto rapido = Conteudo(bancos[1]);
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
