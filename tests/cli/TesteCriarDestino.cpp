// criar-destino through the real binary: a usable dialect-1 database, or a refusal that leaves
// nothing behind.
#include "ExecutaCli.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(CriarDestino, CriaBancoDialeto1Win1252ComAsTabelas) {
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath(QStringLiteral("novo.fb"));
    const auto r = ExecutaCli({QStringLiteral("criar-destino"), caminho});
    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();
    EXPECT_EQ(r.saida.trimmed(), caminho);

    TConexaoDestino conexao;
    conexao.SetNomeBanco(caminho);
    conexao.Abre();
    EXPECT_EQ(conexao.Dialeto(), 1);
    TQueryDestino q(conexao);
    q.SetSQL(QStringLiteral("SELECT RDB$CHARACTER_SET_NAME AS CS FROM RDB$DATABASE"));
    q.Abre();
    EXPECT_EQ(q.CampoTexto(QStringLiteral("CS")).trimmed(), QStringLiteral("WIN1252"));
    q.SetSQL(QStringLiteral("SELECT COUNT(*) AS N FROM RDB$RELATIONS WHERE RDB$RELATION_NAME IN "
                            "('VENDEND', 'CLIENTE', 'COMPCLIE', 'FORNECE', 'GRUPROD', 'PRODUTO', 'MVGERAL')"));
    q.Abre();
    EXPECT_EQ(q.CampoInteiro(QStringLiteral("N")), 7);
}

TEST(CriarDestino, RecusasSaemCom2SemDeixarArquivo) {
    QTemporaryDir pasta;
    const QString existente = pasta.filePath(QStringLiteral("existente.fb"));
    {
        QFile f(existente);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("conteúdo que não pode ser perdido");
    }
    struct Caso {
        const char* nome;
        QStringList argumentos;
        QString mensagem;
    };
    const Caso casos[] = {
        {"arquivo existente", {existente}, QStringLiteral("já existe")},
        {"pasta inexistente", {pasta.filePath(QStringLiteral("nao/existe/x.fb"))}, QStringLiteral("não existe")},
        {"sem caminho", {}, QStringLiteral("Informe o caminho")},
        {"dois caminhos", {pasta.filePath(QStringLiteral("a.fb")), pasta.filePath(QStringLiteral("b.fb"))},
         QStringLiteral("único banco")},
        {"opção desconhecida", {QStringLiteral("--xyz")}, QStringLiteral("Opção desconhecida")},
    };
    for (const Caso& c : casos) {
        const auto r = ExecutaCli(QStringList{QStringLiteral("criar-destino")} + c.argumentos);
        EXPECT_EQ(r.codigo, 2) << c.nome;
        EXPECT_TRUE(r.erro.contains(c.mensagem)) << c.nome << ": " << r.erro.toStdString();
    }
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files), QStringList{QStringLiteral("existente.fb")});
    QFile f(existente);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("conteúdo que não pode ser perdido"));
}

} // namespace
