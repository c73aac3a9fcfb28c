// The parameter list the window and the headless command build, and the header fix of a table file.
#include "ListaParametros.h"
#include "classConversao.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ListaParametros, TodosMarcadosNaOrdemDasCaixas) {
    TListaParametros params;
    IniciaListaParametros(params);
    CarregaParametros(params, {true, true, true, true, true});
    const QStringList esperado = {
        QStringLiteral("VENDEDORES"),     QStringLiteral("CLIENTES"),           QStringLiteral("FORNECEDORES"),
        QStringLiteral("GRUPOSPRODUTOS"), QStringLiteral("PRODUTOS"),           QStringLiteral("CAMINHO BD DESTINO"),
        QStringLiteral("CAMINHO BD ORIGEM"), QStringLiteral("VENDEDORES=S"),    QStringLiteral("CLIENTES=S"),
        QStringLiteral("FORNECEDORES=S"), QStringLiteral("PRODUTOS=S"),         QStringLiteral("GRUPOSPRODUTOS=S"),
    };
    EXPECT_EQ(params.Linhas(), esperado);
}

TEST(ListaParametros, ValoresPorNome) {
    TListaParametros params;
    params.Adiciona(QStringLiteral("PRODUTOS"));       // a bare line carries no value
    params.Adiciona(QStringLiteral("clientes=s"));
    params.Adiciona(QStringLiteral("VENDEDORES=N"));
    params.SetValor(QStringLiteral("VENDEDORES"), QStringLiteral("S"));

    EXPECT_EQ(params.Valor(QStringLiteral("PRODUTOS")), QString());
    EXPECT_EQ(params.Valor(QStringLiteral("CLIENTES")), QStringLiteral("s")); // names ignore case, values don't
    EXPECT_EQ(params.Valor(QStringLiteral("VENDEDORES")), QStringLiteral("S"));
    EXPECT_EQ(params.Linhas().size(), 3);
    EXPECT_EQ(params.Valor(QStringLiteral("FORNECEDORES")), QString());
}

TEST(RemoveByteCDX, SoZeraOByteQuandoEleVale1) {
    struct Caso {
        char valor;
        char esperado;
    };
    for (const Caso c : {Caso{1, 0}, Caso{0, 0}, Caso{3, 3}, Caso{2, 2}}) {
        QTemporaryDir pasta;
        const QString caminho = pasta.filePath(QStringLiteral("TABCLI.DBF"));
        QByteArray conteudo(64, '\x20');
        conteudo[0] = '\x03';
        conteudo[28] = c.valor;
        {
            QFile f(caminho);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(conteudo);
        }
        TConversao::PRemoveByteCDX(caminho);
        QFile f(caminho);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QByteArray depois = f.readAll();
        QByteArray esperado = conteudo;
        esperado[28] = c.esperado;
        EXPECT_EQ(depois, esperado) << int(c.valor);
    }
}

TEST(RemoveByteCDX, ArquivoInexistenteLevantaErroENaoCriaNada) {
    EXPECT_ANY_THROW(TConversao::PRemoveByteCDX(QStringLiteral("/nao/existe/TABCLI.DBF")));
    // A missing table in an existing folder is an error too, and no empty table is left behind.
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath(QStringLiteral("TABCLI.DBF"));
    EXPECT_ANY_THROW(TConversao::PRemoveByteCDX(caminho));
    EXPECT_FALSE(QFile::exists(caminho));
}
