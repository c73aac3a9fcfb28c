// Customers end to end through the headless command: TABCLI written here, CLIENTE and COMPCLIE
// read back column by column and compared with values worked out by hand.
#include "../integration/ClientesTeste.h"
#include "BancoTemporario.h"
#include "ExecutaCli.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Every caption is printed as its own line (no pause between progress lines).
TResultadoCli ConverteClientes(const QString& origem, const TBancoTemporario& banco) {
    qputenv("TAVRIN_PROGRESSO_MS", "0");
    return ExecutaCli(ArgumentosConverter(origem, banco.Caminho(), {QStringLiteral("--clientes")}));
}

std::vector<TRegistroTabcli> ClientesDificeis() {
    TRegistroTabcli a;
    a.codigo = QStringLiteral("1");
    a.nome = QStringLiteral("Conceição D'Ávila \"Bia\"");
    a.endereco = QStringLiteral("Rua São João, nº 45 - apto 3");
    a.bairro = QStringLiteral("Centro");
    a.estado = QStringLiteral("mg");
    a.cidade = QStringLiteral("Contagem");
    a.cep = QStringLiteral("32.010-000");
    a.cgc = QStringLiteral("12.ABC.345/01DE-35");
    a.insc = QStringLiteral("062.307.904/0081");
    a.obs = QStringLiteral("Cliente antigo\r\nPaga em dia");
    a.contato = QStringLiteral("  Maria");
    a.telefone = QStringLiteral("(31) 3333-4444");
    a.fax = QStringLiteral("(31) 3333-4445");
    a.lkvendedor = 7;
    a.atividade = QStringLiteral("Comércio varejista de roupas");
    a.data = QDate(2010, 3, 15);
    a.nascimento = QDate(1980, 7, 2);
    a.tagTexto = QStringLiteral("  FALSO");

    TRegistroTabcli b;
    b.codigo = QStringLiteral("12.345");
    b.nome = QStringLiteral("ana maria");
    b.endereco = QStringLiteral("RUA 7 DE SETEMBRO 120");
    b.bairro = QStringLiteral("Vila \"Nova\"");
    b.estado = QStringLiteral("SP");
    b.cidade = QStringLiteral("   ");
    b.cgc = QStringLiteral("123.456.789-01");
    b.insc = QStringLiteral("Isento");
    b.telefone = QStringLiteral("(011) 5555-1234 r.2");
    b.tagTexto = QStringLiteral("falso");

    TRegistroTabcli c;
    c.codigo = QStringLiteral("3");
    c.nome = QStringLiteral("  O'Brien  Ltda.");
    c.endereco = QStringLiteral("AV. AFONSO PENA, 1500");
    c.bairro = QStringLiteral("Olhos D'Água");
    c.estado = QStringLiteral("MG");
    c.cidade = QStringLiteral("BHTE");
    c.cep = QStringLiteral("30130-000");
    c.cgc = QStringLiteral("11.222.333/0001-81");
    c.contato = QStringLiteral("João");
    c.telefone = QStringLiteral("3133334444");
    c.fax = QStringLiteral("(31)3333-4444");
    c.lkvendedor = 12;
    c.atividade = QStringLiteral("comércio varejista de roupas");
    c.data = QDate(2021, 12, 31);
    c.tagTexto = QStringLiteral("VERDADEIRO");
    return {a, b, c};
}

void Endereco(QMap<QString, QString>& r, const QString& endereco, const QString& bairro, const QString& estado,
              const QString& cidade, const QString& cep) {
    for (const char* sufixo : {"", "COB", "ENT"}) {
        const QString s = QLatin1String(sufixo);
        r[QStringLiteral("ENDERECO") + s] = endereco;
        r[QStringLiteral("BAIRRO") + s] = bairro;
        r[QStringLiteral("ESTADO") + s] = estado;
        r[QStringLiteral("CODCIDADE") + s] = cidade;
        r[QStringLiteral("CEP") + s] = cep;
    }
}

QMap<QString, QString> Complemento(const QString& codigo, const QString& endereco, const QString& numero) {
    return {{QStringLiteral("CODCLIENTE"), codigo},
            {QStringLiteral("REFCOMERCIAIS"), QString()},
            {QStringLiteral("REFBANCARIAS"), QString()},
            {QStringLiteral("USUARIO"), QString()},
            {QStringLiteral("DATA_LIB"), QStringLiteral("01.01.1900")},
            {QStringLiteral("ENDERECONFE"), endereco},
            {QStringLiteral("NUMERONFE"), numero},
            {QStringLiteral("COMPLEMENTONFE"), QString()}};
}

TEST(ClientesCli, ClientesDificeisColunaPorColuna) {
    TBancoTemporario banco;
    banco.Executa(QStringLiteral("INSERT INTO CIDADES (CODCIDADE, CIDADE, CODMUNICIPIO, ESTADO) VALUES ('00041', 'BELO "
                                 "HORIZONTE', '3106200', 'MG')"));
    banco.Executa(QStringLiteral("INSERT INTO CLIENTE (CODCLIENTE) VALUES ('99999999')"));
    QTemporaryDir origem;
    EscreveTabcli(origem.path(), ClientesDificeis());

    const QString hoje = HojePontuado();
    const auto r = ConverteClientes(origem.path(), banco);
    if (HojePontuado() != hoje) {
        GTEST_SKIP() << "the date changed during the run";
    }

    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.endsWith(QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!\n")))
        << r.erro.toStdString();
    QStringList rotulos;
    for (const QString& linha : r.erro.split(QLatin1Char('\n'))) {
        if (linha.startsWith(QLatin1String("Convertendo"))) {
            rotulos << linha;
        }
    }
    EXPECT_EQ(rotulos, (QStringList{QStringLiteral("Convertendo Clientes - Registro 1 de 3"),
                                    QStringLiteral("Convertendo Clientes - Registro 2 de 3"),
                                    QStringLiteral("Convertendo Clientes - Registro 3 de 3")}))
        << r.erro.toStdString();

    auto a = ClienteReiniciado(QStringLiteral("00000001"), hoje);
    a[QStringLiteral("NOME")] = QStringLiteral("CONCEICAO DAVILA BIA");
    a[QStringLiteral("NOMEFANTASIA")] = QStringLiteral("CONCEICAO DAVILA BIA");
    Endereco(a, QStringLiteral("Rua São João, nº 45 - apto 3"), QStringLiteral("Centro"), QStringLiteral("MG"),
             QStringLiteral("00042"), QStringLiteral("32010000"));
    a[QStringLiteral("CGCCPF")] = QStringLiteral("12ABC34501DE35");
    a[QStringLiteral("INSCEST")] = QStringLiteral("0623079040081");
    a[QStringLiteral("OBSERVACAO")] = QStringLiteral("Cliente antigo\r\nPaga em dia");
    a[QStringLiteral("CONTATO")] = QStringLiteral("Maria");
    a[QStringLiteral("FONE")] = QStringLiteral("3133334444");
    a[QStringLiteral("FAX")] = QStringLiteral("3133334445");
    a[QStringLiteral("CODVENDEND1")] = QStringLiteral("0007");
    a[QStringLiteral("CODSEGMENTO")] = QStringLiteral("001");
    a[QStringLiteral("DT_CADASTRO")] = QStringLiteral("15.03.2010");
    a[QStringLiteral("DT_NASCIMENTO")] = QStringLiteral("02.07.1980");
    a[QStringLiteral("PESSOA_FJ")] = QStringLiteral("J");

    // Seven digits: the code is filled to eight before the mask drops the point.
    auto b = ClienteReiniciado(QStringLiteral("0012345"), hoje);
    b[QStringLiteral("NOME")] = QStringLiteral("ANA MARIA");
    b[QStringLiteral("NOMEFANTASIA")] = QStringLiteral("ANA MARIA");
    Endereco(b, QStringLiteral("RUA 7 DE SETEMBRO 120"), QStringLiteral("Vila Nova"), QStringLiteral("SP"), QString(),
             QString());
    b[QStringLiteral("CGCCPF")] = QStringLiteral("12345678901");
    b[QStringLiteral("INSCEST")] = QStringLiteral("ISENTO");
    b[QStringLiteral("FONE")] = QStringLiteral("01155551234");

    auto c = ClienteReiniciado(QStringLiteral("00000003"), hoje);
    c[QStringLiteral("NOME")] = QStringLiteral("OBRIEN  LTDA");
    c[QStringLiteral("NOMEFANTASIA")] = QStringLiteral("OBRIEN  LTDA");
    Endereco(c, QStringLiteral("AV. AFONSO PENA, 1500"), QStringLiteral("Olhos D'Água"), QStringLiteral("MG"),
             QStringLiteral("00041"), QStringLiteral("30130000"));
    c[QStringLiteral("CGCCPF")] = QStringLiteral("11222333000181");
    c[QStringLiteral("CONTATO")] = QStringLiteral("João");
    c[QStringLiteral("FONE")] = QStringLiteral("3133334444");
    c[QStringLiteral("FAX")] = QStringLiteral("3133334444");
    c[QStringLiteral("CODVENDEND1")] = QStringLiteral("0012");
    c[QStringLiteral("CODSEGMENTO")] = QStringLiteral("001");
    c[QStringLiteral("DT_CADASTRO")] = QStringLiteral("31.12.2021");

    // Rows keyed by their code; the COMPCLIE row of "12.345" carries the customer's own seven digits.
    const QMap<QString, QMap<QString, QString>> esperadosCliente = {
        {QStringLiteral("00000001"), a}, {QStringLiteral("0012345"), b}, {QStringLiteral("00000003"), c}};
    const QMap<QString, QMap<QString, QString>> esperadosComplemento = {
        {QStringLiteral("00000001"),
         Complemento(QStringLiteral("00000001"), QStringLiteral("Rua São João, nº 45 - apto 3"), QStringLiteral("45"))},
        {QStringLiteral("0012345"),
         Complemento(QStringLiteral("0012345"), QStringLiteral("RUA 7 DE SETEMBRO 120"), QStringLiteral("120"))},
        {QStringLiteral("00000003"),
         Complemento(QStringLiteral("00000003"), QStringLiteral("AV. AFONSO PENA, 1500"), QStringLiteral("1500"))}};
    EXPECT_EQ(
        Texto(DiferencasTabela(banco.Linhas(QStringLiteral("SELECT * FROM CLIENTE")), esperadosCliente)).toStdString(),
        "");
    EXPECT_EQ(Texto(DiferencasTabela(banco.Linhas(QStringLiteral("SELECT * FROM COMPCLIE")), esperadosComplemento))
                  .toStdString(),
              "");

    // "BHTE" found Belo Horizonte; Contagem was created; one segment for both spellings.
    const auto cidades = banco.Linhas(QStringLiteral("SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY 1"));
    ASSERT_EQ(cidades.size(), 2u);
    EXPECT_EQ(cidades[1].value(QStringLiteral("CIDADE")), QStringLiteral("CONTAGEM"));
    EXPECT_EQ(cidades[1].value(QStringLiteral("ESTADO")), QStringLiteral("MG"));
    const auto segmentos = banco.Linhas(QStringLiteral("SELECT CODSEGMENTO, DESCRICAO FROM CADSEGM"));
    ASSERT_EQ(segmentos.size(), 1u);
    EXPECT_EQ(segmentos[0].value(QStringLiteral("DESCRICAO")), QStringLiteral("COMéRCIO VAREJISTA D"));

    // The complement triggers were off while the rows went in, and are on again.
    EXPECT_EQ(
        banco.Valor(QStringLiteral("SELECT COUNT(*) FROM LOG_TRIGGERS WHERE NOME_TRIGGER STARTING WITH 'COMPCLIE'")),
        QStringLiteral("0"));
    EXPECT_EQ(EstadoTriggers(banco), QStringList(9, QStringLiteral("0")));
}

TEST(ClientesCli, CodigoRepetidoTerminaComAMensagemDoBancoEDestinoVazio) {
    // The engine's own text for a repeated customer code, taken from a direct insert.
    const QString motivo =
        MensagemChaveRepetida(QStringLiteral("INSERT INTO CLIENTE (CODCLIENTE) VALUES ('00000005')"));
    ASSERT_FALSE(motivo.isEmpty());

    TBancoTemporario banco;
    banco.Executa(QStringLiteral("INSERT INTO CLIENTE (CODCLIENTE) VALUES ('00000099')"));
    banco.Executa(QStringLiteral("INSERT INTO COMPCLIE (CODCLIENTE) VALUES ('00000099')"));
    QTemporaryDir origem;
    TRegistroTabcli primeiro;
    primeiro.codigo = QStringLiteral("5");
    primeiro.nome = QStringLiteral("PRIMEIRO");
    TRegistroTabcli segundo = primeiro;
    segundo.codigo = QStringLiteral("05"); // the same code once filled
    segundo.nome = QStringLiteral("SEGUNDO");
    EscreveTabcli(origem.path(), {primeiro, segundo});

    const auto r = ConverteClientes(origem.path(), banco);

    EXPECT_EQ(r.codigo, 1) << r.erro.toStdString();
    QString bloco = motivo;
    bloco.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    EXPECT_TRUE(r.erro.endsWith(QStringLiteral("ERRO: Ocorreu um erro durante a conversão! Motivo: ") + bloco +
                                QLatin1Char('\n')))
        << r.erro.toStdString();
    // The emptying was committed; the first customer's rows were rolled back.
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM CLIENTE")), QStringLiteral("0"));
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM COMPCLIE")), QStringLiteral("0"));
    EXPECT_EQ(EstadoTriggers(banco), QStringList(9, QStringLiteral("0")));
}

// Values the cleaning rules cannot read, in the second of two customers. A customer code or a date
// ends the kind with the table, the record and the field named (nothing converted); a seller that
// is not a code is left blank with one warning, and the customer converted.
TEST(ClientesCli, CodigosEDatasQueNaoSeLeem) {
    struct Caso {
        const char* campo;
        const char* valor;
        QStringList trechos;  ///< in stderr
        const char* vendedor; ///< CODVENDEND1 of the second customer; nullptr: the kind fails
    };
    const Caso casos[] = {
        {"CODIGO",
         "12a",
         {QStringLiteral("campo CODIGO do registro 2 da tabela TABCLI"), QStringLiteral("12a")},
         nullptr},
        {"DATA", "20231345", {QStringLiteral("campo DATA do registro 2 da tabela TABCLI")}, nullptr},
        {"NASCIMENTO", "20230230", {QStringLiteral("campo NASCIMENTO do registro 2 da tabela TABCLI")}, nullptr},
        {"LKVENDEDOR",
         "--5",
         {QStringLiteral("AVISO: Tabela TABCLI: 1 cliente(s) com o campo LKVENDEDOR"), QStringLiteral("(registros 2)")},
         ""},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.campo);
        TBancoTemporario banco;
        QTemporaryDir origem;
        TRegistroTabcli primeiro;
        primeiro.codigo = QStringLiteral("1");
        primeiro.lkvendedor = 7;
        TRegistroTabcli segundo;
        segundo.codigo = QStringLiteral("2");
        segundo.brutos.insert(QLatin1String(caso.campo), QLatin1String(caso.valor));
        EscreveTabcli(origem.path(), {primeiro, segundo});

        const auto r = ConverteClientes(origem.path(), banco);

        for (const QString& trecho : caso.trechos) {
            EXPECT_TRUE(r.erro.contains(trecho)) << r.erro.toStdString();
        }
        if (!caso.vendedor) {
            EXPECT_EQ(r.codigo, 1) << r.erro.toStdString();
            EXPECT_TRUE(
                r.erro.contains(QStringLiteral("ERRO: Ocorreu um erro durante a conversão! Motivo: Erro ao ler")))
                << r.erro.toStdString();
            EXPECT_EQ(Contagem(banco, "CLIENTE"), 0);
            continue;
        }
        EXPECT_EQ(r.codigo, 0) << r.erro.toStdString();
        EXPECT_EQ(banco.Valor(QStringLiteral("SELECT CODVENDEND1 FROM CLIENTE WHERE CODCLIENTE = '00000001'")),
                  QStringLiteral("0007"));
        EXPECT_EQ(banco.Valor(QStringLiteral("SELECT CODVENDEND1 FROM CLIENTE WHERE CODCLIENTE = '00000002'")),
                  QLatin1String(caso.vendedor));
    }
}

} // namespace
