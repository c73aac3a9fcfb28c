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
        std::vector<qint64> registros; // of the fatal lines; 0: the table itself
        const char* campo;
        qint64 parada;        // the record the run stops on
        QStringList mensagem; // what the run's error names
    };
    const auto leitor = [](const char* tabela, const char* campo) {
        return QStringList{QLatin1String(tabela), QLatin1String(campo)};
    };
    const Caso casos[] = {
        {"missing field",
         "--vendedores",
         "TABVEND",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABVEND"), {R({{"CONTROLE", "1"}, {"NOME", "Ana"}})},
                          {QStringLiteral("COMISSAO")});
         },
         {1},
         "COMISSAO",
         1,
         leitor("TABVEND", "COMISSAO")},
        {"unreadable number",
         "--vendedores",
         "TABVEND",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABVEND"),
                          {R({{"CONTROLE", "1"}, {"COMISSAO", "5"}}), R({{"CONTROLE", "2"}, {"COMISSAO", "1x"}})});
         },
         {2},
         "COMISSAO",
         2,
         leitor("TABVEND", "COMISSAO")},
        {"damaged memo",
         "--clientes",
         "TABCLI",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABCLI"),
                          {R({{"CODIGO", "1"}, {"OBS", "nota"}}), R({{"CODIGO", "2"}, {"OBS", "@999999"}})});
         },
         {2},
         "OBS",
         2,
         leitor("TABCLI", "OBS")},
        {"missing memo file",
         "--clientes",
         "TABCLI",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABCLI"), {R({{"CODIGO", "1"}, {"OBS", "nota"}})});
             QFile::remove(QDir(p).filePath(QStringLiteral("TABCLI.DBT")));
         },
         {0},
         "",
         0,
         leitor("TABCLI", "TABCLI.DBT")},
        {"table that cannot be read",
         "--fornecedores",
         "TABFOR",
         [](const QString& p) { GravaArquivo(QDir(p).filePath(QStringLiteral("TABFOR.DBF")), QByteArray(40, '\x03')); },
         {0},
         "",
         0,
         leitor("TABFOR", "TABFOR")},
        {"missing table",
         "--grupos-produtos",
         "TABEST8",
         [](const QString&) {},
         {0},
         "",
         0,
         leitor("TABEST8", "TABEST8")},
        {"customer code that is not a code",
         "--clientes",
         "TABCLI",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABCLI"), {R({{"CODIGO", "1"}}), R({{"CODIGO", "12a"}})});
         },
         {2},
         "CODIGO",
         2,
         leitor("TABCLI", "CODIGO")},
        {"customer date that is not a date",
         "--clientes",
         "TABCLI",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABCLI"), {R({{"CODIGO", "1"}, {"DATA", "20241345"}})});
         },
         {1},
         "DATA",
         1,
         leitor("TABCLI", "DATA")},
        {"colliding product codes",
         "--produtos",
         "TABEST1",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABEST1"),
                          {R({{"CODIGO", "1234567"}}), R({{"CODIGO", "5"}}), R({{"CODIGO", "123456"}})});
         },
         {1, 3},
         "CODIGO",
         3,
         {QStringLiteral("PRODUTO")}},
        {"colliding group codes",
         "--grupos-produtos",
         "TABEST8",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABEST8"),
                          {R({{"CONTROLE", "1345"}, {"SETOR", "A"}}), R({{"CONTROLE", "2345"}, {"SETOR", "B"}})});
         },
         {1, 2},
         "CONTROLE",
         2,
         {QStringLiteral("GRUPROD")}},
        {"colliding supplier codes",
         "--fornecedores",
         "TABFOR",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABFOR"), {R({{"CONTROLE", "0001"}}), R({{"CONTROLE", "1"}})});
         },
         {1, 2},
         "CONTROLE",
         2,
         {QStringLiteral("FORNECE")}},
        {"unreadable price",
         "--produtos",
         "TABEST1",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABEST1"),
                          {R({{"CODIGO", "1"}, {"PRECOVENDA", "2"}}), R({{"CODIGO", "2"}}),
                           R({{"CODIGO", "3"}, {"PRECOVENDA", "12x"}})});
         },
         {3},
         "PRECOVENDA",
         3,
         leitor("TABEST1", "PRECOVENDA")},
        {"unreadable date",
         "--produtos",
         "TABEST1",
         [](const QString& p) {
             EscreveFonte(p, QStringLiteral("TABEST1"),
                          {R({{"CODIGO", "1"}}), R({{"CODIGO", "2"}, {"ULTREAJ", "20241399"}})});
         },
         {2},
         "ULTREAJ",
         2,
         leitor("TABEST1", "ULTREAJ")},
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
        std::vector<qint64> registros;
        for (const QStringList& linha : LinhasFatais(csv)) {
            EXPECT_EQ(linha[1], QLatin1String(caso.tabela));
            EXPECT_EQ(linha[4], QLatin1String(caso.campo));
            registros.push_back(linha[2].toLongLong());
        }
        EXPECT_EQ(registros, caso.registros) << analise.saida.toStdString();

        const TResultadoCli run = ExecutaCli(ArgumentosConverter(
            origem.path(), banco.Caminho(), {QLatin1String(caso.tipo), QStringLiteral("--resumo"), json}));
        EXPECT_EQ(run.codigo, 1) << run.erro.toStdString();
        for (const QString& texto : caso.mensagem) {
            EXPECT_TRUE(run.erro.contains(texto)) << texto.toStdString() << " not in " << run.erro.toStdString();
        }
        // The run reached the record and stopped there: records before it were read.
        const QJsonObject tipo =
            QJsonDocument::fromJson(LeArquivo(json)).object()[QStringLiteral("tipos")].toArray()[0].toObject();
        EXPECT_FALSE(tipo[QStringLiteral("concluido")].toBool());
        EXPECT_EQ(tipo[QStringLiteral("lidos")].toInteger(), caso.parada);
    }
}

// Sellers whose codes the insert cuts into one: the run goes on, but the database refuses all but the
// first, and those records are lost.
TEST(AnaliseConcordancia, VendedoresComAMesmaChavePerdemRegistrosNaConversao) {
    QTemporaryDir origem;
    QTemporaryDir saida;
    TBancoTemporario banco;
    EscreveFonte(origem.path(), QStringLiteral("TABVEND"),
                 {R({{"CONTROLE", "12345"}, {"NOME", "A"}}), R({{"CONTROLE", "7"}, {"NOME", "B"}}),
                  R({{"CONTROLE", "1234"}, {"NOME", "C"}}), R({{"CONTROLE", "123499"}, {"NOME", "D"}})});
    const QString csv = saida.filePath(QStringLiteral("analise.csv"));
    const QString json = saida.filePath(QStringLiteral("resumo.json"));

    const TResultadoCli analise = Analisa(origem.path(), csv, QStringLiteral("--vendedores"));
    EXPECT_EQ(analise.codigo, 1);
    std::vector<qint64> registros;
    for (const QStringList& linha : LinhasFatais(csv)) {
        registros.push_back(linha[2].toLongLong());
    }
    EXPECT_EQ(registros, (std::vector<qint64>{1, 3, 4}));

    const TResultadoCli run = ExecutaCli(ArgumentosConverter(
        origem.path(), banco.Caminho(), {QStringLiteral("--vendedores"), QStringLiteral("--resumo"), json}));
    EXPECT_EQ(run.codigo, 0) << run.erro.toStdString();
    const QJsonObject tipo =
        QJsonDocument::fromJson(LeArquivo(json)).object()[QStringLiteral("tipos")].toArray()[0].toObject();
    EXPECT_EQ(tipo[QStringLiteral("rejeitados")].toInt(), 2);
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM VENDEND")), QStringLiteral("2"));
}

} // namespace
