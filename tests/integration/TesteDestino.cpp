// The target connection layer on real embedded databases, each test on a fresh file.
#include "BancoTemporario.h"
#include "EBancoDestino.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

// When started with TAVRIN_SEGURA_BANCO set, this program only holds that database open until
// its stdin closes: the other process the "database in use" test needs.
const bool kSeguraBanco = [] {
    const QByteArray caminho = qgetenv("TAVRIN_SEGURA_BANCO");
    if (caminho.isEmpty()) {
        return false;
    }
    {
        TConexaoDestino conexao;
        conexao.SetNomeBanco(QString::fromLocal8Bit(caminho));
        conexao.Abre();
        std::cout << "pronto" << std::endl;
        std::string linha;
        std::getline(std::cin, linha);
    }
    std::exit(0);
}();

class Destino : public ::testing::Test {
protected:
    TBancoTemporario banco;
    std::unique_ptr<TConexaoDestino> conexao = banco.Conecta();

    void Executa(const QString& sql) {
        TQueryDestino q(*conexao);
        q.SetSQL(sql);
        q.Executa();
    }
    int Conta(const QString& tabela) { return banco.Valor(QStringLiteral("SELECT COUNT(*) FROM ") + tabela).toInt(); }
};

TEST_F(Destino, ConnectsInDialectOneAndDoubleQuotesAreStrings) {
    EXPECT_EQ(conexao->Dialeto(), 1);
    EXPECT_TRUE(conexao->TestaConexao());
    TQueryDestino q(*conexao);
    q.SetSQL(QStringLiteral(R"(SELECT "N" AS A, 7/2 AS B FROM RDB$DATABASE)"));
    q.Abre();
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.CampoTexto(QStringLiteral("a")), QStringLiteral("N"));
    EXPECT_EQ(q.CampoTexto(QStringLiteral("B")), QStringLiteral("3.5"));
    q.Proximo();
    EXPECT_TRUE(q.Eof());
}

TEST_F(Destino, NamedParametersRepeatAndIgnoreLiteralsAndComments) {
    TQueryDestino q(*conexao);
    q.SetSQL(QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO, DIASESTMAXIMO, DIASESTMINIMO) "
                            "VALUES (:cod, 'a:b?' || :Desc || \":x\", :DIAS /* :nao */, :dias) -- :tambem_nao"));
    q.ParamTexto(QStringLiteral("COD"), QStringLiteral("001"));
    q.ParamTexto(QStringLiteral("desc"), QStringLiteral("Z"));
    q.ParamInteiro(QStringLiteral("Dias"), 9);
    q.Executa();
    conexao->Transacao().Confirma();

    const auto linhas = banco.Linhas(QStringLiteral("SELECT * FROM GRUPROD"));
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0].value(QStringLiteral("DESCRICAO")), QStringLiteral("a:b?Z:x"));
    EXPECT_EQ(linhas[0].value(QStringLiteral("DIASESTMAXIMO")), QStringLiteral("9"));
    EXPECT_EQ(linhas[0].value(QStringLiteral("DIASESTMINIMO")), QStringLiteral("9"));

    EXPECT_THROW(q.ParamTexto(QStringLiteral("NAO"), QStringLiteral("x")), EConversao);
    EXPECT_THROW(q.ParamTexto(QStringLiteral("TAMBEM_NAO"), QStringLiteral("x")), EConversao);
}

TEST_F(Destino, CommitTextsEndTheTransactionAndTheNextStatementStartsOne) {
    const QStringList textos = {QStringLiteral("COMMIT"), QStringLiteral("Commit;"), QStringLiteral("commit work;"),
                                QStringLiteral("  COMMIT  WORK ;; ")};
    int n = 0;
    for (const QString& texto : textos) {
        SCOPED_TRACE(texto.toStdString());
        ++n;
        Executa(QStringLiteral("INSERT INTO UNIDADES (UNIDADE) VALUES ('U%1')").arg(n));
        EXPECT_TRUE(conexao->Transacao().Ativa());
        EXPECT_EQ(Conta(QStringLiteral("UNIDADES")), n - 1); // another connection does not see it yet
        Executa(texto);
        EXPECT_FALSE(conexao->Transacao().Ativa());
        EXPECT_EQ(Conta(QStringLiteral("UNIDADES")), n);
    }
}

TEST_F(Destino, RollbackUndoesAndItsTextsToo) {
    Executa(QStringLiteral("INSERT INTO UNIDADES (UNIDADE) VALUES ('KG')"));
    Executa(QStringLiteral("Commit;"));
    for (const QString& texto : {QStringLiteral("ROLLBACK"), QStringLiteral("rollback work;"), QString()}) {
        SCOPED_TRACE(texto.toStdString());
        Executa(QStringLiteral("DELETE FROM UNIDADES"));
        Executa(QStringLiteral("INSERT INTO UNIDADES (UNIDADE) VALUES ('CX')"));
        if (texto.isEmpty()) {
            conexao->Transacao().Cancela();
        } else {
            Executa(texto);
        }
        EXPECT_FALSE(conexao->Transacao().Ativa());
        EXPECT_EQ(banco.Valor(QStringLiteral("SELECT LIST(UNIDADE) FROM UNIDADES")), QStringLiteral("KG"));
    }
}

TEST_F(Destino, CommitClosesOpenResultSets) {
    Executa(QStringLiteral("INSERT INTO UNIDADES (UNIDADE) VALUES ('KG')"));
    TQueryDestino leitura(*conexao);
    leitura.SetSQL(QStringLiteral("SELECT UNIDADE FROM UNIDADES"));
    leitura.Abre();
    ASSERT_TRUE(leitura.Aberta());
    Executa(QStringLiteral("COMMIT"));
    EXPECT_FALSE(leitura.Aberta());
    EXPECT_TRUE(leitura.Eof());
    leitura.Abre(); // runs again in a new transaction
    EXPECT_EQ(leitura.CampoTexto(QStringLiteral("UNIDADE")), QStringLiteral("KG"));
}

TEST_F(Destino, NullsReadAsEmptyAndZero) {
    Executa(QStringLiteral("INSERT INTO VENDEND (CODVENDEDOR) VALUES ('0001')"));
    TQueryDestino q(*conexao);
    q.SetSQL(QStringLiteral("SELECT NOME, COMISSAO, PRECOVENDEDOR, VERSION FROM VENDEND"));
    q.Abre();
    for (const char* campo : {"NOME", "COMISSAO", "PRECOVENDEDOR", "VERSION"}) {
        SCOPED_TRACE(campo);
        const QString nome = QString::fromLatin1(campo);
        EXPECT_TRUE(q.CampoNulo(nome));
        EXPECT_EQ(q.CampoTexto(nome), QString());
        EXPECT_EQ(q.CampoInteiro(nome), 0);
        EXPECT_EQ(q.CampoDouble(nome), 0.0);
    }
    EXPECT_THROW(q.CampoTexto(QStringLiteral("NAO_EXISTE")), EConversao);
}

TEST_F(Destino, ParameterValuesOfEveryKindReachTheirColumns) {
    TQueryDestino q(*conexao);
    q.SetSQL(QStringLiteral("INSERT INTO VENDEND (CODVENDEDOR, NOME, COMISSAO, PRECOVENDEDOR, DATAULTIMAVISITA, "
                            "ULTIMAVISITAMARCADA, VERSION, EMAIL) VALUES (:COD, :NOME, :COMISSAO, :PRECO, :DATA, "
                            ":DATAHORA, :TEXTODATA, :EMAIL)"));
    q.ParamTexto(QStringLiteral("COD"), QStringLiteral("0001"));
    q.ParamTexto(QStringLiteral("NOME"), QString());
    q.ParamDouble(QStringLiteral("COMISSAO"), 2.5);
    q.ParamDouble(QStringLiteral("PRECO"), 2.6); // a double for an INTEGER column: the engine rounds
    q.ParamData(QStringLiteral("DATA"), QDate(2014, 3, 5));
    q.ParamDataHora(QStringLiteral("DATAHORA"), 41703.75); // 05.03.2014 18:00
    q.ParamTexto(QStringLiteral("TEXTODATA"), QStringLiteral("15.03.2015")); // a text for a DATE column
    q.ParamNulo(QStringLiteral("EMAIL"));
    q.Executa();
    conexao->Transacao().Confirma();

    const auto l = banco.Linhas(QStringLiteral("SELECT * FROM VENDEND")).at(0);
    EXPECT_EQ(l.value(QStringLiteral("NOME")), QString()); // an empty text, not NULL
    EXPECT_EQ(l.value(QStringLiteral("COMISSAO")), QStringLiteral("2.5"));
    EXPECT_EQ(l.value(QStringLiteral("PRECOVENDEDOR")), QStringLiteral("3"));
    EXPECT_EQ(l.value(QStringLiteral("DATAULTIMAVISITA")), QStringLiteral("05.03.2014"));
    EXPECT_EQ(l.value(QStringLiteral("ULTIMAVISITAMARCADA")), QStringLiteral("05.03.2014 18:00:00"));
    EXPECT_EQ(l.value(QStringLiteral("VERSION")), QStringLiteral("15.03.2015"));
    EXPECT_EQ(l.value(QStringLiteral("EMAIL")), QStringLiteral("<NULL>"));

    TQueryDestino r(*conexao);
    r.SetSQL(QStringLiteral("SELECT DATAULTIMAVISITA AS D, ULTIMAVISITAMARCADA AS DH FROM VENDEND"));
    r.Abre();
    EXPECT_DOUBLE_EQ(r.CampoDataHora(QStringLiteral("d")), 41703.0);
    EXPECT_DOUBLE_EQ(r.CampoDataHora(QStringLiteral("dh")), 41703.75);
    EXPECT_EQ(r.NomesCampos(), (QStringList{QStringLiteral("D"), QStringLiteral("DH")}));
}

TEST_F(Destino, ParametersKeepTheirValuesUntilTheTextChanges) {
    TQueryDestino q(*conexao);
    const QString insere = QStringLiteral("INSERT INTO CADSEGM (CODSEGMENTO, DESCRICAO) VALUES (:C, :D)");
    q.SetSQL(insere);
    q.ParamTexto(QStringLiteral("D"), QStringLiteral("MESMA"));
    for (const char* codigo : {"001", "002", "003"}) {
        q.ParamTexto(QStringLiteral("C"), QString::fromLatin1(codigo));
        q.SetSQL(insere);
        q.Executa();
    }
    EXPECT_EQ(q.NumeroPreparacoes(), 1);
    q.SetSQL(QStringLiteral("SELECT COUNT(*) AS N FROM CADSEGM WHERE DESCRICAO = :D"));
    q.ParamTexto(QStringLiteral("D"), QStringLiteral("MESMA"));
    q.Abre();
    EXPECT_EQ(q.CampoInteiro(QStringLiteral("N")), 3);
    EXPECT_EQ(q.NumeroPreparacoes(), 2);
    q.SetSQL(insere); // new text: the values are gone
    q.ParamTexto(QStringLiteral("C"), QStringLiteral("004"));
    q.Executa();
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM CADSEGM WHERE DESCRICAO IS NULL")), QStringLiteral("0"));
    conexao->Transacao().Confirma();
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM CADSEGM WHERE DESCRICAO IS NULL")), QStringLiteral("1"));
}

// The connection keeps statements prepared by their text for every query: one whose result is
// still being read is never run for another, and none outlives a change of the table it names.
TEST_F(Destino, KeptStatementsServeOneResultAtATimeAndFollowDdl) {
    for (const char* unidade : {"A", "B", "C"}) {
        Executa(QStringLiteral("INSERT INTO UNIDADES (UNIDADE) VALUES ('%1')").arg(QLatin1String(unidade)));
    }
    const QString selecao = QStringLiteral("SELECT UNIDADE FROM UNIDADES WHERE UNIDADE >= :U ORDER BY UNIDADE");
    TQueryDestino a(*conexao);
    TQueryDestino b(*conexao);
    a.SetSQL(selecao);
    a.ParamTexto(QStringLiteral("U"), QStringLiteral("A"));
    a.Abre();
    b.SetSQL(selecao);
    b.ParamTexto(QStringLiteral("U"), QStringLiteral("B"));
    b.Abre();
    QStringList lidas;
    for (; !a.Eof() || !b.Eof(); a.Proximo(), b.Proximo()) {
        lidas << (a.Eof() ? QStringLiteral("-") : a.CampoTexto(QStringLiteral("UNIDADE"))) +
                     (b.Eof() ? QStringLiteral("-") : b.CampoTexto(QStringLiteral("UNIDADE")));
    }
    EXPECT_EQ(lidas, (QStringList{QStringLiteral("AB"), QStringLiteral("BC"), QStringLiteral("C-")}));
    a.Fecha();
    b.Fecha();

    Executa(QStringLiteral("CREATE TABLE MUDA (A INTEGER)"));
    Executa(QStringLiteral("COMMIT"));
    const QString insere = QStringLiteral("INSERT INTO MUDA (A) VALUES (:A)");
    a.SetSQL(insere);
    a.ParamTexto(QStringLiteral("A"), QStringLiteral("7"));
    a.Executa();
    Executa(QStringLiteral("COMMIT"));
    Executa(QStringLiteral("ALTER TABLE MUDA ALTER A TYPE VARCHAR(11)"));
    Executa(QStringLiteral("COMMIT"));
    for (TQueryDestino* q : {&a, &b}) {
        q->SetSQL(insere);
        q->ParamTexto(QStringLiteral("A"), QStringLiteral("x"));
        q->Executa(); // prepared against an INTEGER column, 'x' would be refused
    }
    Executa(QStringLiteral("COMMIT"));
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT LIST(A, '') FROM (SELECT A FROM MUDA ORDER BY A)")),
              QStringLiteral("7xx"));
}

TEST_F(Destino, TextRoundTripsThroughCp1252) {
    struct Caso {
        QString enviado;
        QString lido;
    };
    const Caso casos[] = {
        {QStringLiteral("Ñandú Açaí"), QStringLiteral("Ñandú Açaí")},
        {QStringLiteral("€ “aspas” ‘simples’ – — …"), QStringLiteral("€ “aspas” ‘simples’ – — …")},
        {QStringLiteral("sorriso 😀 fim"), QStringLiteral("sorriso ? fim")},
        {QStringLiteral("日本"), QStringLiteral("??")},
        {QString(QChar(0x81)) + QStringLiteral("x"), QStringLiteral("?x")},
    };
    int n = 0;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.enviado.toStdString());
        const QString codigo = QStringLiteral("%1").arg(++n, 3, 10, QLatin1Char('0'));
        TQueryDestino q(*conexao);
        q.SetSQL(QStringLiteral("INSERT INTO CADSEGM (CODSEGMENTO, DESCRICAO) VALUES (:C, :D)"));
        q.ParamTexto(QStringLiteral("C"), codigo);
        q.ParamTexto(QStringLiteral("D"), c.enviado);
        q.Executa();
        Executa(QStringLiteral("INSERT INTO CIDADES (CODCIDADE, CIDADE) VALUES ('%1', '%2')").arg(codigo, c.enviado));
        conexao->Transacao().Confirma();
        EXPECT_EQ(banco.Valor(QStringLiteral("SELECT DESCRICAO FROM CADSEGM WHERE CODSEGMENTO = '%1'").arg(codigo)),
                  c.lido);
        EXPECT_EQ(banco.Valor(QStringLiteral("SELECT CIDADE FROM CIDADES WHERE CODCIDADE = '%1'").arg(codigo)), c.lido);
    }
    // The engine sees real WIN1252 text: UPPER folds the accented letters.
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT UPPER(DESCRICAO) FROM CADSEGM WHERE CODSEGMENTO = '001'")),
              QStringLiteral("ÑANDÚ AÇAÍ"));
}

TEST_F(Destino, NumbersAndDatesReadAsText) {
    TQueryDestino q(*conexao);
    q.SetSQL(QStringLiteral("SELECT CAST(2.5 AS DOUBLE PRECISION) AS D1, CAST(0 AS DOUBLE PRECISION) AS D2, "
                            "CAST(1234567.891 AS DOUBLE PRECISION) AS D3, CAST(0.00005 AS DOUBLE PRECISION) AS D4, "
                            "CAST(-12.50 AS NUMERIC(9,2)) AS N1, CAST(3 AS NUMERIC(9,2)) AS N2, "
                            "CAST(42 AS INTEGER) AS I, CAST('05.03.2014' AS DATE) AS DT, "
                            "CAST('05.03.2014 13:45:07' AS DATE) AS DTH, CAST('abc  ' AS CHAR(5)) AS C "
                            "FROM RDB$DATABASE"));
    q.Abre();
    const std::pair<const char*, const char*> esperados[] = {
        {"D1", "2.5"},  {"D2", "0"},          {"D3", "1234567.891"},         {"D4", "5E-5"}, {"N1", "-12.5"},
        {"N2", "3"},    {"I", "42"},          {"DT", "05.03.2014"},          {"DTH", "05.03.2014 13:45:07"},
        {"C", "abc"},
    };
    for (const auto& [campo, texto] : esperados) {
        EXPECT_EQ(q.CampoTexto(QString::fromLatin1(campo)), QString::fromUtf8(texto)) << campo;
    }
    EXPECT_EQ(q.CampoInteiro(QStringLiteral("N1")), -13);
    EXPECT_DOUBLE_EQ(q.CampoDouble(QStringLiteral("N1")), -12.5);
}

TEST_F(Destino, EngineErrorsCarryTheEngineText) {
    try {
        Executa(QStringLiteral("INSERT INTO VENDEND (CODVENDEDOR, NOME) VALUES ('0001', '%1')").arg(QString(41, u'X')));
        FAIL() << "an over-long name was accepted";
    } catch (const EBancoDestino& e) {
        EXPECT_TRUE(e.Mensagem().contains(QStringLiteral("string right truncation"))) << e.what();
        EXPECT_TRUE(e.Mensagem().contains(u'\n')) << e.what();
        EXPECT_FALSE(e.Codigos().empty());
    }
    try {
        Executa(QStringLiteral("SELECT X FROM TABELA_QUE_NAO_EXISTE"));
        FAIL() << "an unknown table was accepted";
    } catch (const EBancoDestino& e) {
        EXPECT_TRUE(e.Mensagem().contains(QStringLiteral("Table unknown"))) << e.what();
        EXPECT_TRUE(e.Mensagem().contains(QStringLiteral("TABELA_QUE_NAO_EXISTE"))) << e.what();
    }
}

TEST_F(Destino, TheSchemaHasEveryTableAndNineActiveTriggers) {
    const QStringList tabelas = {
        QStringLiteral("CIDADES"),   QStringLiteral("CADSEGM"),     QStringLiteral("UNIDADES"),
        QStringLiteral("SUBGRUP"),   QStringLiteral("APLICACOES"),  QStringLiteral("PRODAPLIC"),
        QStringLiteral("CADFABR"),   QStringLiteral("FAMILIA"),     QStringLiteral("PAISES"),
        QStringLiteral("CLASCLI"),   QStringLiteral("CLASFISC"),    QStringLiteral("LOCALPROD"),
        QStringLiteral("LOCPROD"),   QStringLiteral("PDVFISC"),     QStringLiteral("VENDEND"),
        QStringLiteral("CLIENTE"),   QStringLiteral("NCLIENTE"),    QStringLiteral("COMPCLIE"),
        QStringLiteral("FORNECE"),   QStringLiteral("GRUPROD"),     QStringLiteral("PRODUTO"),
        QStringLiteral("PARAFAT"),   QStringLiteral("RELPRFO"),     QStringLiteral("INVENTA"),
        QStringLiteral("COMPPROD"),  QStringLiteral("PRODUTODETALHE"), QStringLiteral("MVGERAL"),
    };
    for (const QString& t : tabelas) {
        EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = '%1'").arg(t)),
                  QStringLiteral("1"))
            << t.toStdString();
    }
    const auto triggers = banco.Linhas(QStringLiteral(
        "SELECT RDB$TRIGGER_NAME AS NOME, RDB$TRIGGER_INACTIVE AS INATIVO FROM RDB$TRIGGERS "
        "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 ORDER BY 1"));
    QStringList nomes;
    for (const auto& t : triggers) {
        nomes << t.value(QStringLiteral("NOME"));
        EXPECT_EQ(t.value(QStringLiteral("INATIVO")), QStringLiteral("0")) << t.value(QStringLiteral("NOME")).toStdString();
    }
    EXPECT_EQ(nomes, (QStringList{QStringLiteral("COMPCLIE_AI0"), QStringLiteral("COMPCLIE_AU0"),
                                  QStringLiteral("MVGERAL_AD0"), QStringLiteral("MVGERAL_AI0"),
                                  QStringLiteral("MVGERAL_AU0"), QStringLiteral("MVGERAL_BD0"),
                                  QStringLiteral("MVGERAL_BI0"), QStringLiteral("MVGERAL_BU0"),
                                  QStringLiteral("PRODUTO_BI0")}));
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT MON$SQL_DIALECT FROM MON$DATABASE")), QStringLiteral("1"));
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT RDB$CHARACTER_SET_NAME FROM RDB$DATABASE")), QStringLiteral("WIN1252"));
}

TEST_F(Destino, StockMovementTriggersMoveTheStock) {
    Executa(QStringLiteral("INSERT INTO COMPPROD (CODPROD, CODEMPRESA, CODGRADE, ESTOQUE) VALUES ('000001', '00', "
                           "'0000', 10)"));
    Executa(QStringLiteral("INSERT INTO MVGERAL (CODEMPRESA, CODPROD, CODGRADE, QUANTIDADE) VALUES ('00', '000001', "
                           "'0000', 2.5)"));
    Executa(QStringLiteral("INSERT INTO PRODUTO (CODPROD, DESCRICAO) VALUES ('000001', 'PARAFUSO')"));
    Executa(QStringLiteral("COMMIT"));
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT ESTOQUE FROM COMPPROD")), QStringLiteral("12.5"));
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT SEQUENCIA FROM MVGERAL")), QStringLiteral("1"));
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT DESCRICAO2 FROM PRODUTO")), QStringLiteral("PARAFUSO"));

    Executa(QStringLiteral("ALTER TRIGGER MVGERAL_AI0 INACTIVE"));
    Executa(QStringLiteral("COMMIT"));
    Executa(QStringLiteral("INSERT INTO MVGERAL (CODEMPRESA, CODPROD, CODGRADE, QUANTIDADE) VALUES ('00', '000001', "
                           "'0000', 100)"));
    Executa(QStringLiteral("COMMIT"));
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT ESTOQUE FROM COMPPROD")), QStringLiteral("12.5"));
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT LIST(NOME_TRIGGER) FROM LOG_TRIGGERS WHERE NOME_TRIGGER = "
                                         "'MVGERAL_AI0'")),
              QStringLiteral("MVGERAL_AI0"));
}

TEST(DestinoArquivo, NotADatabaseKeepsTheEngineText) {
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath(QStringLiteral("texto.fb"));
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(16384, 'x'));
    f.close();
    TConexaoDestino c;
    c.SetNomeBanco(caminho);
    try {
        c.Abre();
        FAIL() << "a text file was opened as a database";
    } catch (const EBancoDestino& e) {
        EXPECT_TRUE(e.Mensagem().contains(QStringLiteral("not a valid database"))) << e.what();
        EXPECT_TRUE(e.Mensagem().contains(caminho)) << e.what();
    }
    EXPECT_FALSE(c.Conectado());
    EXPECT_FALSE(c.TestaConexao());
}

TEST(DestinoArquivo, ADatabaseHeldByAnotherProcessIsReportedInUse) {
    TBancoTemporario banco;
    QProcess outro;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("TAVRIN_SEGURA_BANCO"), banco.Caminho());
    outro.setProcessEnvironment(ambiente);
    outro.start(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath(), QStringList{});
    ASSERT_TRUE(outro.waitForStarted());
    while (!outro.canReadLine() && outro.waitForReadyRead(60000)) {
    }
    ASSERT_EQ(outro.readLine().trimmed(), QByteArray("pronto")) << outro.readAllStandardError().toStdString();

    TConexaoDestino c;
    c.SetNomeBanco(banco.Caminho());
    try {
        c.Abre();
        ADD_FAILURE() << "a database held by another process was opened";
    } catch (const EBancoDestino& e) {
        EXPECT_TRUE(e.Mensagem().contains(QStringLiteral("Database already opened with engine instance, "
                                                         "incompatible with current")))
            << e.what();
    }
    outro.closeWriteChannel();
    outro.waitForFinished(60000);
}

} // namespace
