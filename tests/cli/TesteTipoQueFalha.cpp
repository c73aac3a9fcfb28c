// A kind that fails before it writes anything, through the real command: what the database keeps
// of the kinds before it and of its own tables, and what the summary says about both.
#include "../integration/ClientesTeste.h"
#include "../unit/FixturesDbf.h"
#include "BancoTemporario.h"
#include "ExecutaCli.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

std::vector<TRegistroTabcli> Clientes(int quantos) {
    std::vector<TRegistroTabcli> r;
    for (int i = 1; i <= quantos; ++i) {
        TRegistroTabcli c;
        c.codigo = QString::number(i);
        c.nome = QStringLiteral("Cliente %1").arg(i);
        c.obs = i % 2 ? QStringLiteral("Observação %1").arg(i) : QString();
        c.data = QDate(2015, 1 + i % 12, 1 + i % 28);
        r.push_back(c);
    }
    return r;
}

void EscreveTabfor(const QString& pasta) {
    std::vector<TDefinicaoCampo> campos;
    for (const char* nome : {"CONTROLE", "EMPRESA", "ENDERECO", "BAIRRO", "ESTADO", "CIDADE", "CEP", "CGC", "INSC",
                             "EMAIL", "CONTATO", "TELEFONE", "FAX"}) {
        campos.push_back({QLatin1String(nome), 'C', 20});
    }
    GravaTabela(QDir(pasta).filePath(QStringLiteral("TABFOR.DBF")), campos, 3, [](TEscritorDbf& e, int i) {
        e.Texto(QStringLiteral("CONTROLE"), QString::number(i + 1));
        e.Texto(QStringLiteral("EMPRESA"), QStringLiteral("Fornecedor %1").arg(i + 1));
        return true;
    });
}

std::vector<QMap<QString, QString>> Linhas(const TBancoTemporario& banco, const char* tabela) {
    return banco.Linhas(QStringLiteral("SELECT * FROM %1 ORDER BY CODCLIENTE").arg(QLatin1String(tabela)));
}

QJsonObject Tipo(const QJsonObject& resumo, int indice) {
    return resumo[QStringLiteral("tipos")].toArray()[indice].toObject();
}

// The customers converted, then the suppliers fail as they empty FORNECE (the table is gone, as a
// table another user holds locked would fail). The customers were reported converted: they must
// be in the database, and the summary must say what the database holds.
TEST(TipoQueFalha, TipoAnteriorFicaNoBancoQuandoOSeguinteNaoConsegueEsvaziar) {
    TBancoTemporario banco;
    QTemporaryDir origem;
    QTemporaryDir saida;
    EscreveTabcli(origem.path(), Clientes(25));
    EscreveTabfor(origem.path());
    banco.Executa(QStringLiteral("DROP TABLE FORNECE"));
    const QString json = saida.filePath(QStringLiteral("resumo.json"));

    const auto r = ExecutaCli(ArgumentosConverter(
        origem.path(), banco.Caminho(),
        {QStringLiteral("--clientes"), QStringLiteral("--fornecedores"), QStringLiteral("--resumo"), json}));

    EXPECT_EQ(r.codigo, 1) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.contains(QStringLiteral("FORNECE"))) << r.erro.toStdString();
    EXPECT_EQ(Contagem(banco, "CLIENTE"), 25);
    EXPECT_EQ(Contagem(banco, "COMPCLIE"), 25);

    const QJsonObject resumo = QJsonDocument::fromJson(LeArquivo(json)).object();
    const QJsonObject clientes = Tipo(resumo, 0);
    EXPECT_TRUE(clientes[QStringLiteral("concluido")].toBool());
    EXPECT_EQ(clientes[QStringLiteral("linhas")].toObject()[QStringLiteral("CLIENTE")].toInt(), 25);
    const QJsonObject fornecedores = Tipo(resumo, 1);
    EXPECT_FALSE(fornecedores[QStringLiteral("concluido")].toBool());
    EXPECT_EQ(fornecedores[QStringLiteral("lidos")].toInt(), 0) << "it failed before its first record";
}

// A source that cannot be read fails the kind before it empties anything: the customers of an
// earlier conversion are still there, row for row.
TEST(TipoQueFalha, OrigemIlegivelNaoEsvaziaODestino) {
    struct Caso {
        const char* dano;
        std::function<void(const QString& pasta)> estraga;
        QString trecho; ///< in the error
    };
    const Caso casos[] = {
        {"table missing",
         [](const QString& pasta) { QFile::remove(QDir(pasta).filePath(QStringLiteral("TABCLI.DBF"))); },
         QStringLiteral("TABCLI não encontrada")},
        {"cut inside its header",
         [](const QString& pasta) { CortaArquivo(QDir(pasta).filePath(QStringLiteral("TABCLI.DBF")), 100); },
         QStringLiteral("truncado")},
        {"memo file missing",
         [](const QString& pasta) { QFile::remove(QDir(pasta).filePath(QStringLiteral("TABCLI.DBT"))); },
         QStringLiteral("TABCLI.DBT")},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.dano);
        TBancoTemporario banco;
        QTemporaryDir origem;
        EscreveTabcli(origem.path(), Clientes(6));
        const auto primeira =
            ExecutaCli(ArgumentosConverter(origem.path(), banco.Caminho(), {QStringLiteral("--clientes")}));
        ASSERT_EQ(primeira.codigo, 0) << primeira.erro.toStdString();
        const auto clientes = Linhas(banco, "CLIENTE");
        const auto complementos = Linhas(banco, "COMPCLIE");
        ASSERT_EQ(clientes.size(), 6u);

        caso.estraga(origem.path());
        const auto r = ExecutaCli(ArgumentosConverter(origem.path(), banco.Caminho(), {QStringLiteral("--clientes")}));

        EXPECT_EQ(r.codigo, 1) << r.erro.toStdString();
        EXPECT_TRUE(r.erro.contains(QStringLiteral("ERRO: Ocorreu um erro durante a conversão! Motivo: ")))
            << r.erro.toStdString();
        EXPECT_TRUE(r.erro.contains(caso.trecho)) << r.erro.toStdString();
        EXPECT_EQ(Linhas(banco, "CLIENTE"), clientes);
        EXPECT_EQ(Linhas(banco, "COMPCLIE"), complementos);
    }
}

} // namespace
