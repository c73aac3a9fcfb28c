// The analysis and a real run on a real database agree: a folder the analysis calls clean converts,
// and for each fatal line the run stops on the very record the line names.
#include "ArquivosTeste.h"
#include "BancoTemporario.h"
#include "ExecutaCli.h"
#include "FormatoCsv.h"
#include "ImprimeQString.h"
#include "TabelasAnalise.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

TRegistroFonte R(std::initializer_list<std::pair<const char*, const char*>> valores) {
    TRegistroFonte r;
    for (const auto& [campo, valor] : valores) {
        r.valores.insert(QLatin1String(campo), QString::fromUtf8(valor));
    }
    return r;
}

// The fatal lines of an analysis's CSV, each as its fields.
std::vector<QStringList> LinhasFatais(const QString& arquivo) {
    const QByteArray bytes = LeArquivo(arquivo);
    std::vector<QStringList> linhas;
    qsizetype inicio = bytes.indexOf("\r\n") + 2;
    while (inicio > 1 && inicio < bytes.size()) {
        const qsizetype fim = bytes.indexOf("\r\n", inicio);
        QStringList campos = LeRegistroCsv(bytes.constData() + inicio, fim - inicio);
        if (campos.value(9) == QLatin1String("fatal")) {
            linhas.push_back(campos);
        }
        inicio = fim + 2;
    }
    return linhas;
}

TResultadoCli Analisa(const QString& origem, const QString& csv, const QString& tipo) {
    return ExecutaCli(
        {QStringLiteral("analisar"), QStringLiteral("--origem"), origem, tipo, QStringLiteral("--relatorio"), csv});
}

TEST(AnaliseConcordancia, PastaLimpaNaAnaliseConverteSemErro) {
    QTemporaryDir origem;
    QTemporaryDir saida;
    TBancoTemporario banco;
    ASSERT_EQ(ExecutaCli(
                  {QStringLiteral("gerar-exemplo"), origem.path(), QStringLiteral("--registros"), QStringLiteral("80")})
                  .codigo,
              0);
    const QString csv = saida.filePath(QStringLiteral("analise.csv"));

    const TResultadoCli analise = Analisa(origem.path(), csv, QStringLiteral("--todos"));
    EXPECT_EQ(analise.codigo, 0) << analise.saida.toStdString() << analise.erro.toStdString();
    EXPECT_TRUE(LinhasFatais(csv).empty());

    const TResultadoCli run =
        ExecutaCli(ArgumentosConverter(origem.path(), banco.Caminho(), {QStringLiteral("--todos")}));
    EXPECT_EQ(run.codigo, 0) << run.erro.toStdString();
}

TEST(AnaliseConcordancia, CadaLinhaFatalParaAConversaoNoRegistroQueElaNomeia) {
    struct Caso {
        const char* problema;
        const char* tipo;
        const char* tabela;
        std::function<void(const QString&)> escreve;
        qint64 registro; // 0: the table itself
        const char* campo;
    };
    const Caso casos[] = {
        {"missing field", "--vendedores", "TABVEND",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABVEND"), {R({{"CONTROLE", "1"}, {"NOME", "Ana"}})},
                          {QStringLiteral("COMISSAO")});
         },
         1, "COMISSAO"},
        {"unreadable number", "--vendedores", "TABVEND",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABVEND"),
                          {R({{"CONTROLE", "1"}, {"COMISSAO", "5"}}), R({{"CONTROLE", "2"}, {"COMISSAO", "1x"}})});
         },
         2, "COMISSAO"},
        {"damaged memo", "--clientes", "TABCLI",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABCLI"),
                          {R({{"CODIGO", "1"}, {"OBS", "nota"}}), R({{"CODIGO", "2"}, {"OBS", "@999999"}})});
         },
         2, "OBS"},
        {"missing memo file", "--clientes", "TABCLI",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABCLI"), {R({{"CODIGO", "1"}, {"OBS", "nota"}})});
             QFile::remove(QDir(p).filePath(QStringLiteral("TABCLI.DBT")));
         },
         0, ""},
        {"table that cannot be read", "--fornecedores", "TABFOR",
         [](const QString& p) { GravaArquivo(QDir(p).filePath(QStringLiteral("TABFOR.DBF")), QByteArray(40, '\x03')); },
         0, ""},
        {"missing table", "--grupos-produtos", "TABEST8", [](const QString&) {}, 0, ""},
        {"unreadable price", "--produtos", "TABEST1",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABEST1"),
                          {R({{"CODIGO", "1"}, {"PRECOVENDA", "2"}}), R({{"CODIGO", "2"}}),
                           R({{"CODIGO", "3"}, {"PRECOVENDA", "12x"}})});
         },
         3, "PRECOVENDA"},
        {"unreadable date", "--produtos", "TABEST1",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABEST1"),
                          {R({{"CODIGO", "1"}}), R({{"CODIGO", "2"}, {"ULTREAJ", "20241399"}})});
         },
         2, "ULTREAJ"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.problema);
        QTemporaryDir origem;
        QTemporaryDir saida;
        TBancoTemporario banco;
        caso.escreve(origem.path());
        const QString csv = saida.filePath(QStringLiteral("analise.csv"));
        const QString json = saida.filePath(QStringLiteral("resumo.json"));

        const TResultadoCli analise = Analisa(origem.path(), csv, QLatin1String(caso.tipo));
        EXPECT_EQ(analise.codigo, 1) << analise.erro.toStdString();
        const std::vector<QStringList> fatais = LinhasFatais(csv);
        ASSERT_EQ(fatais.size(), 1u) << analise.saida.toStdString();
        EXPECT_EQ(fatais[0][1], QLatin1String(caso.tabela));
        EXPECT_EQ(fatais[0][2], QString::number(caso.registro));
        EXPECT_EQ(fatais[0][4], QLatin1String(caso.campo));

        const TResultadoCli run = ExecutaCli(ArgumentosConverter(
            origem.path(), banco.Caminho(), {QLatin1String(caso.tipo), QStringLiteral("--resumo"), json}));
        EXPECT_EQ(run.codigo, 1) << run.erro.toStdString();
        EXPECT_TRUE(run.erro.contains(QLatin1String(caso.tabela))) << run.erro.toStdString();
        EXPECT_TRUE(run.erro.contains(QLatin1String(caso.campo))) << run.erro.toStdString();
        // The run reached the named record and stopped there: records before it were read.
        const QJsonObject tipo =
            QJsonDocument::fromJson(LeArquivo(json)).object()[QStringLiteral("tipos")].toArray()[0].toObject();
        EXPECT_FALSE(tipo[QStringLiteral("concluido")].toBool());
        EXPECT_EQ(tipo[QStringLiteral("lidos")].toInteger(), caso.registro);
    }
}

} // namespace
