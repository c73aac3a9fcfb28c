// The ordinary and the hostile sample converted with every kind: every row and column of every
// target table must equal the dump kept under tests/dados/linhas-douradas. The dump changes only
// on purpose, in a commit of its own that says why; to rewrite it, run this test with
// TAVRIN_REGRAVAR_DOURADAS=1 and read the diff before committing.
#include "ArquivosTeste.h"
#include "DespejoBanco.h"
#include "ExecutaCli.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

QString CaminhoDourado(const Amostra& amostra) {
    return QStringLiteral(TAVRIN_FONTES "/tests/dados/linhas-douradas/%1.txt").arg(QLatin1String(amostra.nome));
}

class LinhasDouradas : public ::testing::TestWithParam<Amostra> {};

TEST_P(LinhasDouradas, EveryTableHoldsTheKeptRows) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString origem = pasta.filePath(QStringLiteral("origem"));
    ASSERT_TRUE(QDir().mkpath(origem));
    const TResultadoCli geracao = ExecutaCli(QStringList{QStringLiteral("gerar-exemplo"), origem} + GetParam().opcoes);
    ASSERT_EQ(geracao.codigo, 0) << geracao.erro.toStdString();
    const QString banco = pasta.filePath(QStringLiteral("destino.fdb"));
    ASSERT_EQ(ExecutaCli({QStringLiteral("criar-destino"), banco}).codigo, 0);
    const TResultadoCli conversao = ExecutaCli(ArgumentosConverter(origem, banco, {QStringLiteral("--todos")}));
    ASSERT_EQ(conversao.codigo, 0) << conversao.erro.toStdString();

    const auto obtido = DespejaBanco(banco);
    const QString arquivo = CaminhoDourado(GetParam());
    if (qEnvironmentVariableIsSet("TAVRIN_REGRAVAR_DOURADAS")) {
        ASSERT_TRUE(GravaArquivo(arquivo, DespejoComoTexto(obtido).toUtf8()));
    }
    const QByteArray guardado = LeArquivo(arquivo);
    ASSERT_FALSE(guardado.isEmpty()) << "missing " << arquivo.toStdString();
    const auto esperado = DespejoDeTexto(QString::fromUtf8(guardado));

    for (const auto& [tabela, linhas] : esperado) {
        SCOPED_TRACE(tabela.toStdString());
        const auto achado = obtido.find(tabela);
        ASSERT_NE(achado, obtido.end());
        const QStringList& outras = achado->second;
        // The first differing row says more than a count.
        for (qsizetype i = 0; i < std::min(linhas.size(), outras.size()); ++i) {
            ASSERT_EQ(outras[i].toStdString(), linhas[i].toStdString()) << "row " << i;
        }
        ASSERT_EQ(outras.size(), linhas.size());
    }
    for (const auto& entrada : obtido) {
        EXPECT_EQ(esperado.count(entrada.first), 1u) << "table not in the kept dump: " << entrada.first.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Amostras, LinhasDouradas,
                         ::testing::Values(Amostra{"comum", {QStringLiteral("--registros"), QStringLiteral("2000")}},
                                           Amostra{"hostil",
                                                   {QStringLiteral("--registros"), QStringLiteral("2000"),
                                                    QStringLiteral("--hostil")}}),
                         [](const ::testing::TestParamInfo<Amostra>& info) { return std::string(info.param.nome); });

} // namespace
