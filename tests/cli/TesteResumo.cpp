// The run's summary (table on stdout, JSON file) and the rehearsal on a copy, through the real binary.
#include "../unit/FixturesDbf.h"
#include "BancoTemporario.h"
#include "ExecutaCli.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Sellers: 12345 is cut to 1234 and collides with the next one, which the database refuses;
// one deleted record. Groups: one without description (skipped by rule); one deleted record.
void GravaOrigem(const QString& pasta) {
    GravaTabela(pasta + QStringLiteral("/TABVEND.DBF"),
                {{QStringLiteral("CONTROLE"), 'C', 5},
                 {QStringLiteral("NOME"), 'C', 40},
                 {QStringLiteral("COMISSAO"), 'N', 5, 2}},
                4, [](TEscritorDbf& e, int i) {
                    const char* codigos[] = {"12345", "1234", "7", "9"};
                    e.Texto(QStringLiteral("CONTROLE"), QLatin1String(codigos[i]));
                    e.Texto(QStringLiteral("NOME"), QStringLiteral("VENDEDOR %1").arg(i));
                    e.Numero(QStringLiteral("COMISSAO"), 1.5);
                    return i != 3;
                });
    GravaTabela(pasta + QStringLiteral("/TABEST8.DBF"),
                {{QStringLiteral("CONTROLE"), 'C', 6}, {QStringLiteral("SETOR"), 'C', 30}}, 4,
                [](TEscritorDbf& e, int i) {
                    e.Texto(QStringLiteral("CONTROLE"), QStringLiteral("00000%1").arg(i + 1));
                    e.Texto(QStringLiteral("SETOR"), i == 1 ? QString() : QStringLiteral("SETOR %1").arg(i));
                    return i != 2;
                });
}

QByteArray Hash(const QString& caminho) {
    return QCryptographicHash::hash(LeArquivo(caminho), QCryptographicHash::Sha256);
}

TEST(Resumo, ContaLidosExcluidosIgnoradosRejeitadosEGravados) {
    TBancoTemporario banco;
    QTemporaryDir origem;
    QTemporaryDir saida;
    GravaOrigem(origem.path());
    const QString json = saida.filePath(QStringLiteral("resumo.json"));

    const auto r = ExecutaCli(ArgumentosConverter(
        origem.path(), banco.Caminho(),
        {QStringLiteral("--vendedores"), QStringLiteral("--grupos-produtos"), QStringLiteral("--resumo"), json}));
    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();

    const QJsonObject resumo = QJsonDocument::fromJson(LeArquivo(json)).object();
    EXPECT_TRUE(resumo[QStringLiteral("sucesso")].toBool());
    const auto tipos = resumo[QStringLiteral("tipos")].toArray();
    ASSERT_EQ(tipos.size(), 2);

    const QJsonObject vend = tipos[0].toObject();
    EXPECT_EQ(vend[QStringLiteral("tipo")].toString(), QStringLiteral("VENDEDORES"));
    EXPECT_EQ(vend[QStringLiteral("lidos")].toInt(), 3);
    EXPECT_EQ(vend[QStringLiteral("excluidos")].toInt(), 1);
    EXPECT_EQ(vend[QStringLiteral("rejeitados")].toInt(), 1);
    EXPECT_EQ(vend[QStringLiteral("linhas")].toObject()[QStringLiteral("VENDEND")].toInt(), 2);
    EXPECT_TRUE(vend[QStringLiteral("concluido")].toBool());

    const QJsonObject grupos = tipos[1].toObject();
    EXPECT_EQ(grupos[QStringLiteral("tipo")].toString(), QStringLiteral("GRUPOSPRODUTOS"));
    EXPECT_EQ(grupos[QStringLiteral("lidos")].toInt(), 3);
    EXPECT_EQ(grupos[QStringLiteral("excluidos")].toInt(), 1);
    EXPECT_EQ(grupos[QStringLiteral("ignorados")].toInt(), 1);
    EXPECT_EQ(grupos[QStringLiteral("linhas")].toObject()[QStringLiteral("GRUPROD")].toInt(), 2);
    EXPECT_EQ(resumo[QStringLiteral("total")].toObject()[QStringLiteral("lidos")].toInt(), 6);

    // The same figures as an aligned table on stdout, one line per kind and a total.
    const QStringList linhas = r.saida.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(linhas.size(), 6) << r.saida.toStdString();
    EXPECT_TRUE(linhas[0].startsWith(QStringLiteral("Tipo")));
    EXPECT_TRUE(linhas[2].startsWith(QStringLiteral("Vendedores "))) << linhas[2].toStdString();
    EXPECT_TRUE(linhas[2].contains(QStringLiteral("VENDEND 2")));
    EXPECT_TRUE(linhas[3].startsWith(QStringLiteral("Grupos de Produtos "))) << linhas[3].toStdString();
    EXPECT_TRUE(linhas[5].startsWith(QStringLiteral("Total "))) << linhas[5].toStdString();
    EXPECT_EQ(linhas[0].indexOf(QStringLiteral("Lidos")) + 5, linhas[2].indexOf(QStringLiteral("3")) + 1)
        << "figures right-aligned under their heading";
    // The box's own text is unchanged.
    EXPECT_TRUE(r.erro.endsWith(QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!\n")))
        << r.erro.toStdString();
}

TEST(Resumo, RunComErroTambemMostraOResumo) {
    TBancoTemporario banco;
    QTemporaryDir origem;
    QTemporaryDir saida;
    GravaOrigem(origem.path());
    const QString json = saida.filePath(QStringLiteral("resumo.json"));

    // No TABCLI in the folder: the customers fail after the sellers.
    const auto r = ExecutaCli(ArgumentosConverter(
        origem.path(), banco.Caminho(),
        {QStringLiteral("--vendedores"), QStringLiteral("--clientes"), QStringLiteral("--resumo"), json}));
    EXPECT_EQ(r.codigo, 1);
    const QJsonObject resumo = QJsonDocument::fromJson(LeArquivo(json)).object();
    EXPECT_FALSE(resumo[QStringLiteral("sucesso")].toBool());
    const auto tipos = resumo[QStringLiteral("tipos")].toArray();
    ASSERT_EQ(tipos.size(), 2);
    EXPECT_TRUE(tipos[0].toObject()[QStringLiteral("concluido")].toBool());
    EXPECT_FALSE(tipos[1].toObject()[QStringLiteral("concluido")].toBool());
    // The sellers' rows were committed as they were written, so the rollback keeps them: the
    // summary tells what the database holds.
    EXPECT_EQ(tipos[0].toObject()[QStringLiteral("linhas")].toObject()[QStringLiteral("VENDEND")].toInt(), 2);
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM VENDEND")), QStringLiteral("2"));
    EXPECT_TRUE(r.saida.contains(QStringLiteral("Clientes (erro)"))) << r.saida.toStdString();
}

// --resumo and --alteracoes are checked before anything happens: a name that would destroy the
// database, a source table or a file of someone else's is refused (exit 2, no conversion, even with
// --ensaio), while an earlier summary or change log is replaced whole.
TEST(Resumo, ArquivoDoResumoQueDestruiriaDadosERecusado) {
    // Each output file: its option, what an existing file of someone else's is told, an earlier one.
    struct Saida {
        const char* opcao;
        const char* naoE;
        QByteArray anterior;
    };
    const Saida saidas[] = {
        {"--resumo", "não é um resumo", R"({"sucesso": false, "tipos": [], "total": {}})"},
        {"--alteracoes", "não é um registro de alterações",
         "\xEF\xBB\xBF\"Tipo\",\"Tabela de origem\",\"Registro\",\"Código de origem\",\"Campo de origem\","
         "\"Coluna de destino\",\"Alteração\",\"Valor original\",\"Valor gravado\"\r\n"},
    };
    struct Caso {
        const char* nome;
        std::function<QString(const TBancoTemporario&, const QString& origem, const QString& outra)> prepara;
        QStringList extras;
        int codigo;
        QString trecho; ///< in stderr
    };
    const auto arquivo = [](const QString& pasta, const char* nome, const QByteArray& bytes) {
        const QString caminho = QDir(pasta).filePath(QLatin1String(nome));
        GravaArquivo(caminho, bytes);
        return caminho;
    };
    const auto link = [](const QString& alvo, const QString& pasta) {
        const QString caminho = QDir(pasta).filePath(QStringLiteral("link.json"));
        QFile::link(alvo, caminho);
        return caminho;
    };
    const std::vector<Caso> casos = {
        {"the database",
         [](const TBancoTemporario& b, const QString&, const QString&) { return b.Caminho(); },
         {},
         2,
         QStringLiteral("banco de destino")},
        {"the database in a rehearsal",
         [](const TBancoTemporario& b, const QString&, const QString&) { return b.Caminho(); },
         {QStringLiteral("--ensaio")},
         2,
         QStringLiteral("banco de destino")},
        {"a link to the database",
         [link](const TBancoTemporario& b, const QString&, const QString& outra) { return link(b.Caminho(), outra); },
         {},
         2,
         QStringLiteral("banco de destino")},
        {"a source table",
         [](const TBancoTemporario&, const QString& origem, const QString&) {
             return QDir(origem).filePath(QStringLiteral("TABVEND.DBF"));
         },
         {},
         2,
         QStringLiteral("pasta das tabelas de origem")},
        {"a new file in the source folder",
         [](const TBancoTemporario&, const QString& origem, const QString&) {
             return QDir(origem).filePath(QStringLiteral("resumo.json"));
         },
         {},
         2,
         QStringLiteral("pasta das tabelas de origem")},
        {"a file of someone else's",
         [arquivo](const TBancoTemporario&, const QString&, const QString& outra) {
             return arquivo(outra, "notas.json", "{\"minhas\": \"notas\"}\n");
         },
         {},
         2,
         QString()},
        {"a folder",
         [](const TBancoTemporario&, const QString&, const QString& outra) { return outra; },
         {},
         2,
         QString()},
        {"an earlier one, replaced", nullptr, {}, 0, QString()},
    };
    for (const Saida& s : saidas) {
        for (const Caso& caso : casos) {
            SCOPED_TRACE(std::string(s.opcao) + " " + caso.nome);
            const QString trecho = caso.codigo == 2 && caso.trecho.isEmpty() ? QString::fromUtf8(s.naoE) : caso.trecho;
            TBancoTemporario banco;
            QTemporaryDir origem;
            QTemporaryDir outra;
            GravaOrigem(origem.path());
            const QString json = caso.prepara ? caso.prepara(banco, origem.path(), outra.path())
                                              : arquivo(outra.path(), "anterior.json", s.anterior);
            const QByteArray antes = LeArquivo(json);
            const QByteArray bancoAntes = Hash(banco.Caminho());

            const auto r = ExecutaCli(ArgumentosConverter(
                origem.path(), banco.Caminho(),
                QStringList{QStringLiteral("--vendedores"), QLatin1String(s.opcao), json} + caso.extras));

            EXPECT_EQ(r.codigo, caso.codigo) << r.erro.toStdString();
            if (caso.codigo == 2) {
                EXPECT_TRUE(r.erro.startsWith(QStringLiteral("AVISO: "))) << r.erro.toStdString();
                EXPECT_TRUE(r.erro.contains(trecho)) << r.erro.toStdString();
                EXPECT_FALSE(r.erro.contains(QStringLiteral("Ensaio:"))) << "refused before the rehearsal's promise";
                EXPECT_EQ(LeArquivo(json), antes);
                EXPECT_EQ(Hash(banco.Caminho()), bancoAntes);
            } else if (QLatin1String(s.opcao) == QLatin1String("--resumo")) {
                const QJsonObject resumo = QJsonDocument::fromJson(LeArquivo(json)).object();
                EXPECT_TRUE(resumo[QStringLiteral("sucesso")].toBool()) << LeArquivo(json).toStdString();
                EXPECT_EQ(QDir(outra.path()).entryList(QDir::Files), QStringList{QStringLiteral("anterior.json")})
                    << "no temporary file left beside it";
            } else {
                // Replaced by this run's log: the header, then the seller whose code is cut.
                EXPECT_NE(LeArquivo(json), s.anterior);
                EXPECT_TRUE(LeArquivo(json).startsWith(s.anterior)) << LeArquivo(json).toStdString();
                EXPECT_EQ(QDir(outra.path()).entryList(QDir::Files), QStringList{QStringLiteral("anterior.json")})
                    << "no temporary file left beside it";
            }
        }
    }
}

TEST(Resumo, ArquivoJsonQueNaoPodeSerGravadoFalhaAExecucao) {
    TBancoTemporario banco;
    QTemporaryDir origem;
    GravaOrigem(origem.path());
    const auto r = ExecutaCli(ArgumentosConverter(origem.path(), banco.Caminho(),
                                                  {QStringLiteral("--grupos-produtos"), QStringLiteral("--resumo"),
                                                   origem.filePath(QStringLiteral("nao/existe/r.json"))}));
    EXPECT_EQ(r.codigo, 1);
    EXPECT_TRUE(r.erro.contains(QStringLiteral("Não foi possível gravar o resumo"))) << r.erro.toStdString();
}

TEST(Ensaio, ConverteNumaCopiaEDeixaOBancoIntacto) {
    TBancoTemporario banco;
    QTemporaryDir origem;
    GravaOrigem(origem.path());
    const QByteArray antes = Hash(banco.Caminho());

    const auto r = ExecutaCli(ArgumentosConverter(origem.path(), banco.Caminho(),
                                                  {QStringLiteral("--grupos-produtos"), QStringLiteral("--ensaio")}));
    EXPECT_EQ(r.codigo, 0) << r.erro.toStdString();
    EXPECT_TRUE(r.saida.contains(QStringLiteral("GRUPROD 2"))) << r.saida.toStdString();
    EXPECT_EQ(Hash(banco.Caminho()), antes);
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM GRUPROD")), QStringLiteral("0"));
    EXPECT_EQ(QDir(banco.Pasta()).entryList(QDir::Files).size(), 1) << "no copy left beside the database";
}

TEST(Ensaio, RecusaBancoEmUsoSemCopiar) {
    TBancoTemporario banco;
    QTemporaryDir origem;
    GravaOrigem(origem.path());
    const auto ocupante = banco.Conecta(); // this process holds the database, as the target system would
    const auto r = ExecutaCli(ArgumentosConverter(origem.path(), banco.Caminho(),
                                                  {QStringLiteral("--grupos-produtos"), QStringLiteral("--ensaio")}));
    EXPECT_EQ(r.codigo, 2);
    EXPECT_TRUE(r.erro.contains(QStringLiteral("em uso"))) << r.erro.toStdString();
    EXPECT_FALSE(r.erro.contains(QStringLiteral("Ensaio:"))) << "refused before any copy";
}

TEST(Ensaio, RecusaBancoRemotoOuInexistente) {
    QTemporaryDir origem;
    for (const QString& destino :
         {QStringLiteral("servidor:/dados/banco.fb"), origem.filePath(QStringLiteral("x.fb"))}) {
        const auto r = ExecutaCli(ArgumentosConverter(origem.path(), destino, {QStringLiteral("--ensaio")}));
        EXPECT_EQ(r.codigo, 2) << destino.toStdString();
        EXPECT_TRUE(r.erro.startsWith(QStringLiteral("AVISO: "))) << r.erro.toStdString();
    }
}

} // namespace
