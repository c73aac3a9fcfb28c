// Suppliers and sellers end to end through the headless command, and a run of all five kinds:
// source tables written here, target rows read back and compared with values worked out by hand.
#include "../integration/ClientesTeste.h"
#include "../unit/FixturesDbf.h"
#include "BancoTemporario.h"
#include "EConversao.h"
#include "ExecutaCli.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

TResultadoCli Converte(const QString& origem, const TBancoTemporario& banco, const QStringList& tipos) {
    // Every progress caption on its own line, so the run can be followed record by record.
    qputenv("TAVRIN_PROGRESSO_MS", "0");
    return ExecutaCli(ArgumentosConverter(origem, banco.Caminho(), tipos));
}

// ---- Suppliers --------------------------------------------------------------------------------

struct TRegistroTabfor {
    std::optional<double> controle;
    QString empresa, endereco, bairro, estado, cidade, cep, cgc, insc, email, contato, telefone, fax;
};

void EscreveTabfor(const QString& pasta, const std::vector<TRegistroTabfor>& registros) {
    const std::vector<TDefinicaoCampo> campos = {
        {QStringLiteral("CONTROLE"), 'N', 8},  {QStringLiteral("EMPRESA"), 'C', 70},
        {QStringLiteral("ENDERECO"), 'C', 50}, {QStringLiteral("BAIRRO"), 'C', 30},
        {QStringLiteral("ESTADO"), 'C', 2},    {QStringLiteral("CIDADE"), 'C', 30},
        {QStringLiteral("CEP"), 'C', 10},      {QStringLiteral("CGC"), 'C', 20},
        {QStringLiteral("INSC"), 'C', 20},     {QStringLiteral("EMAIL"), 'C', 80},
        {QStringLiteral("CONTATO"), 'C', 30},  {QStringLiteral("TELEFONE"), 'C', 25},
        {QStringLiteral("FAX"), 'C', 20},
    };
    GravaTabela(QDir(pasta).filePath(QStringLiteral("TABFOR.DBF")), campos, static_cast<int>(registros.size()),
                [&](TEscritorDbf& e, int i) {
                    const TRegistroTabfor& r = registros[static_cast<std::size_t>(i)];
                    if (r.controle) {
                        e.Numero(QStringLiteral("CONTROLE"), *r.controle);
                    }
                    const std::pair<const char*, const QString*> textos[] = {
                        {"EMPRESA", &r.empresa}, {"ENDERECO", &r.endereco}, {"BAIRRO", &r.bairro},
                        {"ESTADO", &r.estado},   {"CIDADE", &r.cidade},     {"CEP", &r.cep},
                        {"CGC", &r.cgc},         {"INSC", &r.insc},         {"EMAIL", &r.email},
                        {"CONTATO", &r.contato}, {"TELEFONE", &r.telefone}, {"FAX", &r.fax},
                    };
                    for (const auto& [campo, valor] : textos) {
                        e.Texto(QLatin1String(campo), *valor);
                    }
                    return true;
                });
}

// A supplier as the mapping writes it when the source gives nothing but its code.
QMap<QString, QString> FornecedorVazio(const QString& codigo) {
    QMap<QString, QString> r;
    for (const char* coluna :
         {"CODCLIENTE",  "CODTIPO",   "NOME",     "NOMEFANTASIA", "CONTATO", "ENDERECO",      "BAIRRO",
          "CEP",         "CODCIDADE", "NUMERO",   "COMPLEMENTO",  "ESTADO",  "INSCMUNICIPAL", "CGCCPF",
          "INSCEST",     "FONE",      "FAX",      "CELULAR",      "EMAIL",   "HOMEPAGE",      "CAMPOLIVRE1",
          "CAMPOLIVRE2", "CONTACX",   "CTCTBRED", "OBSERVACAO",   "ATIVO",   "TIPOFORNECE"}) {
        r.insert(QLatin1String(coluna), QString());
    }
    r[QStringLiteral("CODFORNEC")] = codigo;
    r[QStringLiteral("PESSOA_FJ")] = QStringLiteral("J");
    return r;
}

TEST(FornecedoresCli, FornecedoresDificeisColunaPorColuna) {
    TBancoTemporario banco;
    banco.Executa(QStringLiteral("INSERT INTO CIDADES (CODCIDADE, CIDADE, CODMUNICIPIO, ESTADO) VALUES ('00041', 'BELO "
                                 "HORIZONTE', '3106200', 'MG')"));
    banco.Executa(QStringLiteral("INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('999999', 'ANTIGO')"));

    TRegistroTabfor a;
    a.controle = 1;
    a.empresa = QStringLiteral("Casa D'Água Comércio Ltda.");
    a.endereco = QStringLiteral("Rua D'Ouro, 10 - fundos");
    a.bairro = QStringLiteral("  Olhos D'Água");
    a.estado = QStringLiteral("mg");
    a.cidade = QStringLiteral("Belo Horizonte");
    a.cep = QStringLiteral("30.140-071");
    a.cgc = QStringLiteral("12.ABC.345/01DE-35");
    a.insc = QStringLiteral("062.307.904/0081");
    a.email = QStringLiteral("  compras@dagua.com.br");
    a.contato = QStringLiteral("João D'Arc");
    a.telefone = QStringLiteral("(031) 3333-4444 ramal 21");
    a.fax = QStringLiteral("31 3333.4445");

    TRegistroTabfor b;
    b.controle = 2;
    b.empresa = QStringLiteral("Comércio e Distribuição de Peças Elétricas São José do Norte");
    b.estado = QStringLiteral("SP");
    b.cidade = QStringLiteral("   ");
    b.cgc = QStringLiteral("11.222.333/0001-81");
    b.telefone = QStringLiteral("(11) 5555-1234");

    TRegistroTabfor c;
    c.controle = 1234567;
    c.empresa = QStringLiteral("O'Brien & Filhos");
    c.estado = QStringLiteral("MG");
    c.cidade = QStringLiteral("Contagem");
    c.cgc = QStringLiteral("123.456.789-01");
    c.insc = QStringLiteral("Isento");

    TRegistroTabfor d;
    d.controle = 4;
    d.empresa = QStringLiteral("'''");
    d.estado = QStringLiteral("SP");
    d.cidade = QStringLiteral("BHTE");
    d.cgc = QStringLiteral("12.ABC.345/01DE-36"); // wrong check digits: not a CNPJ, digits only

    TRegistroTabfor e;
    e.controle = 5;

    QTemporaryDir origem;
    EscreveTabfor(origem.path(), {a, b, c, d, e});

    const auto r = Converte(origem.path(), banco, {QStringLiteral("--fornecedores")});

    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.endsWith(QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!\n")))
        << r.erro.toStdString();
    EXPECT_FALSE(r.erro.contains(QStringLiteral("AVISO:"))) << r.erro.toStdString();
    for (int i = 1; i <= 5; ++i) {
        EXPECT_TRUE(r.erro.contains(QStringLiteral("Convertendo Fornecedores - Registro %1 de 5\n").arg(i)))
            << r.erro.toStdString();
    }

    auto fa = FornecedorVazio(QStringLiteral("000001"));
    fa[QStringLiteral("NOME")] = QStringLiteral("CASA DAGUA COMERCIO LTDA");
    fa[QStringLiteral("NOMEFANTASIA")] = QStringLiteral("CASA DAGUA COMERCIO LTDA");
    fa[QStringLiteral("ENDERECO")] = QStringLiteral("Rua DOuro, 10 - fundos");
    fa[QStringLiteral("BAIRRO")] = QStringLiteral("Olhos DÁgua");
    fa[QStringLiteral("ESTADO")] = QStringLiteral("mg");
    fa[QStringLiteral("CODCIDADE")] = QStringLiteral("00041");
    fa[QStringLiteral("CEP")] = QStringLiteral("30140071");
    fa[QStringLiteral("CGCCPF")] = QStringLiteral("12ABC34501DE35");
    fa[QStringLiteral("INSCEST")] = QStringLiteral("0623079040081");
    fa[QStringLiteral("EMAIL")] = QStringLiteral("compras@dagua.com.br");
    fa[QStringLiteral("CONTATO")] = QStringLiteral("João DArc");
    fa[QStringLiteral("FONE")] = QStringLiteral("03133334444"); // the digits of "(031) 3333-4444 "
    fa[QStringLiteral("FAX")] = QStringLiteral("3133334445");

    auto fb = FornecedorVazio(QStringLiteral("000002"));
    fb[QStringLiteral("NOME")] = QStringLiteral("COMERCIO E DISTRIBUICAO DE PECAS ELETRICAS SAO JOS");
    fb[QStringLiteral("NOMEFANTASIA")] = QStringLiteral("COMERCIO E DISTRIBUICAO DE PECAS ELETRIC");
    fb[QStringLiteral("ESTADO")] = QStringLiteral("SP");
    fb[QStringLiteral("CGCCPF")] = QStringLiteral("11222333000181");
    fb[QStringLiteral("FONE")] = QStringLiteral("1155551234");

    // A CPF: still a legal person.
    auto fc = FornecedorVazio(QStringLiteral("123456"));
    fc[QStringLiteral("NOME")] = QStringLiteral("OBRIEN & FILHOS");
    fc[QStringLiteral("NOMEFANTASIA")] = QStringLiteral("OBRIEN & FILHOS");
    fc[QStringLiteral("ESTADO")] = QStringLiteral("MG");
    fc[QStringLiteral("CODCIDADE")] = QStringLiteral("00042");
    fc[QStringLiteral("CGCCPF")] = QStringLiteral("12345678901");
    fc[QStringLiteral("INSCEST")] = QStringLiteral("ISENTO");

    auto fd = FornecedorVazio(QStringLiteral("000004"));
    fd[QStringLiteral("ESTADO")] = QStringLiteral("SP");
    fd[QStringLiteral("CODCIDADE")] = QStringLiteral("00041"); // BHTE is Belo Horizonte in any state
    fd[QStringLiteral("CGCCPF")] = QStringLiteral("123450136");

    const auto fe = FornecedorVazio(QStringLiteral("000005"));

    const auto linhas = banco.Linhas(QStringLiteral("SELECT * FROM FORNECE ORDER BY CODFORNEC"));
    ASSERT_EQ(linhas.size(), 5u);
    EXPECT_EQ(Texto(DiferencasLinha(linhas[0], fa)), "");
    EXPECT_EQ(Texto(DiferencasLinha(linhas[1], fb)), "");
    EXPECT_EQ(Texto(DiferencasLinha(linhas[2], fd)), "");
    EXPECT_EQ(Texto(DiferencasLinha(linhas[3], fe)), "");
    EXPECT_EQ(Texto(DiferencasLinha(linhas[4], fc)), "");

    // Only Contagem was new; the blank city was never looked up.
    const auto cidades = banco.Linhas(QStringLiteral("SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY 1"));
    ASSERT_EQ(cidades.size(), 2u);
    EXPECT_EQ(cidades[1].value(QStringLiteral("CODCIDADE")), QStringLiteral("00042"));
    EXPECT_EQ(cidades[1].value(QStringLiteral("CIDADE")), QStringLiteral("CONTAGEM"));
    EXPECT_EQ(cidades[1].value(QStringLiteral("ESTADO")), QStringLiteral("MG"));
}

TEST(FornecedoresCli, EmailLongoDemaisTerminaComAMensagemDoBanco) {
    TBancoTemporario banco;
    banco.Executa(QStringLiteral("INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('999999', 'ANTIGO')"));
    TRegistroTabfor a;
    a.controle = 1;
    a.empresa = QStringLiteral("PRIMEIRO");
    TRegistroTabfor b;
    b.controle = 2;
    b.email = QString(61, QLatin1Char('e'));
    QTemporaryDir origem;
    EscreveTabfor(origem.path(), {a, b});

    const auto r = Converte(origem.path(), banco, {QStringLiteral("--fornecedores")});

    EXPECT_EQ(r.codigo, 1) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.contains(QStringLiteral("ERRO: Ocorreu um erro durante a conversão! Motivo: ")))
        << r.erro.toStdString();
    EXPECT_TRUE(r.erro.contains(QStringLiteral("string right truncation"))) << r.erro.toStdString();
    // The emptying was committed; the first supplier was rolled back with the failing one.
    EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM FORNECE")), QStringLiteral("0"));
}

// ---- Sellers ----------------------------------------------------------------------------------

struct TRegistroTabvend {
    double controle = 0;
    QString nome;
    std::optional<double> comissao;
};

void EscreveTabvend(const QString& pasta, const std::vector<TRegistroTabvend>& registros) {
    GravaTabela(QDir(pasta).filePath(QStringLiteral("TABVEND.DBF")),
                {{QStringLiteral("CONTROLE"), 'N', 6},
                 {QStringLiteral("NOME"), 'C', 50},
                 {QStringLiteral("COMISSAO"), 'N', 6, 2}},
                static_cast<int>(registros.size()), [&](TEscritorDbf& e, int i) {
                    const TRegistroTabvend& r = registros[static_cast<std::size_t>(i)];
                    e.Numero(QStringLiteral("CONTROLE"), r.controle);
                    e.Texto(QStringLiteral("NOME"), r.nome);
                    if (r.comissao) {
                        e.Numero(QStringLiteral("COMISSAO"), *r.comissao);
                    }
                    return true;
                });
}

// Every seller row holds these besides its code, name and commission.
QMap<QString, QString> Vendedor(const QString& codigo, const QString& nome, const QString& comissao) {
    QMap<QString, QString> r;
    for (const char* coluna :
         {"ENDERECO",      "BAIRRO",   "ESTADO",    "CEP",      "TELEFONE",      "EMAIL",        "CODPRACA",
          "CODROTA",       "CODROTA2", "CODROTA3",  "CODROTA4", "CODROTA5",      "CODROTA6",     "CODROTA7",
          "CODROTA8",      "CODROTA9", "CODROTA10", "CGCCPF",   "INSCEST",       "RG",           "SENHATRANSF",
          "CODSUPERVISOR", "HORAINI",  "HORAFIM",   "CODFID",   "CODBARRASVEND", "SENHAFARMPOP", "COD_VENDEDOR_JAVA"}) {
        r.insert(QLatin1String(coluna), QString());
    }
    for (const char* data : {"DATAULTIMAVISITA", "ULTIMAVISITAMARCADA", "VERSION"}) {
        r.insert(QLatin1String(data), QStringLiteral("30.12.1899"));
    }
    r[QStringLiteral("CODVENDEDOR")] = codigo;
    r[QStringLiteral("NOME")] = nome;
    r[QStringLiteral("COMISSAO")] = comissao;
    r[QStringLiteral("CODCIDADE")] = QStringLiteral("00000");
    r[QStringLiteral("CODEMPRESA")] = QStringLiteral("00");
    r[QStringLiteral("CODFORNEC")] = QStringLiteral("000000");
    r[QStringLiteral("ATIVO")] = QStringLiteral("S");
    r[QStringLiteral("TIPOVENDEDOR")] = QStringLiteral("V");
    r[QStringLiteral("MUDAPRECOPDV")] = QStringLiteral("N");
    r[QStringLiteral("PRECOVENDEDOR")] = QStringLiteral("1");
    return r;
}

TEST(VendedoresCli, VendedoresColunaPorColuna) {
    TBancoTemporario banco;
    banco.Executa(QStringLiteral("INSERT INTO VENDEND (CODVENDEDOR, NOME) VALUES ('9999', 'ANTIGO')"));
    QTemporaryDir origem;
    EscreveTabvend(origem.path(), {{5, QStringLiteral("José D'Ávila-Souza"), std::nullopt},
                                   {12, QStringLiteral("maria das graças ferreira de albuquerque e silva"), 2.5},
                                   {123456, QStringLiteral("Ana Sta. Rita / Centro"), 10}});

    const auto r = Converte(origem.path(), banco, {QStringLiteral("--vendedores")});

    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.endsWith(QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!\n")))
        << r.erro.toStdString();
    EXPECT_FALSE(r.erro.contains(QStringLiteral("AVISO:"))) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.contains(QStringLiteral("Convertendo Vendedores - Registro 3 de 3\n"))) << r.erro.toStdString();

    const auto linhas = banco.Linhas(QStringLiteral("SELECT * FROM VENDEND ORDER BY CODVENDEDOR"));
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(Texto(DiferencasLinha(linhas[0], Vendedor(QStringLiteral("0005"), QStringLiteral("JOSE DAVILASOUZA"),
                                                        QStringLiteral("0")))),
              "");
    EXPECT_EQ(Texto(DiferencasLinha(linhas[1], Vendedor(QStringLiteral("0012"),
                                                        QStringLiteral("MARIA DAS GRACAS FERREIRA DE ALBUQUERQUE"),
                                                        QStringLiteral("2.5")))),
              "");
    // Six digits: the first four make the code; the blanks around the removed "/" stay.
    EXPECT_EQ(Texto(DiferencasLinha(linhas[2], Vendedor(QStringLiteral("1234"), QStringLiteral("ANA STA RITA  CENTRO"),
                                                        QStringLiteral("10")))),
              "");
}

// ---- All five kinds ---------------------------------------------------------------------------

void EscreveTabest8(const QString& pasta) {
    GravaTabela(QDir(pasta).filePath(QStringLiteral("TABEST8.DBF")),
                {{QStringLiteral("CONTROLE"), 'N', 4}, {QStringLiteral("SETOR"), 'C', 30}}, 1,
                [](TEscritorDbf& e, int) {
                    e.Numero(QStringLiteral("CONTROLE"), 7);
                    e.Texto(QStringLiteral("SETOR"), QStringLiteral("Ferragens"));
                    return true;
                });
}

void EscreveTabest1(const QString& pasta) {
    // BASECALCULO is longer than the ten characters of a dBASE III name.
    TEscritorDbf::Opcoes dbase7;
    dbase7.versao = 0x04;
    GravaTabela(
        QDir(pasta).filePath(QStringLiteral("TABEST1.DBF")),
        {{QStringLiteral("CODIGO"), 'C', 8},
         {QStringLiteral("PRODUTO"), 'C', 50},
         {QStringLiteral("LKSETOR"), 'C', 5},
         {QStringLiteral("LKFORNEC"), 'N', 6},
         {QStringLiteral("UNIDADE"), 'C', 6},
         {QStringLiteral("PRECOVENDA"), 'N', 12, 2},
         {QStringLiteral("ESTMINIMO"), 'N', 10, 3},
         {QStringLiteral("LUCRO"), 'N', 8, 2},
         {QStringLiteral("ULTREAJ"), 'D', 8},
         {QStringLiteral("BASECALCULO"), 'N', 10, 2},
         {QStringLiteral("PRECOCUSTO"), 'N', 12, 2},
         {QStringLiteral("CUSTOMEDIO"), 'N', 12, 4},
         {QStringLiteral("QUANTIDADE"), 'N', 12, 3}},
        1,
        [](TEscritorDbf& e, int) {
            e.Texto(QStringLiteral("CODIGO"), QStringLiteral("15"));
            e.Texto(QStringLiteral("PRODUTO"), QStringLiteral("Martelo de unha"));
            e.Texto(QStringLiteral("LKSETOR"), QStringLiteral("007"));
            e.Numero(QStringLiteral("LKFORNEC"), 1);
            e.Texto(QStringLiteral("UNIDADE"), QStringLiteral("UN"));
            e.Numero(QStringLiteral("PRECOVENDA"), 25.9);
            e.Numero(QStringLiteral("PRECOCUSTO"), 12.5);
            e.Numero(QStringLiteral("QUANTIDADE"), 3);
            return true;
        },
        dbase7);
}

TEST(TodosCli, CincoTiposNaOrdemComUmVendedorRecusado) {
    TBancoTemporario banco;
    QTemporaryDir origem;
    // 12345 is written as 1234, so the second seller repeats the first one's code.
    EscreveTabvend(origem.path(),
                   {{12345, QStringLiteral("PRIMEIRO"), std::nullopt}, {1234, QStringLiteral("SEGUNDO"), 1}});
    TRegistroTabcli cliente;
    cliente.codigo = QStringLiteral("1");
    cliente.nome = QStringLiteral("CLIENTE UM");
    cliente.estado = QStringLiteral("MG");
    cliente.lkvendedor = 1234;
    EscreveTabcli(origem.path(), {cliente});
    TRegistroTabfor fornecedor;
    fornecedor.controle = 1;
    fornecedor.empresa = QStringLiteral("FORNECEDOR UM");
    EscreveTabfor(origem.path(), {fornecedor});
    EscreveTabest8(origem.path());
    EscreveTabest1(origem.path());

    const auto r = Converte(origem.path(), banco, {QStringLiteral("--todos")});

    ASSERT_EQ(r.codigo, 0) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.endsWith(QStringLiteral("INFORMAÇÃO: Conversão concluída com sucesso!\n")))
        << r.erro.toStdString();

    // The kinds in the run's fixed order, sellers first and products last.
    const QStringList rotulos = {
        QStringLiteral("Convertendo Vendedores - Registro 1 de 2"),
        QStringLiteral("Convertendo Vendedores - Registro 2 de 2"),
        QStringLiteral("AVISO: Ocorreu um erro ao tentar inserir os dados da TVendedorDAO.\nMotivo: "),
        QStringLiteral("Convertendo Clientes - Registro 1 de 1"),
        QStringLiteral("Convertendo Fornecedores - Registro 1 de 1"),
        QStringLiteral("Convertendo Grupos de Produtos - Registro 1 de 1"),
        QStringLiteral("Convertendo Produtos - Registro 1 de 1"),
    };
    qsizetype anterior = -1;
    for (const QString& rotulo : rotulos) {
        const qsizetype posicao = r.erro.indexOf(rotulo);
        EXPECT_GT(posicao, anterior) << rotulo.toStdString() << "\n" << r.erro.toStdString();
        anterior = std::max(anterior, posicao);
    }
    EXPECT_EQ(r.erro.count(QStringLiteral("AVISO:")), 1) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.contains(QStringLiteral("PK_VENDEND"))) << r.erro.toStdString();

    const auto vendedores = banco.Linhas(QStringLiteral("SELECT CODVENDEDOR, NOME FROM VENDEND"));
    ASSERT_EQ(vendedores.size(), 1u);
    EXPECT_EQ(vendedores[0].value(QStringLiteral("CODVENDEDOR")), QStringLiteral("1234"));
    EXPECT_EQ(vendedores[0].value(QStringLiteral("NOME")), QStringLiteral("PRIMEIRO"));
    for (const char* tabela : {"CLIENTE", "COMPCLIE", "FORNECE", "GRUPROD", "PRODUTO", "COMPPROD", "MVGERAL"}) {
        EXPECT_EQ(banco.Valor(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(tabela))),
                  QStringLiteral("1"))
            << tabela;
    }
}

} // namespace
