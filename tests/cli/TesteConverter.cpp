// The headless converter's refusals and outcome, through the real binary.
#include "ArquivosTeste.h"
#include "BancoTemporario.h"
#include "ExecutaCli.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kAvisoConexao = QStringLiteral(
    "AVISO: Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o arquivo selecionado é "
    "válido! \n");

TEST(ComandoConverter, CaminhoVazioAvisaESaiCom2) {
    const auto r = ExecutaCli({QStringLiteral("converter"), QStringLiteral("--origem"), QStringLiteral("/tmp"),
                               QStringLiteral("--destino"), QString()});
    EXPECT_EQ(r.codigo, 2);
    EXPECT_EQ(r.erro, QStringLiteral("AVISO: O caminho do banco de dados está vazio!\n"));
}

TEST(ComandoConverter, ArquivoQueNaoEBancoMostraOErroEOAvisoDeConexao) {
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath(QStringLiteral("texto.fb"));
    ASSERT_TRUE(GravaArquivo(caminho, QByteArray(4096, 'x')));

    const auto r = ExecutaCli({QStringLiteral("converter"), QStringLiteral("--origem"), pasta.path(),
                               QStringLiteral("--destino"), caminho, QStringLiteral("--todos")});
    EXPECT_EQ(r.codigo, 2);
    EXPECT_TRUE(r.erro.startsWith(QStringLiteral("ERRO: "))) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.endsWith(kAvisoConexao)) << r.erro.toStdString();
}

TEST(ComandoConverter, SemTiposConcluiComSucesso) {
    TBancoTemporario banco;
    const auto r = ExecutaCli({QStringLiteral("converter"), QStringLiteral("--origem"), banco.Pasta(),
                               QStringLiteral("--destino"), banco.Caminho()});
    EXPECT_EQ(r.codigo, 0) << r.erro.toStdString();
    EXPECT_EQ(r.erro, QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!\n"));
}

TEST(ComandoConverter, UsoIncorretoSaiCom2) {
    for (const QStringList& args : {QStringList{QStringLiteral("converter"), QStringLiteral("--destino")},
                                    QStringList{QStringLiteral("converter"), QStringLiteral("--xyz")},
                                    QStringList{QStringLiteral("converter"), QStringLiteral("--destino"),
                                                QStringLiteral("/tmp/x.fb")},
                                    QStringList{QStringLiteral("comando-que-nao-existe")}}) {
        const auto r = ExecutaCli(args);
        EXPECT_EQ(r.codigo, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(r.erro.isEmpty());
    }
}

// An option whose value is missing takes the next option as its value only by mistake: it is wrong
// usage, and nothing is converted or written (no file named "--vendedores").
TEST(ComandoConverter, ValorQueEOutraOpcaoEUsoIncorreto) {
    TBancoTemporario banco;
    QTemporaryDir trabalho;
    for (const QStringList& opcoes : {QStringList{QStringLiteral("--resumo"), QStringLiteral("--vendedores")},
                                      QStringList{QStringLiteral("--origem"), QStringLiteral("--todos")},
                                      QStringList{QStringLiteral("--destino"), QStringLiteral("--ensaio")}}) {
        SCOPED_TRACE(opcoes.join(QLatin1Char(' ')).toStdString());
        QProcess processo;
        processo.setWorkingDirectory(trabalho.path());
        const auto r = ExecutaCli(processo, QStringList{QStringLiteral("converter"), QStringLiteral("--origem"),
                                                        banco.Pasta(), QStringLiteral("--destino"), banco.Caminho()} +
                                                opcoes);
        EXPECT_EQ(r.codigo, 2) << r.erro.toStdString();
        EXPECT_TRUE(r.erro.startsWith(opcoes.first() + QStringLiteral(" precisa"))) << r.erro.toStdString();
        EXPECT_EQ(QDir(trabalho.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }
}

TEST(ComandoConverter, ErroNaConversaoSaiCom1EMostraOMotivo) {
    // A folder without TABEST8: the product groups fail at the reader.
    TBancoTemporario banco;
    QTemporaryDir vazia;
    const auto r = ExecutaCli({QStringLiteral("converter"), QStringLiteral("--origem"), vazia.path(),
                               QStringLiteral("--destino"), banco.Caminho(), QStringLiteral("--grupos-produtos")});
    EXPECT_EQ(r.codigo, 1) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.contains(QStringLiteral("ERRO: Ocorreu um erro durante a conversão! Motivo: ")))
        << r.erro.toStdString();
    EXPECT_TRUE(r.erro.contains(QStringLiteral("TABEST8"))) << r.erro.toStdString();
}

} // namespace
