// The faster path of the target layer (literal values travelling as bound parameters of a kept
// statement) against the plain one (every text prepared as written): the same statements run on
// two fresh databases must leave the same rows and raise the same errors.
#include "BancoTemporario.h"
#include "EBancoDestino.h"
#include "TConexaoDestino.h"
#include "SqlMontada.h"
#include "TQueryDestino.h"
#include "classConversao.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

/// A query on the given path: the faster one, or the plain one TAVRIN_SEM_ACELERACAO asks for.
std::unique_ptr<TQueryDestino> NovaQuery(TConexaoDestino& conexao, bool acelerada) {
    if (!acelerada) {
        qputenv("TAVRIN_SEM_ACELERACAO", "1");
    }
    auto q = std::make_unique<TQueryDestino>(conexao);
    qunsetenv("TAVRIN_SEM_ACELERACAO");
    return q;
}

// Every kind of column a literal may meet: texts with and without a collation or character
// set, exact and approximate numbers, dates, a text blob.
const char* const kTabela = "CREATE TABLE PROVA (ID INTEGER NOT NULL PRIMARY KEY, C CHAR(10), V VARCHAR(10), "
                            "CP CHAR(10) COLLATE WIN_PTBR, N CHAR(10) CHARACTER SET NONE, I INTEGER, S SMALLINT, "
                            "D DOUBLE PRECISION, F FLOAT, NM NUMERIC(9,2), NB NUMERIC(15,2), DT DATE, "
                            "B BLOB SUB_TYPE 1, CONTA INTEGER)";

// Sets CONTA while active, so a statement kept prepared across the trigger's switch shows
// whether it still fires.
const char* const kTrigger = "CREATE TRIGGER PROVA_BI FOR PROVA BEFORE INSERT AS BEGIN NEW.CONTA = 99; END";

/// One database, one connection and one query of either kind.
struct Lado {
    explicit Lado(bool acelerada) : conexao(banco.Conecta()), q(NovaQuery(*conexao, acelerada)) {}

    /// "ok" or the engine's message.
    QString Executa(const QString& sql) {
        try {
            q->SetSQL(sql);
            if (sql.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive)) {
                q->Abre();
                QStringList linhas;
                for (; !q->Eof(); q->Proximo()) {
                    QStringList campos;
                    for (const QString& nome : q->NomesCampos()) {
                        campos << (q->CampoNulo(nome) ? QStringLiteral("<NULL>") : q->CampoTexto(nome));
                    }
                    linhas << campos.join(u'|');
                }
                q->Fecha();
                return linhas.join(u'\n');
            }
            q->Executa();
            return QStringLiteral("ok");
        } catch (const EConversao& e) {
            return e.Mensagem();
        }
    }

    /// "ok" or the engine's message, for a statement put together by a writer.
    QString Executa(const TSqlMontada& sql) {
        try {
            q->SetSQL(sql);
            q->Executa();
            return QStringLiteral("ok");
        } catch (const EConversao& e) {
            return e.Mensagem();
        }
    }

    /// Every row of PROVA, doubles with all their digits, as the other connection sees them
    /// after a commit.
    QString Conteudo() {
        TQueryDestino l(*conexao);
        l.SetSQL(QStringLiteral("SELECT * FROM PROVA ORDER BY ID"));
        l.Abre();
        QStringList linhas;
        for (; !l.Eof(); l.Proximo()) {
            QStringList campos;
            for (const QString& nome : l.NomesCampos()) {
                if (l.CampoNulo(nome)) {
                    campos << QStringLiteral("<NULL>");
                } else if (nome == QLatin1String("D") || nome == QLatin1String("F") || nome == QLatin1String("NB")) {
                    campos << QString::number(l.CampoDouble(nome), 'g', 17);
                } else {
                    campos << l.CampoTexto(nome);
                }
            }
            linhas << campos.join(u'|');
        }
        l.Fecha();
        return linhas.join(u'\n');
    }

    TBancoTemporario banco;
    std::unique_ptr<TConexaoDestino> conexao;
    std::unique_ptr<TQueryDestino> q;
};

// Run in order on both sides; after each one the outcome and the table must agree.
const char* const kSequencia[] = {
    kTabela,
    "COMMIT",
    kTrigger,
    "COMMIT",
    // strings, doubled quotes, dialect-1 double quotes, NULL, negative and scaled numbers
    "INSERT INTO PROVA (ID, C, V, I, D, NM, NB, DT) VALUES (1, 'abc', \"x'y\", 42, 12.5, 0.285, 0.285, '05.03.2014')",
    "INSERT INTO PROVA (ID, C, V, I, D, NM, NB, DT) VALUES (2, 'it''s', \"a\"\"b\", -7, -0.1, 1.005, 2.675, "
    "'5.3.2014')",
    "INSERT INTO PROVA (ID, C, V, I, D, NM, NB, DT) VALUES (3, NULL, '', 12.5, 0.3, -0.285, -2.675, '2014-03-05')",
    "INSERT INTO PROVA (ID, C, V, I, D, NM, NB, DT) VALUES (4, '', 'abc   ', -12.5, 123456789012.34567, 12.345, "
    "12.345, '03/05/2014')",
    "INSERT INTO PROVA (ID, C, V, I, D, NM, NB, DT) VALUES (5, 'x', 'y', 2.5, 9007199254740993, 0.005, 0.005, NULL)",
    "INSERT INTO PROVA (ID, C, V, I, D, NM, NB, DT) VALUES (6, 'x', 'y', 0, 1.5E-5, 2147483.64, 1E3, '05.03.14')",
    "INSERT INTO PROVA (ID, I, D, F, S) VALUES (7, 2147483647, 0.1, 0.1, -32768)",
    "INSERT INTO PROVA (ID, I, D, F, S) VALUES (8, -2147483648, 3.3333333333333335, 16777217, 0)",
    "INSERT INTO PROVA (ID, C, I, D, S) VALUES (9, 12.50, '12', '0.1', '-5')",
    "INSERT INTO PROVA (ID, C, I, NM, S) VALUES (10, -0.5, '12.5', '0.285', 32767)",
    "INSERT INTO PROVA (ID, CP, N, B) VALUES (11, 'Água', 'Ção', 'um texto longo')",
    "INSERT INTO PROVA (ID, B) VALUES (12, NULL)",
    "INSERT INTO PROVA (ID, B) VALUES (13, '')",
    "INSERT INTO PROVA (ID, B) VALUES (14, 12.5)",
    // the errors must be the same too
    "INSERT INTO PROVA (ID, C) VALUES (20, 'abcdefghijk')",
    "INSERT INTO PROVA (ID, V) VALUES (21, 'abcdefghij ')",
    "INSERT INTO PROVA (ID, DT) VALUES (22, '')",
    "INSERT INTO PROVA (ID, DT) VALUES (23, '15/03/2015')",
    "INSERT INTO PROVA (ID, S) VALUES (24, 40000)",
    "INSERT INTO PROVA (ID, I) VALUES (25, 2147483648)",
    "INSERT INTO PROVA (ID, D) VALUES (26, '1,5')",
    "INSERT INTO PROVA (ID, NM) VALUES (27, 99999999.99)",
    "INSERT INTO PROVA (ID, C) VALUES (NULL, 'z')",
    "INSERT INTO PROVA (ID, C) VALUES (1, 'duplicada')",
    "INSERT INTO PROVA (ID, C) VALUES (28, 'a', 'b')",
    "COMMIT",
    // updates: values assigned, and rows chosen by compared literals
    "UPDATE PROVA SET V = 'novo', I = -3, DT = NULL WHERE ID = 1",
    "UPDATE PROVA SET D = 3.75 WHERE C = 'abc'",
    "UPDATE PROVA SET I = 100 WHERE C = 'abc      '",
    "UPDATE PROVA SET I = 101 WHERE C = 'abcdefghijklmno'",
    "UPDATE PROVA SET I = 102 WHERE I = 12.5",
    "UPDATE PROVA SET I = 103 WHERE I = 13.0",
    "UPDATE PROVA SET I = 104 WHERE NM = 0.29",
    "UPDATE PROVA SET I = 105 WHERE NM = 0.285",
    "UPDATE PROVA SET I = 106 WHERE CP = 'AGUA'",
    "UPDATE PROVA SET I = 107 WHERE V = 0",
    "UPDATE PROVA SET I = 108 WHERE D = 3.75",
    "UPDATE PROVA SET I = 109 WHERE D = 0.1 OR F = 0.1",
    "UPDATE PROVA SET I = 110 WHERE S = -32768 AND NOT ID = 8",
    "UPDATE PROVA SET I = 111 WHERE N = 'Ção'",
    "UPDATE PROVA SET I = 112 WHERE ID = 99999999999",
    "UPDATE PROVA SET I = 113 WHERE DT = '05.03.2014'",
    "UPDATE PROVA SET C = 'abcdefghijk' WHERE ID = 2",
    "UPDATE PROVA SET B = 'outro texto' WHERE ID = 11",
    "UPDATE PROVA SET B = 'mais um' WHERE ID = 12",
    // selects: the rows chosen and the values the select list shows
    "SELECT ID, 'lit' AS L, 7 AS N FROM PROVA WHERE C = 'x' ORDER BY ID",
    "SELECT ID FROM PROVA WHERE (I = 104 OR I = 105) ORDER BY ID",
    "SELECT COUNT(*) FROM PROVA WHERE NULL = 1",
    "SELECT ID FROM PROVA WHERE V = 'y' AND NM = 0.01",
    "DELETE FROM PROVA WHERE ID = 9",
    "DELETE FROM PROVA WHERE C = 'x' AND I = 0",
    "COMMIT",
    // the trigger switched off: a statement kept from before must not fire it any more
    "INSERT INTO PROVA (ID, C) VALUES (30, 'antes')",
    "ALTER TRIGGER PROVA_BI INACTIVE",
    "COMMIT",
    "INSERT INTO PROVA (ID, C) VALUES (31, 'depois')",
    "ROLLBACK",
    "INSERT INTO PROVA (ID, C) VALUES (32, 'depois')",
    "COMMIT",
};

TEST(Aceleracao, BothPathsLeaveTheSameRowsAndRaiseTheSameErrors) {
    Lado simples(false);
    Lado rapido(true);
    for (const char* sql : kSequencia) {
        const QString texto = QString::fromUtf8(sql);
        SCOPED_TRACE(texto.toStdString());
        const std::string esperado = simples.Executa(texto).toStdString();
        EXPECT_EQ(rapido.Executa(texto).toStdString(), esperado);
        if (!texto.startsWith(QLatin1String("CREATE"))) {
            EXPECT_EQ(rapido.Conteudo().toStdString(), simples.Conteudo().toStdString());
        }
    }
}

TEST(Aceleracao, TextsOfOneShapeShareOnePreparedStatement) {
    TBancoTemporario banco;
    auto conexao = banco.Conecta();
    TQueryDestino q(*conexao);
    for (int i = 1; i <= 50; ++i) {
        q.SetSQL(QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO, DIASESTMAXIMO) VALUES ('%1', 'G%2', %3)")
                     .arg(i, 3, 10, QLatin1Char('0'))
                     .arg(i)
                     .arg(i % 7 == 0 ? QStringLiteral("NULL") : QString::number(i * 1.5)));
        q.Executa();
        // A lookup in between, as the writers do, keeps its own statement.
        q.SetSQL(QStringLiteral("SELECT CODGRUPO FROM GRUPROD WHERE CODGRUPO = '%1'").arg(i, 3, 10, QLatin1Char('0')));
        q.Abre();
        ASSERT_FALSE(q.Eof());
        EXPECT_EQ(q.CampoTexto(QStringLiteral("CODGRUPO")), QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')));
        q.Fecha();
    }
    EXPECT_EQ(q.NumeroPreparacoes(), 2);
    conexao->Transacao().Confirma();
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM GRUPROD WHERE DIASESTMAXIMO IS NULL")),
              QStringLiteral("7"));
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT DIASESTMAXIMO FROM GRUPROD WHERE CODGRUPO = '003'")),
              QStringLiteral("5"));
}

TEST(Aceleracao, QueriesOfOneConnectionShareKeptStatementsWithoutDisturbingOpenResults) {
    TBancoTemporario banco;
    auto conexao = banco.Conecta();
    // A query made for each row, as the stock movement does, still prepares its shape once.
    qint64 preparacoes = 0;
    for (int i = 1; i <= 20; ++i) {
        TQueryDestino q(*conexao);
        q.SetSQL(QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('%1', 'G%1')")
                     .arg(i, 3, 10, QLatin1Char('0')));
        q.Executa();
        preparacoes += q.NumeroPreparacoes();
    }
    EXPECT_EQ(preparacoes, 1);

    // Two queries open the same shape at once: each keeps its own rows.
    TQueryDestino a(*conexao);
    TQueryDestino b(*conexao);
    a.SetSQL(QStringLiteral("SELECT CODGRUPO, DESCRICAO FROM GRUPROD WHERE CODGRUPO = '001'"));
    a.Abre();
    b.SetSQL(QStringLiteral("SELECT CODGRUPO, DESCRICAO FROM GRUPROD WHERE CODGRUPO = '002'"));
    b.Abre();
    ASSERT_FALSE(a.Eof());
    ASSERT_FALSE(b.Eof());
    EXPECT_EQ(a.CampoTexto(QStringLiteral("DESCRICAO")).toStdString(), "G001");
    EXPECT_EQ(b.CampoTexto(QStringLiteral("DESCRICAO")).toStdString(), "G002");
    a.Proximo();
    EXPECT_TRUE(a.Eof());
    EXPECT_EQ(b.CampoTexto(QStringLiteral("DESCRICAO")).toStdString(), "G002");
    // Once closed, the kept statement serves the other query again.
    a.Fecha();
    b.Fecha();
    a.SetSQL(QStringLiteral("SELECT CODGRUPO, DESCRICAO FROM GRUPROD WHERE CODGRUPO = '003'"));
    a.Abre();
    EXPECT_EQ(a.CampoTexto(QStringLiteral("DESCRICAO")).toStdString(), "G003");
}

TEST(Aceleracao, ValuesWithoutAParameterTypeRunAsWrittenAndErrorsAreTheTexts) {
    TBancoTemporario banco;
    auto conexao = banco.Conecta();
    TQueryDestino q(*conexao);
    // "NULL = ?" gives the parameter no type to convert to: the literal text is the one that runs.
    for (int i = 1; i <= 3; ++i) {
        q.SetSQL(QStringLiteral("SELECT COUNT(*) AS N FROM RDB$DATABASE WHERE NULL = %1 OR 1 = 1").arg(i));
        q.Abre();
        EXPECT_EQ(q.CampoTexto(QStringLiteral("N")).toStdString(), "1");
        q.Fecha();
    }
    // When the text itself is wrong, the error is the literal text's own.
    q.SetSQL(QStringLiteral("SELECT X FROM NAO_EXISTE WHERE Y = 1"));
    try {
        q.Abre();
        FAIL() << "a missing table must raise";
    } catch (const EBancoDestino& e) {
        EXPECT_TRUE(e.Mensagem().contains(QLatin1String("NAO_EXISTE"))) << e.Mensagem().toStdString();
        EXPECT_FALSE(e.Mensagem().contains(QLatin1String("?"))) << e.Mensagem().toStdString();
    }
}

// A statement put together from pieces and values: an insert of ID, C (CHAR(10)), D (DOUBLE),
// NM (NUMERIC(9,2)), DT (DATE), B (text blob) with the given values, V by a constant literal,
// and optional SQL after it.
struct Montagem {
    int id;
    const char* c;
    const char* d;
    const char* nm;
    const char* dt;
    QString b = QStringLiteral("b");
    const char* depois = "";
};

TSqlMontada Monta(const Montagem& m) {
    const QLatin1StringView virgula(", ");
    TSqlMontada sql;
    sql.Sql(QLatin1StringView("INSERT INTO PROVA (ID, C, D, NM, DT, B, V) VALUES ("));
    sql.Numero(QString::number(m.id)).Sql(virgula).Texto(QString::fromUtf8(m.c)).Sql(virgula);
    sql.Numero(QLatin1String(m.d)).Sql(virgula).Numero(QLatin1String(m.nm)).Sql(virgula);
    sql.Texto(QLatin1String(m.dt)).Sql(virgula).Texto(m.b).Sql(virgula).Sql(QLatin1StringView("\"N\")"));
    sql.Sql(QLatin1StringView(m.depois));
    return sql;
}

TEST(Aceleracao, StatementsPutTogetherActAsTheirTextAsWritten) {
    const QString longo(40000, u'x');
    const Montagem montagens[] = {
        {1, "abc", "12.5", "0.285", "05.03.2014"},
        {2, "it's \"x\"", "-0.1", "-2.675", "5.3.2014"},
        {3, "", "0", "0", "2014-03-05"},
        {4, ":NOME ?", "9007199254740993", ".5", "03/05/2014"},
        {5, "Água ção", "123456789012.34567", "12.345", "05.03.14"},
        {6, "😀 中 €", "1E3", "1", "05.03.2014"},            // an exponent stays in the text
        {7, "x", "99999999999999999999", "1", "05.03.2014"}, // beyond 64 bits too
        {8, "x", "1", "1", "05.03.2014", longo},             // longer than a parameter
        {9, "x", "1", "1", "05.03.2014", QStringLiteral("b"), " /* :X ? */"}, // pieces no shape can hold
        // refused, with the engine's own messages
        {20, "abcdefghijk", "1", "1", "05.03.2014"},
        {21, "x", "1", "99999999.99", "05.03.2014"},
        {22, "x", "1", "1", ""},
        {23, "x", "1", "1", "15/03/2015"},
        {1, "duplicada", "1", "1", "05.03.2014"},
        {24, "x", "1", "1", "05.03.2014", QStringLiteral("b"), " garbage"},
        {25, "x", "2.5", "0.01", "31.12.2015"},
    };
    Lado simples(false);
    Lado rapido(true);
    for (const char* sql : {kTabela, "COMMIT"}) {
        simples.Executa(QLatin1String(sql));
        rapido.Executa(QLatin1String(sql));
    }
    for (const Montagem& m : montagens) {
        const TSqlMontada sql = Monta(m);
        SCOPED_TRACE(sql.ComoTexto().left(200).toStdString());
        EXPECT_EQ(rapido.Executa(sql).toStdString(), simples.Executa(sql.ComoTexto()).toStdString());
        EXPECT_EQ(rapido.Conteudo().toStdString(), simples.Conteudo().toStdString());
        EXPECT_EQ(rapido.q->SQL().toStdString(), sql.ComoTexto().toStdString());
    }
    // Run again as it stands, as a writer repeats the statement it holds.
    EXPECT_EQ(rapido.Executa(QStringLiteral("DELETE FROM PROVA WHERE ID = 25")).toStdString(), "ok");
    rapido.q->SetSQL(Monta(montagens[std::size(montagens) - 1]));
    rapido.q->Executa();
    EXPECT_THROW(rapido.q->Executa(), EBancoDestino);
    EXPECT_EQ(rapido.Executa(QStringLiteral("SELECT COUNT(*) FROM PROVA WHERE ID = 25")).toStdString(), "1");
}

TEST(Aceleracao, StatementsPutTogetherShareOnePreparedStatementPerShape) {
    TBancoTemporario banco;
    auto conexao = banco.Conecta();
    TQueryDestino q(*conexao);
    for (int i = 1; i <= 50; ++i) {
        TSqlMontada sql;
        sql.Sql(QLatin1StringView("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO, DIASESTMAXIMO) VALUES ("));
        sql.Texto(QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'))).Sql(QLatin1StringView(", "));
        sql.Texto(QStringLiteral("G'%1").arg(i)).Sql(QLatin1StringView(", ")).Numero(QString::number(i * 1.5));
        sql.Sql(QLatin1StringView(")"));
        q.SetSQL(sql);
        q.Executa();
    }
    EXPECT_EQ(q.NumeroPreparacoes(), 1);
    conexao->Transacao().Confirma();
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT DESCRICAO || '/' || DIASESTMAXIMO FROM GRUPROD WHERE CODGRUPO = '003'")),
              QStringLiteral("G'3/5"));
}

// The lookups remember what they answered; the answers and the rows they write must be those of
// lookups that always ask the database.
TEST(Aceleracao, RememberedLookupsAnswerAndWriteAsTheDatabaseWould) {
    using Chamada = std::function<QString(TConversao&)>;
    const auto cidade = [](const char* nome, const char* uf) {
        return Chamada([=](TConversao& c) { return c.FCidade(QString::fromUtf8(nome), QLatin1String(uf), QString()); });
    };
    const auto segmento = [](const char* nome) {
        return Chamada([=](TConversao& c) { return c.FSegmento(QLatin1String(nome)); });
    };
    const auto unidade = [](const char* nome) {
        return Chamada([=](TConversao& c) { return c.FUnidade(QLatin1String(nome)); });
    };
    // Same name in other states, other cases and with blanks; the abbreviation of Belo Horizonte
    // before and after the city itself exists; each asked again later.
    const std::vector<Chamada> chamadas = {
        cidade("SAO PAULO", "SP"),
        cidade("SAO PAULO", "RJ"),
        cidade("sao paulo", "SP"),
        cidade("BHTE", "MG"),
        cidade("BELO HORIZONTE", "MG"),
        cidade("BHTE", "SP"),
        cidade("bhte", "MG"),
        cidade("SAO PAULO ", "SP"),
        cidade("SÃO PAULO", "SP"),
        segmento("Varejo"),
        segmento("VAREJO"),
        segmento("varejo "),
        segmento(""),
        unidade("un"),
        unidade("UN"),
        unidade("UNIDADE1234"),
        unidade("UNIDAD"),
        unidade(""),
        cidade("SAO PAULO", "RJ"),
        cidade("BHTE", "MG"),
        cidade("BHTE", "SP"),
        cidade("sao paulo", "SP"),
        segmento("varejo "),
        unidade("un"),
    };
    struct Execucao {
        TBancoTemporario banco;
        std::unique_ptr<TConexaoDestino> conexao = banco.Conecta();
        QStringList respostas;
        QString Tabelas() {
            conexao->Transacao().Confirma();
            QString r;
            for (const char* sql :
                 {"SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY 1",
                  "SELECT CODSEGMENTO, DESCRICAO FROM CADSEGM ORDER BY 1", "SELECT UNIDADE FROM UNIDADES ORDER BY 1"}) {
                for (const auto& linha : banco.Linhas(QLatin1String(sql))) {
                    r += QStringList(linha.values()).join(u'|') + u'\n';
                }
            }
            return r;
        }
    };
    Execucao sempre;
    Execucao lembrando;
    {
        qputenv("TAVRIN_SEM_ACELERACAO", "1");
        TConversao c(*sempre.conexao);
        qunsetenv("TAVRIN_SEM_ACELERACAO");
        TConversao l(*lembrando.conexao);
        for (const Chamada& chamada : chamadas) {
            sempre.respostas << chamada(c);
            lembrando.respostas << chamada(l);
        }
    }
    EXPECT_EQ(lembrando.respostas.join(u',').toStdString(), sempre.respostas.join(u',').toStdString());
    EXPECT_EQ(lembrando.Tabelas().toStdString(), sempre.Tabelas().toStdString());
}

} // namespace
