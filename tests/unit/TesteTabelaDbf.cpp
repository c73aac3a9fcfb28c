// The dBASE reader and the source query on tables written by our writer: text forms of each field
// type, deleted records, navigation, file lookup and the query's errors.
#include "EConversao.h"
#include "FixturesDbf.h"
#include "ImprimeQString.h"
#include "TQueryOrigem.h"
#include "TTabelaDbf.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>

namespace {

class TabelaDbf : public ::testing::Test {
protected:
    QString Caminho(const QString& arquivo) const { return QDir(m_pasta.path()).filePath(arquivo); }
    QString Pasta() const { return m_pasta.path(); }

    // CLIENTES with one field of each type the legacy tables use.
    void GravaClientes(const QString& arquivo = QStringLiteral("CLIENTES.DBF"),
                       TEscritorDbf::Opcoes opcoes = TEscritorDbf::Opcoes{}) {
        const std::vector<TDefinicaoCampo> campos = {
            {QStringLiteral("CODIGO"), 'N', 6, 0}, {QStringLiteral("NOME"), 'C', 30, 0},
            {QStringLiteral("PRECO"), 'N', 10, 2}, {QStringLiteral("DATA"), 'D', 8, 0},
            {QStringLiteral("PESSOA"), 'L', 1, 0}, {QStringLiteral("OBS"), 'M', 10, 0},
        };
        GravaTabela(
            Caminho(arquivo), campos, 4,
            [](TEscritorDbf& e, int i) {
                switch (i) {
                case 0:
                    e.Numero(QStringLiteral("CODIGO"), 7);
                    e.Texto(QStringLiteral("NOME"), QStringLiteral("  João D'Ávila Ação  "));
                    e.Numero(QStringLiteral("PRECO"), 12.5);
                    e.Data(QStringLiteral("DATA"), QDate(2014, 3, 5));
                    e.Logico(QStringLiteral("PESSOA"), true);
                    e.Memo(QStringLiteral("OBS"), QStringLiteral("Cliente desde 1990.\r\nPaga em dia."));
                    return true;
                case 1:
                    e.Numero(QStringLiteral("CODIGO"), 8);
                    e.Texto(QStringLiteral("NOME"), QStringLiteral("APAGADO"));
                    return false;
                case 2:
                    e.Numero(QStringLiteral("CODIGO"), 9);
                    e.Numero(QStringLiteral("PRECO"), 100);
                    e.Logico(QStringLiteral("PESSOA"), false);
                    return true;
                default:
                    e.Numero(QStringLiteral("CODIGO"), 10);
                    e.Texto(QStringLiteral("NOME"), QStringLiteral("ÚLTIMO"));
                    e.Bruto(QStringLiteral("PRECO"), QByteArray("**********"));
                    e.Bruto(QStringLiteral("PESSOA"), QByteArray("?"));
                    return true;
                }
            },
            opcoes);
    }

    QTemporaryDir m_pasta;
};

QStringList Linha(TTabelaDbf& tabela) {
    QStringList valores;
    for (int i = 0; i < tabela.QuantCampos(); ++i) {
        valores << tabela.Texto(i);
    }
    return valores;
}

TEST_F(TabelaDbf, TextFormsOfEachFieldTypeAndDeletedRecordsSkipped) {
    GravaClientes();
    TTabelaDbf tabela(Pasta(), QStringLiteral("CLIENTES"));
    EXPECT_EQ(tabela.QuantRegistros(), 3);
    EXPECT_EQ(tabela.Pagina(), PaginaCodigo::CP850);

    const std::vector<QStringList> esperado = {
        {"7", "  João D'Ávila Ação", "12,5", "05/03/2014", "VERDADEIRO", "Cliente desde 1990.\r\nPaga em dia."},
        {"9", "", "100", "", "FALSO", ""},
        {"10", "ÚLTIMO", "", "", "", ""},
    };
    const std::vector<qint64> numeros = {1, 3, 4};
    for (std::size_t i = 0; i < esperado.size(); ++i) {
        ASSERT_FALSE(tabela.Eof());
        EXPECT_EQ(Linha(tabela), esperado[i]) << "record " << i;
        EXPECT_EQ(tabela.NumeroRegistro(), numeros[i]);
        tabela.Proximo();
    }
    EXPECT_TRUE(tabela.Eof());
}

TEST_F(TabelaDbf, NullTestNumbersAndDates) {
    GravaClientes();
    TTabelaDbf tabela(Pasta(), QStringLiteral("CLIENTES"));
    const int preco = tabela.IndiceCampo(QStringLiteral("preco"));
    const int data = tabela.IndiceCampo(QStringLiteral("Data"));
    const int nome = tabela.IndiceCampo(QStringLiteral("NOME"));
    const int obs = tabela.IndiceCampo(QStringLiteral("OBS"));
    ASSERT_GE(preco, 0);

    EXPECT_FALSE(tabela.Nulo(preco));
    EXPECT_DOUBLE_EQ(tabela.Numero(preco), 12.5);
    EXPECT_DOUBLE_EQ(tabela.DataHora(data), DataParaTDateTime(QDate(2014, 3, 5)));
    EXPECT_FALSE(tabela.Nulo(obs));

    tabela.Proximo();
    EXPECT_TRUE(tabela.Nulo(nome));
    EXPECT_TRUE(tabela.Nulo(data));
    EXPECT_TRUE(tabela.Nulo(obs));
    EXPECT_DOUBLE_EQ(tabela.DataHora(data), 0);

    tabela.Proximo();
    EXPECT_TRUE(tabela.Nulo(preco)) << "an overflowed (all '*') number is no value";
    EXPECT_DOUBLE_EQ(tabela.Numero(preco), 0);
}

TEST_F(TabelaDbf, NavigationLikeADataset) {
    GravaClientes();
    TTabelaDbf tabela(Pasta(), QStringLiteral("CLIENTES"));
    const int codigo = tabela.IndiceCampo(QStringLiteral("CODIGO"));
    tabela.Ultimo();
    EXPECT_EQ(tabela.Texto(codigo), "10");
    EXPECT_TRUE(tabela.Eof());
    tabela.Primeiro();
    EXPECT_FALSE(tabela.Eof());
    EXPECT_EQ(tabela.Texto(codigo), "7");
    tabela.Proximo();
    tabela.Proximo();
    tabela.Proximo();
    tabela.Proximo();
    EXPECT_TRUE(tabela.Eof());
    EXPECT_EQ(tabela.Texto(codigo), "10") << "past the end the last record stays current";
}

TEST_F(TabelaDbf, FilesFoundIgnoringCase) {
    for (const QString& arquivo : {QStringLiteral("clientes.dbf"), QStringLiteral("Clientes.Dbf")}) {
        QTemporaryDir pasta;
        GravaClientes(QDir(pasta.path()).filePath(arquivo));
        TTabelaDbf tabela(pasta.path(), QStringLiteral("CLIENTES"));
        EXPECT_EQ(tabela.QuantRegistros(), 3) << arquivo.toStdString();
        EXPECT_EQ(tabela.Texto(tabela.IndiceCampo(QStringLiteral("OBS"))), "Cliente desde 1990.\r\nPaga em dia.")
            << "memo file found beside " << arquivo.toStdString();
    }
}

TEST_F(TabelaDbf, EmptyTableIsAtEndAtOnce) {
    GravaTabela(Caminho(QStringLiteral("VAZIA.DBF")), {{QStringLiteral("A"), 'C', 5, 0}}, 0,
                [](TEscritorDbf&, int) { return true; });
    TTabelaDbf tabela(Pasta(), QStringLiteral("VAZIA"));
    EXPECT_TRUE(tabela.Eof());
    EXPECT_EQ(tabela.QuantRegistros(), 0);
    EXPECT_EQ(tabela.Texto(0), "");
    tabela.Ultimo();
    tabela.Proximo();
    EXPECT_TRUE(tabela.Eof());
}

TEST_F(TabelaDbf, OnlyDeletedRecordsCountsZero) {
    GravaTabela(Caminho(QStringLiteral("APAGADOS.DBF")), {{QStringLiteral("A"), 'C', 5, 0}}, 3,
                [](TEscritorDbf& e, int) {
                    e.Texto(QStringLiteral("A"), QStringLiteral("x"));
                    return false;
                });
    TTabelaDbf tabela(Pasta(), QStringLiteral("APAGADOS"));
    EXPECT_EQ(tabela.QuantRegistros(), 0);
    EXPECT_TRUE(tabela.Eof());
}

TEST_F(TabelaDbf, ManyRecordsAcrossReadBuffers) {
    // Enough records to span several read runs, with every third deleted.
    constexpr int kTotal = 5000;
    GravaTabela(Caminho(QStringLiteral("GRANDE.DBF")),
                {{QStringLiteral("N"), 'N', 8, 0}, {QStringLiteral("T"), 'C', 40, 0}}, kTotal,
                [](TEscritorDbf& e, int i) {
                    e.Numero(QStringLiteral("N"), i);
                    e.Texto(QStringLiteral("T"), QStringLiteral("linha %1").arg(i));
                    return i % 3 != 0;
                });
    TTabelaDbf tabela(Pasta(), QStringLiteral("GRANDE"));
    EXPECT_EQ(tabela.QuantRegistros(), kTotal - (kTotal + 2) / 3);
    int esperado = 1;
    qint64 lidos = 0;
    for (; !tabela.Eof(); tabela.Proximo(), ++lidos) {
        ASSERT_EQ(tabela.Texto(0), QString::number(esperado));
        esperado += esperado % 3 == 2 ? 2 : 1;
    }
    EXPECT_EQ(lidos, tabela.QuantRegistros());
    tabela.Ultimo();
    EXPECT_EQ(tabela.Texto(1), "linha 4999");
}

// ---- the source query ----

TEST_F(TabelaDbf, QueryAcceptsTheControllersSelectTexts) {
    GravaClientes();
    const QStringList textos = {
        QStringLiteral(" SELECT *          FROM CLIENTES "),
        QStringLiteral("select * from clientes"),
        QStringLiteral("SELECT*FROM Clientes;"),
        QStringLiteral("\tSELECT  *\n FROM  CLIENTES ; "),
    };
    for (const QString& sql : textos) {
        TQueryOrigem query;
        query.SetNomeBanco(Pasta());
        query.LimpaSQL();
        query.SetSQL(sql);
        query.Abre();
        EXPECT_EQ(query.QuantRegistros(), 3) << sql.toStdString();
        EXPECT_EQ(query.CampoPorNome(QStringLiteral("codigo")).ComoTexto(), "7");
        query.Proximo();
        EXPECT_EQ(query.CampoPorNome(QStringLiteral("CODIGO")).ComoTexto(), "9");
    }
}

TEST_F(TabelaDbf, QueryErrorsNameTableAndFolder) {
    GravaClientes();
    struct Caso {
        const char* sql;
        const char* trecho;
    };
    const Caso casos[] = {
        {"SELECT CODIGO FROM CLIENTES", "SELECT CODIGO FROM CLIENTES"},
        {"SELECT * FROM CLIENTES WHERE CODIGO = 1", "WHERE"},
        {"DELETE FROM CLIENTES", "DELETE"},
        {"", "SELECT * FROM"},
        {"SELECT * FROM TABFOR", "TABFOR"},
    };
    for (const Caso& caso : casos) {
        TQueryOrigem query;
        query.SetNomeBanco(Pasta());
        query.SetSQL(QString::fromUtf8(caso.sql));
        try {
            query.Abre();
            ADD_FAILURE() << "no error for " << caso.sql;
        } catch (const EConversao& erro) {
            EXPECT_TRUE(erro.Mensagem().contains(QString::fromUtf8(caso.trecho))) << erro.what();
            EXPECT_TRUE(erro.Mensagem().contains(Pasta())) << erro.what();
        }
        EXPECT_FALSE(query.Aberta());
        EXPECT_TRUE(query.Eof());
    }
}

TEST_F(TabelaDbf, MissingFolderAndMissingField) {
    GravaClientes();
    TQueryOrigem query;
    query.SetNomeBanco(Caminho(QStringLiteral("nao-existe")));
    query.SetSQL(QStringLiteral("SELECT * FROM CLIENTES"));
    EXPECT_THROW(query.Abre(), EConversao);

    query.SetNomeBanco(Pasta());
    query.SetSQL(QStringLiteral("SELECT * FROM CLIENTES"));
    query.Abre();
    try {
        query.CampoPorNome(QStringLiteral("XYZ"));
        FAIL() << "no error for a missing field";
    } catch (const EConversao& erro) {
        EXPECT_TRUE(erro.Mensagem().contains(QStringLiteral("Campo 'XYZ' não encontrado na tabela CLIENTES")))
            << erro.what();
    }
}

// A name written in the code (QLatin1String) finds what the same name as a QString finds, in
// any case and with blanks, and a missing one raises the same error.
TEST_F(TabelaDbf, FieldNamesAsLatin1FindWhatQStringsFind) {
    GravaClientes();
    TQueryOrigem query;
    query.SetNomeBanco(Pasta());
    query.SetSQL(QStringLiteral("SELECT * FROM CLIENTES"));
    query.Abre();
    const auto le = [](auto&& campo) {
        try {
            return campo().ComoTexto();
        } catch (const EConversao& erro) {
            return erro.Mensagem();
        }
    };
    for (const char* nome : {"CODIGO", "NOME", "nome", " Preco ", "DATA", "OBS", "XYZ", ""}) {
        SCOPED_TRACE(nome);
        const QString comoQString = le([&] { return query.CampoPorNome(QString::fromLatin1(nome)); });
        EXPECT_EQ(le([&] { return query.CampoPorNome(QLatin1String(nome)); }).toStdString(), comoQString.toStdString());
    }
}

TEST_F(TabelaDbf, ChangingTheSqlClosesTheQuery) {
    GravaClientes();
    TQueryOrigem query;
    query.SetNomeBanco(Pasta());
    query.SetSQL(QStringLiteral("SELECT * FROM CLIENTES"));
    query.Abre();
    ASSERT_TRUE(query.Aberta());
    query.LimpaSQL();
    EXPECT_FALSE(query.Aberta());
    EXPECT_TRUE(query.Eof());
    EXPECT_EQ(query.QuantRegistros(), 0);
    EXPECT_THROW(query.CampoPorNome(QStringLiteral("CODIGO")), EConversao);
}

// ---- memo files, code pages, other layouts ----

TEST_F(TabelaDbf, MemoFilesOfEachLayout) {
    const QString longo = QString(QStringLiteral("Observação longa, ")).repeated(60); // spans several blocks
    struct Caso {
        const char* nome;
        FormatoMemoEscrita memo;
        int bloco;
        std::uint8_t versao;
        int larguraPonteiro;
    };
    const Caso casos[] = {
        {"dBASE III", FormatoMemoEscrita::DbtIII, 512, 0, 10},
        {"dBASE IV", FormatoMemoEscrita::DbtIV, 64, 0, 10},
        {"FoxPro", FormatoMemoEscrita::Fpt, 64, 0, 10},
        {"Visual FoxPro", FormatoMemoEscrita::Fpt, 32, 0x30, 4},
    };
    for (const Caso& caso : casos) {
        QTemporaryDir pasta;
        TEscritorDbf::Opcoes opcoes;
        opcoes.memo = caso.memo;
        opcoes.tamanhoBlocoMemo = caso.bloco;
        opcoes.versao = caso.versao;
        const QStringList textos = {QStringLiteral("Curta: ação"), QString(), longo,
                                    QStringLiteral("Quebra de MEMOEDIT no meio da palavra\x00ECseguinte")};
        GravaTabela(
            QDir(pasta.path()).filePath(QStringLiteral("MEMOS.DBF")),
            {{QStringLiteral("N"), 'N', 3, 0}, {QStringLiteral("OBS"), 'M', caso.larguraPonteiro, 0}},
            static_cast<int>(textos.size()),
            [&textos](TEscritorDbf& e, int i) {
                e.Numero(QStringLiteral("N"), i);
                // 0xEC in cp850 is the soft line break's first byte (0x8D); the line feed follows.
                QString texto = textos[i];
                texto.replace(QChar(0x00EC), QStringLiteral("\u00EC\n"));
                e.Memo(QStringLiteral("OBS"), texto);
                return true;
            },
            opcoes);
        TTabelaDbf tabela(pasta.path(), QStringLiteral("MEMOS"));
        const QStringList esperado = {QStringLiteral("Curta: ação"), QString(), longo,
                                      QStringLiteral("Quebra de MEMOEDIT no meio da palavra seguinte")};
        for (const QString& texto : esperado) {
            ASSERT_FALSE(tabela.Eof()) << caso.nome;
            EXPECT_EQ(tabela.Texto(1), texto) << caso.nome;
            EXPECT_EQ(tabela.Nulo(1), texto.isEmpty()) << caso.nome;
            tabela.Proximo();
        }
    }
}

// The code page comes from the override, the driver byte, a .cpg file beside the table or the text,
// in that order; the table says which, and warns when the text did not decide.
TEST_F(TabelaDbf, CodePageFromDriverByteCpgTextOrOverride) {
    const QString nome = QStringLiteral("Conceição São João Ávila");
    // Only letters that cp850 has too, at the same bytes (é â à Ç read as Ú Ô Ó Ã).
    const QString empate1252 = QStringLiteral("José André, à Sé, Câmara CALÇADOS");
    // Capitals of cp850 that are letters of cp1252 too (Ã read as Ç).
    const QString empate850 = QStringLiteral("JOÃO SÃO");
    const QString cirilico = QStringLiteral("Привет, Мир");
    const QString japones = QStringLiteral("東京都の店");
    const auto cp = [](int numero) { return static_cast<PaginaCodigo>(numero); };
    struct Caso {
        const char* oQue;
        std::uint8_t ldid;
        PaginaCodigo escrita;
        QString texto;
        PaginaCodigo lida;
        EscolhaPagina escolha;
        const char* cpg = nullptr; ///< the .cpg file beside the table, when there is one
        bool textoNoMemo = false;  ///< the C field is plain ASCII: only the memo tells the page
        std::optional<PaginaCodigo> forcada = std::nullopt;
        const char* aviso = nullptr; ///< a fragment of the one warning expected
    };
    const Caso casos[] = {
        {"PTB cp850", 0x25, PaginaCodigo::CP850, nome, PaginaCodigo::CP850, EscolhaPagina::Declarada},
        {"PTG cp860", 0x24, PaginaCodigo::CP860, nome, PaginaCodigo::CP860, EscolhaPagina::Declarada},
        {"Windows ANSI", 0x03, PaginaCodigo::CP1252, nome, PaginaCodigo::CP1252, EscolhaPagina::Declarada},
        {"DBWINWE0", 0x58, PaginaCodigo::CP1252, nome, PaginaCodigo::CP1252, EscolhaPagina::Declarada},
        {"Russian DOS", 0x65, cp(866), cirilico, cp(866), EscolhaPagina::Declarada},
        {"Japanese Windows", 0x7B, cp(932), japones, cp(932), EscolhaPagina::Declarada},
        {"no byte, cp850 text", 0x00, PaginaCodigo::CP850, nome, PaginaCodigo::CP850, EscolhaPagina::Detectada},
        {"no byte, cp1252 text", 0x00, PaginaCodigo::CP1252, nome, PaginaCodigo::CP1252, EscolhaPagina::Detectada},
        {"no byte, cp1252 letters cp850 has too", 0x00, PaginaCodigo::CP1252, empate1252, PaginaCodigo::CP1252,
         EscolhaPagina::Detectada},
        {"no byte, cp850 capitals cp1252 has too", 0x00, PaginaCodigo::CP850, empate850, PaginaCodigo::CP850,
         EscolhaPagina::Detectada},
        {"no byte, cp1252 only in memos", 0x00, PaginaCodigo::CP1252, nome, PaginaCodigo::CP1252,
         EscolhaPagina::Detectada, nullptr, true},
        {"no byte, UTF-8 text", 0x00, PaginaCodigo::UTF8, nome, PaginaCodigo::UTF8, EscolhaPagina::Detectada},
        {"no byte, text that does not tell", 0x00, PaginaCodigo::CP850, QStringLiteral("JOÃO"), PaginaCodigo::CP850,
         EscolhaPagina::Detectada, nullptr, false, std::nullopt, "--pagina-codigo CP1252"},
        {".cpg beside the table", 0x00, cp(1251), cirilico, cp(1251), EscolhaPagina::Cpg, "ANSI 1251\r\n"},
        {".cpg in UTF-8", 0x00, PaginaCodigo::UTF8, nome, PaginaCodigo::UTF8, EscolhaPagina::Cpg, "utf-8"},
        {".cpg naming a page we do not know", 0x00, PaginaCodigo::CP850, nome, PaginaCodigo::CP850,
         EscolhaPagina::Detectada, "EBCDIC 37", false, std::nullopt, "EBCDIC 37"},
        {"driver byte we do not know", 0x68, PaginaCodigo::CP850, nome, PaginaCodigo::CP850, EscolhaPagina::Detectada,
         nullptr, false, std::nullopt, "0x68"},
        {"the byte beats the .cpg", 0x03, PaginaCodigo::CP1252, nome, PaginaCodigo::CP1252, EscolhaPagina::Declarada,
         "850"},
        {"override beats the byte", 0x25, PaginaCodigo::CP1252, nome, PaginaCodigo::CP1252, EscolhaPagina::Forcada,
         nullptr, false, PaginaCodigo::CP1252},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.oQue);
        QTemporaryDir pasta;
        TEscritorDbf::Opcoes opcoes;
        opcoes.ldid = caso.ldid;
        opcoes.pagina = caso.escrita;
        GravaTabela(
            QDir(pasta.path()).filePath(QStringLiteral("PAGINA.DBF")),
            {{QStringLiteral("NOME"), 'C', 40, 0}, {QStringLiteral("OBS"), 'M', 10, 0}}, 3,
            [&](TEscritorDbf& e, int) {
                e.Texto(QStringLiteral("NOME"), caso.textoNoMemo ? QStringLiteral("SEM ACENTO") : caso.texto);
                e.Memo(QStringLiteral("OBS"), caso.texto);
                return true;
            },
            opcoes);
        if (caso.cpg) {
            GravaArquivo(QDir(pasta.path()).filePath(QStringLiteral("pagina.cpg")), QByteArray(caso.cpg));
        }
        TTabelaDbf tabela(pasta.path(), QStringLiteral("PAGINA"), caso.forcada);
        EXPECT_EQ(tabela.Pagina(), caso.lida);
        EXPECT_EQ(tabela.EscolhaDaPagina(), caso.escolha);
        EXPECT_EQ(tabela.Texto(1), caso.texto);
        if (!caso.textoNoMemo) {
            EXPECT_EQ(tabela.Texto(0), caso.texto);
        }
        if (caso.aviso) {
            ASSERT_EQ(tabela.Avisos().size(), 1) << tabela.Avisos().join(QLatin1Char('\n')).toStdString();
            EXPECT_TRUE(tabela.Avisos().first().contains(QLatin1String(caso.aviso)));
            EXPECT_TRUE(tabela.Avisos().first().contains(QStringLiteral("PAGINA")));
            EXPECT_TRUE(tabela.Avisos().first().contains(NomePaginaCodigo(caso.lida)));
        } else {
            EXPECT_EQ(tabela.Avisos(), QStringList());
        }
    }
    // The override really changes the reading of a cp850 table.
    QTemporaryDir pasta;
    GravaTabela(QDir(pasta.path()).filePath(QStringLiteral("PAGINA.DBF")), {{QStringLiteral("NOME"), 'C', 40, 0}}, 1,
                [&](TEscritorDbf& e, int) {
                    e.Texto(QStringLiteral("NOME"), nome);
                    return true;
                });
    TTabelaDbf tabela(pasta.path(), QStringLiteral("PAGINA"), PaginaCodigo::CP1252);
    EXPECT_NE(tabela.Texto(0), nome);
}

// Each code page's name, number and driver byte lead back to it, and its bytes decode with its own table.
TEST(PaginaCodigo, NomeNumeroByteDoCabecalhoETabelaDeCadaPagina) {
    struct Caso {
        PaginaCodigo pagina;
        const char* nome;
        std::uint8_t ldid;
        const char* escritoDeOutroJeito;
        QString bytes84e9B; ///< two bytes whose characters differ between the pages
    };
    const Caso casos[] = {
        {PaginaCodigo::CP437, "CP437", 0x01, " cp437", QStringLiteral("ä¢")},
        {PaginaCodigo::CP850, "CP850", 0x25, "OEM 850", QStringLiteral("äø")},
        {PaginaCodigo::CP860, "CP860", 0x24, "Cp860 ", QStringLiteral("ã¢")},
        {PaginaCodigo::CP1252, "CP1252", 0x03, "ANSI 1252", QString(QChar(0x201E)) + QChar(0x203A)},
        {static_cast<PaginaCodigo>(852), "CP852", 0x64, "IBM852", QStringLiteral("äŤ")},
        {static_cast<PaginaCodigo>(866), "CP866", 0x65, "866", QStringLiteral("ДЫ")},
        {static_cast<PaginaCodigo>(1251), "CP1251", 0xC9, "windows-1251", QString(QChar(0x201E)) + QChar(0x203A)},
    };
    for (const Caso& caso : casos) {
        EXPECT_EQ(NomePaginaCodigo(caso.pagina), QLatin1String(caso.nome));
        EXPECT_EQ(PaginaCodigoPorNome(QLatin1String(caso.nome)), caso.pagina) << caso.nome;
        EXPECT_EQ(PaginaCodigoPorNome(QLatin1String(caso.escritoDeOutroJeito)), caso.pagina) << caso.nome;
        EXPECT_EQ(LdidDaPaginaCodigo(caso.pagina), caso.ldid) << caso.nome;
        EXPECT_EQ(PaginaCodigoDoLdid(caso.ldid), caso.pagina) << caso.nome;
        EXPECT_EQ(DecodificaTexto(QByteArray("\x84\x9B"), caso.pagina), caso.bytes84e9B) << caso.nome;
        EXPECT_EQ(CodificaTexto(caso.bytes84e9B, caso.pagina), QByteArray("\x84\x9B")) << caso.nome;
    }
    EXPECT_EQ(PaginaCodigoPorNome(QStringLiteral("utf8")), PaginaCodigo::UTF8);
    for (const char* nome : {"", "CP", "CP999", "8500", "CP895", "latim"}) {
        EXPECT_EQ(PaginaCodigoPorNome(QLatin1String(nome)), std::nullopt) << nome;
    }
}

TEST_F(TabelaDbf, ClipperLongCharacterFieldsAndBinaryTypes) {
    // Clipper: a character field of 300 keeps its high byte where the decimals go.
    const QString longo = QStringLiteral("x").repeated(290) + QStringLiteral("fim");
    GravaTabela(Caminho(QStringLiteral("LONGO.DBF")),
                {{QStringLiteral("A"), 'C', 300, 0}, {QStringLiteral("B"), 'N', 4, 0}}, 1, [&](TEscritorDbf& e, int) {
                    e.Texto(QStringLiteral("A"), longo);
                    e.Numero(QStringLiteral("B"), 77);
                    return true;
                });
    {
        TTabelaDbf tabela(Pasta(), QStringLiteral("LONGO"));
        EXPECT_EQ(tabela.Campo(0).tamanho, 300);
        EXPECT_EQ(tabela.Texto(0), longo);
        EXPECT_EQ(tabela.Texto(1), "77");
    }

    // Visual FoxPro integer, double, currency and date-time; dBASE 7 integer and double.
    TEscritorDbf::Opcoes vfp;
    vfp.versao = 0x30;
    GravaTabela(
        Caminho(QStringLiteral("VFP.DBF")),
        {{QStringLiteral("I"), 'I', 4, 0},
         {QStringLiteral("B"), 'B', 8, 0},
         {QStringLiteral("Y"), 'Y', 8, 0},
         {QStringLiteral("T"), 'T', 8, 0}},
        1,
        [](TEscritorDbf& e, int) {
            e.Bruto(QStringLiteral("I"), QByteArray("\xF6\xFF\xFF\xFF", 4));                 // -10
            e.Bruto(QStringLiteral("B"), QByteArray("\x00\x00\x00\x00\x00\x00\x29\x40", 8)); // 12.5
            e.Bruto(QStringLiteral("Y"), QByteArray("\x50\xC3\x00\x00\x00\x00\x00\x00", 8)); // 5.0000
            // Julian day 2456722 = 5 March 2014, 43200000 ms = noon.
            e.Bruto(QStringLiteral("T"), QByteArray("\x92\x7C\x25\x00\x00\x2E\x93\x02", 8));
            return true;
        },
        vfp);
    TEscritorDbf::Opcoes dbase7;
    dbase7.versao = 0x04;
    GravaTabela(
        Caminho(QStringLiteral("DB7.DBF")), {{QStringLiteral("I"), 'I', 4, 0}, {QStringLiteral("O"), 'O', 8, 0}}, 1,
        [](TEscritorDbf& e, int) {
            e.Bruto(QStringLiteral("I"), QByteArray("\x7F\xFF\xFF\xFB", 4));                 // -5
            e.Bruto(QStringLiteral("O"), QByteArray("\xC0\x29\x00\x00\x00\x00\x00\x00", 8)); // 12.5
            return true;
        },
        dbase7);
    TTabelaDbf tabelaVfp(Pasta(), QStringLiteral("VFP"));
    EXPECT_EQ(Linha(tabelaVfp), (QStringList{"-10", "12,5", "5", "05/03/2014 12:00:00"}));
    EXPECT_DOUBLE_EQ(tabelaVfp.DataHora(3), DataParaTDateTime(QDate(2014, 3, 5)) + 0.5);
    TTabelaDbf tabela7(Pasta(), QStringLiteral("DB7"));
    EXPECT_EQ(Linha(tabela7), (QStringList{"-5", "12,5"}));
}

// Date-times before day 0 (30/12/1899) keep their day and time, as after it; a short Visual FoxPro
// varchar ends where its length byte says.
TEST_F(TabelaDbf, DateTimesBeforeDayZeroAndShortVarchar) {
    const QDateTime antigo(QDate(1800, 1, 1), QTime(1, 1, 1));
    const QDateTime recente(QDate(2014, 3, 5), QTime(12, 0, 0));
    const auto le32 = [](qint64 v) {
        QByteArray b(4, '\0');
        for (int i = 0; i < 4; ++i) {
            b[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        }
        return b;
    };
    // Visual FoxPro T: Julian day and milliseconds, little-endian.
    const auto vfp = [&](const QDateTime& d) {
        return le32(d.date().toJulianDay()) + le32(d.time().msecsSinceStartOfDay());
    };
    // dBASE 7 @: big-endian double of milliseconds, day 1 being 1 January 0001.
    const auto dbase7 = [](const QDateTime& d) {
        const double ms =
            static_cast<double>(QDate(1, 1, 1).daysTo(d.date()) + 1) * 86400000.0 + d.time().msecsSinceStartOfDay();
        std::uint64_t bits = 0;
        std::memcpy(&bits, &ms, sizeof bits);
        QByteArray b(8, '\0');
        for (int i = 0; i < 8; ++i) {
            b[i] = static_cast<char>((bits >> (8 * (7 - i))) & 0xFF);
        }
        return b;
    };
    TEscritorDbf::Opcoes opcoesVfp;
    opcoesVfp.versao = 0x30;
    GravaTabela(
        Caminho(QStringLiteral("VFP.DBF")),
        {{QStringLiteral("V"), 'V', 10, 0},
         {QStringLiteral("T"), 'T', 8, 0},
         {QStringLiteral("_NullFlags"), '0', 1, 0, 0x05}},
        2,
        [&](TEscritorDbf& e, int i) {
            // The varchar's bit (the first) set: its length is in its last byte.
            e.Bruto(QStringLiteral("V"), i == 0 ? QByteArray("qwe\0\0\0\0\0\0\x03", 10) : "abcdefghij");
            e.Bruto(QStringLiteral("_NullFlags"), QByteArray(1, i == 0 ? '\x01' : '\0'));
            e.Bruto(QStringLiteral("T"), vfp(i == 0 ? antigo : recente));
            return true;
        },
        opcoesVfp);
    TEscritorDbf::Opcoes opcoes7;
    opcoes7.versao = 0x04;
    GravaTabela(
        Caminho(QStringLiteral("DB7.DBF")), {{QStringLiteral("TS"), '@', 8, 0}}, 2,
        [&](TEscritorDbf& e, int i) {
            e.Bruto(QStringLiteral("TS"), dbase7(i == 0 ? antigo : recente));
            return true;
        },
        opcoes7);

    TTabelaDbf tabelaVfp(Pasta(), QStringLiteral("VFP"));
    TTabelaDbf tabela7(Pasta(), QStringLiteral("DB7"));
    const QStringList esperado[] = {{"qwe", "01/01/1800 01:01:01"}, {"abcdefghij", "05/03/2014 12:00:00"}};
    for (const QStringList& linha : esperado) {
        ASSERT_FALSE(tabelaVfp.Eof());
        EXPECT_EQ(Linha(tabelaVfp).mid(0, 2), linha);
        EXPECT_EQ(tabela7.Texto(0), linha[1]);
        const TDateTime valor = DataHoraParaTDateTime(linha[1] == esperado[0][1] ? antigo : recente);
        EXPECT_DOUBLE_EQ(tabelaVfp.DataHora(1), valor);
        EXPECT_DOUBLE_EQ(tabela7.DataHora(0), valor);
        tabelaVfp.Proximo();
        tabela7.Proximo();
    }
}

// A name longer than the 10 characters a header holds is found under its first 10, as other programs
// write it; our writer writes it so; a table holding both spellings is refused when it opens.
TEST_F(TabelaDbf, LongFieldNamesFoundByTheirFirstTenCharacters) {
    const auto grava = [this](const QString& arquivo, const QString& nome) {
        GravaTabela(Caminho(arquivo), {{QStringLiteral("CODIGO"), 'N', 4, 0}, {nome, 'N', 6, 2}}, 1,
                    [&nome](TEscritorDbf& e, int) {
                        e.Numero(QStringLiteral("CODIGO"), 1);
                        e.Numero(nome, 12.5);
                        return true;
                    });
    };
    grava(QStringLiteral("CURTO.DBF"), QStringLiteral("BASECALCUL"));
    grava(QStringLiteral("LONGO.DBF"), QStringLiteral("BASECALCULO"));
    // The second descriptor's name: ten characters and the NUL.
    EXPECT_EQ(LeArquivo(Caminho(QStringLiteral("LONGO.DBF"))).mid(64, 11), QByteArray("BASECALCUL\0", 11));
    for (const QString& tabela : {QStringLiteral("CURTO"), QStringLiteral("LONGO")}) {
        TQueryOrigem query;
        query.SetNomeBanco(Pasta());
        query.SetSQL(QStringLiteral("SELECT * FROM ") + tabela);
        query.Abre();
        EXPECT_EQ(query.CampoPorNome(QLatin1String("BASECALCULO")).ComoTexto(), "12,5") << tabela.toStdString();
        EXPECT_EQ(query.CampoPorNome(QStringLiteral("basecalculo")).ComoDouble(), 12.5) << tabela.toStdString();
        EXPECT_THROW(query.CampoPorNome(QStringLiteral("BASECALC")), EConversao) << "shorter names are not cut";
    }

    // Both spellings: the eleventh byte of the short name written over its NUL.
    GravaTabela(Caminho(QStringLiteral("AMBOS.DBF")),
                {{QStringLiteral("BASECALCUL"), 'N', 6, 2}, {QStringLiteral("OUTRO"), 'N', 6, 2}}, 0,
                [](TEscritorDbf&, int) { return true; });
    AlteraBytes(Caminho(QStringLiteral("AMBOS.DBF")), 64, QByteArray("BASECALCULO", 11));
    try {
        TTabelaDbf tabela(Pasta(), QStringLiteral("AMBOS"));
        ADD_FAILURE() << "a table with BASECALCUL and BASECALCULO opened";
    } catch (const EConversao& erro) {
        EXPECT_TRUE(erro.Mensagem().contains(QStringLiteral("BASECALCULO e BASECALCUL"))) << erro.what();
    }
    EXPECT_THROW(GravaTabela(Caminho(QStringLiteral("IGUAIS.DBF")),
                             {{QStringLiteral("BASECALCULO"), 'N', 6, 2}, {QStringLiteral("BASECALCULA"), 'N', 6, 2}},
                             0, [](TEscritorDbf&, int) { return true; }),
                 EConversao)
        << "the writer refuses names that would be equal in the header";
}

// A dBASE III memo whose end marks are gone ends where the next memo starts, or at the header's
// first free block: never with the text of the memos after it or what lies past the memo data.
TEST_F(TabelaDbf, MemoWithoutEndMarkStopsAtTheNextMemo) {
    const QStringList textos = {QString(QStringLiteral("Observação longa. ")).repeated(40), QStringLiteral("Segunda"),
                                QString(), QStringLiteral("Última")};
    GravaTabela(Caminho(QStringLiteral("MEMOS.DBF")), {{QStringLiteral("OBS"), 'M', 10, 0}},
                static_cast<int>(textos.size()), [&textos](TEscritorDbf& e, int i) {
                    e.Memo(QStringLiteral("OBS"), textos[i]);
                    return true;
                });
    const QString memo = Caminho(QStringLiteral("MEMOS.DBT"));
    QByteArray bytes = LeArquivo(memo);
    bytes.replace('\x1A', '\0');
    GravaArquivo(memo, bytes + QByteArray("dados soltos depois do fim").repeated(30));

    TTabelaDbf tabela(Pasta(), QStringLiteral("MEMOS"));
    for (const QString& texto : textos) {
        ASSERT_FALSE(tabela.Eof());
        EXPECT_EQ(tabela.Texto(0), texto);
        tabela.Proximo();
    }
}

// ---- damaged files ----

// A dBASE II table: the version byte 02h, a 16-byte field descriptor at offset 8, records after 521 bytes.
QByteArray TabelaDbaseII() {
    QByteArray t(521, '\0');
    t[0] = 0x02;
    t[1] = 1;  // one record
    t[6] = 21; // flag + NOME
    t.replace(8, 4, "NOME");
    t[19] = 'C';
    t[20] = 20;
    t[24] = 0x0D;
    return t + QByteArray(" JOAO DA SILVA       \x1A");
}

// Each kind of damage either is read as far as the file allows (with a warning when records are
// missing or an end mark stands early) or raises an error naming the table, and for a value the
// record and the field; never a crash or a read outside the file. Whatever the header or the files
// beside it show is raised when the table opens, before any record is read.
TEST_F(TabelaDbf, DamagedFilesReadOrFailClearly) {
    struct Caso {
        const char* dano = nullptr;
        std::function<void(const QString& dbf, const QString& memo)> estraga = nullptr;
        QStringList erroAoAbrir = {};                  ///< the error the table raises at open; empty when it opens
        QStringList aviso = {};                        ///< fragments of the one warning given at open
        qint64 vivos = 3;                              ///< live records read
        const char* ultimo = "10";                     ///< CODIGO of the last of them
        std::function<void(TTabelaDbf&)> le = nullptr; ///< a read that must raise erroAoLer
        QStringList erroAoLer = {};
    };
    // The header is 32 + 6 descriptors of 32 + the 0x0D; records of 1 + 6 + 30 + 10 + 8 + 1 + 10 bytes:
    // 7, 8 (deleted), 9 and 10.
    const auto registro = [](qint64 n) { return qsizetype(32 + 6 * 32 + 1 + (n - 1) * 66); };
    const auto declarados = [](quint8 n) {
        return [n](const QString& dbf, const QString&) {
            AlteraBytes(dbf, 4, QByteArray(1, char(n)) + QByteArray(3, '\0'));
        };
    };
    const auto corta = [](qsizetype menos) {
        return [menos](const QString& dbf, const QString&) { CortaArquivo(dbf, LeArquivo(dbf).size() - menos); };
    };
    const auto leObs = [](TTabelaDbf& t) { t.Texto(t.IndiceCampo(QStringLiteral("OBS"))); };
    const Caso casos[] = {
        {.dano = "header count too high",
         .estraga = declarados(100),
         .aviso = {"declara 100 registros", "só 4 registros"}},
        {.dano = "header count too low",
         .estraga = declarados(1),
         .aviso = {"declara 1 registros", "mais 3 registros", "lidos todos os 4"}},
        {.dano = "header count zero", .estraga = declarados(0), .aviso = {"declara 0 registros", "mais 4 registros"}},
        {.dano = "no end-of-file mark", .estraga = corta(1)},
        {.dano = "stray bytes after the records",
         .estraga = [](const QString& dbf, const QString&) { GravaArquivo(dbf, LeArquivo(dbf).chopped(1) + "12345"); }},
        {.dano = "cut inside the last record",
         .estraga = corta(20),
         .aviso = {"declara 4 registros", "só 3 registros", "registro 4, incompleto (47 de 66 bytes)"},
         .vivos = 2,
         .ultimo = "9"},
        {.dano = "cut at a record boundary",
         .estraga = corta(67),
         .aviso = {"declara 4 registros", "só 3 registros"},
         .vivos = 2,
         .ultimo = "9"},
        {.dano = "end mark at the start of a record",
         .estraga = [registro](const QString& dbf, const QString&) { AlteraBytes(dbf, registro(3), "\x1A"); },
         .aviso = {"registro 3", "1Ah"}},
        {.dano = "cut right after the header",
         .estraga = [registro](const QString& dbf, const QString&) { CortaArquivo(dbf, registro(1)); },
         .erroAoAbrir = {"declara 4 registros", "truncado"}},
        {.dano = "cut inside the header",
         .estraga = [](const QString& dbf, const QString&) { CortaArquivo(dbf, 100); },
         .erroAoAbrir = {"truncado"}},
        {.dano = "record length shorter than the fields",
         .estraga = [](const QString& dbf, const QString&) { AlteraBytes(dbf, 10, QByteArray("\x20\0", 2)); },
         .erroAoAbrir = {"somam"}},
        {.dano = "dBASE II",
         .estraga = [](const QString& dbf, const QString&) { GravaArquivo(dbf, TabelaDbaseII()); },
         .erroAoAbrir = {"tabela dBASE II não suportada"}},
        {.dano = "a folder named like the table",
         .estraga =
             [](const QString& dbf, const QString&) {
                 QFile::remove(dbf);
                 QDir().mkdir(dbf);
             },
         .erroAoAbrir = {"não é um arquivo comum", "pasta"}},
        {.dano = "memo file missing",
         .estraga = [](const QString&, const QString& memo) { QFile::remove(memo); },
         .erroAoAbrir = {"CLIENTES.DBT", "não foi encontrado", "OBS", "registro 1"}},
        {.dano = "memo file empty",
         .estraga = [](const QString&, const QString& memo) { GravaArquivo(memo, QByteArray()); },
         .erroAoAbrir = {"CLIENTES.DBT", "vazio", "OBS", "registro 1"}},
        {.dano = "memo file missing, no record pointing into it",
         .estraga =
             [registro](const QString& dbf, const QString& memo) {
                 AlteraBytes(dbf, registro(1) + 1 + 6 + 30 + 10 + 8 + 1, QByteArray(10, ' '));
                 QFile::remove(memo);
             }},
        {.dano = "memo pointer past the end",
         .estraga =
             [registro](const QString& dbf, const QString&) {
                 AlteraBytes(dbf, registro(1) + 1 + 6 + 30 + 10 + 8 + 1, QByteArray("    999999"));
             },
         .le = leObs,
         .erroAoLer = {"OBS", "registro 1", "999999"}},
        {.dano = "number that is not one",
         .estraga =
             [registro](const QString& dbf, const QString&) {
                 AlteraBytes(dbf, registro(3) + 1 + 6 + 30, QByteArray("   12x.50 "));
             },
         .le =
             [](TTabelaDbf& t) {
                 t.Proximo();
                 EXPECT_EQ(t.Texto(2), "12x.50") << "as text the value is kept as written";
                 t.Numero(2);
             },
         .erroAoLer = {"PRECO", "registro 3", "12x.50"}},
        {.dano = "date that is not one",
         .estraga =
             [registro](const QString& dbf, const QString&) {
                 AlteraBytes(dbf, registro(1) + 1 + 6 + 30 + 10, QByteArray("20141345"));
             },
         .le = [](TTabelaDbf& t) { t.DataHora(3); },
         .erroAoLer = {"DATA", "registro 1", "20141345"}},
    };
    const auto contemTodos = [](const QString& texto, const QStringList& trechos) {
        for (const QString& trecho : trechos + QStringList{QStringLiteral("CLIENTES")}) {
            EXPECT_TRUE(texto.contains(trecho)) << "\"" << trecho.toStdString() << "\" not in: " << texto.toStdString();
        }
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.dano);
        QTemporaryDir pasta;
        const QString dbf = QDir(pasta.path()).filePath(QStringLiteral("CLIENTES.DBF"));
        GravaClientes(dbf);
        caso.estraga(dbf, QDir(pasta.path()).filePath(QStringLiteral("CLIENTES.DBT")));
        std::unique_ptr<TTabelaDbf> tabela;
        try {
            tabela = std::make_unique<TTabelaDbf>(pasta.path(), QStringLiteral("CLIENTES"));
        } catch (const EConversao& erro) {
            EXPECT_FALSE(caso.erroAoAbrir.isEmpty()) << erro.what();
            contemTodos(erro.Mensagem(), caso.erroAoAbrir);
            continue;
        }
        EXPECT_TRUE(caso.erroAoAbrir.isEmpty()) << "no error at open";
        if (caso.aviso.isEmpty()) {
            EXPECT_EQ(tabela->Avisos(), QStringList());
        } else if (tabela->Avisos().size() == 1) {
            contemTodos(tabela->Avisos().first(), caso.aviso);
        } else {
            ADD_FAILURE() << "warnings: " << tabela->Avisos().join(QLatin1Char('\n')).toStdString();
        }
        if (caso.le) {
            try {
                caso.le(*tabela);
                ADD_FAILURE() << "no error at read";
            } catch (const EConversao& erro) {
                contemTodos(erro.Mensagem(), caso.erroAoLer);
            }
            continue;
        }
        qint64 vivos = 0;
        for (tabela->Primeiro(); !tabela->Eof(); tabela->Proximo()) {
            Linha(*tabela);
            ++vivos;
        }
        EXPECT_EQ(vivos, caso.vivos);
        EXPECT_EQ(tabela->QuantRegistros(), caso.vivos);
        tabela->Ultimo();
        EXPECT_EQ(tabela->Texto(0), QLatin1String(caso.ultimo));
    }
}

} // namespace
