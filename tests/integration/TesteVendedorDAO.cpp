// The seller data access against real embedded databases: what the insert writes into each
// column, how a rejected row is reported, and the reading, collection, update and delete paths.
#include "BancoTemporario.h"
#include "ClientesTeste.h"
#include "EConversao.h"
#include "GravadorInterface.h"
#include "TConexaoDestino.h"
#include "TTransacaoDestino.h"
#include "VendedorDAO.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

QString Repete(char c, int n) {
    return QString(n, QLatin1Char(c));
}

// What a record that was never filled writes: codes padded even when empty, dates at day 0,
// every other text an empty string (never NULL).
QMap<QString, QString> LinhaNeutra(const QString& codigo) {
    QMap<QString, QString> r;
    for (const char* coluna : {"NOME",         "ENDERECO",         "BAIRRO",   "ESTADO",   "CEP",      "TELEFONE",
                               "EMAIL",        "CODPRACA",         "ATIVO",    "CODROTA",  "CODROTA2", "CODROTA3",
                               "CODROTA4",     "CODROTA5",         "CODROTA6", "CODROTA7", "CODROTA8", "CODROTA9",
                               "CODROTA10",    "TIPOVENDEDOR",     "CGCCPF",   "INSCEST",  "RG",       "MUDAPRECOPDV",
                               "SENHATRANSF",  "CODSUPERVISOR",    "HORAINI",  "HORAFIM",  "CODFID",   "CODBARRASVEND",
                               "SENHAFARMPOP", "COD_VENDEDOR_JAVA"}) {
        r.insert(QLatin1String(coluna), QString());
    }
    r[QStringLiteral("CODVENDEDOR")] = codigo;
    r[QStringLiteral("CODCIDADE")] = QStringLiteral("00000");
    r[QStringLiteral("CODEMPRESA")] = QStringLiteral("00");
    r[QStringLiteral("CODFORNEC")] = QStringLiteral("000000");
    r[QStringLiteral("COMISSAO")] = QStringLiteral("0");
    r[QStringLiteral("PRECOVENDEDOR")] = QStringLiteral("0");
    for (const char* data : {"DATAULTIMAVISITA", "ULTIMAVISITAMARCADA", "VERSION"}) {
        r[QLatin1String(data)] = QStringLiteral("30.12.1899");
    }
    return r;
}

class TesteVendedorDAO : public ::testing::Test {
protected:
    void Confirma() { conexao->Transacao().Confirma(); }

    std::vector<QMap<QString, QString>> Vendedores() const {
        return banco.Linhas(QStringLiteral("SELECT * FROM VENDEND ORDER BY CODVENDEDOR"));
    }

    // The engine's own text for a second row with this code, from a plain insert.
    QString MotivoChaveRepetida(const QString& codigo) const {
        try {
            banco.Executa(QStringLiteral("INSERT INTO VENDEND (CODVENDEDOR) VALUES ('%1')").arg(codigo));
        } catch (const EConversao& e) {
            return e.Mensagem();
        }
        return QString();
    }

    TBancoTemporario banco;
    std::unique_ptr<TConexaoDestino> conexao = banco.Conecta();
    TGravadorInterface pessoa;
    TVendedorDAO dao{*conexao};
};

struct CasoInsercao {
    const char* nome;
    std::function<void(TRegistroVendedor&)> preenche;
    QMap<QString, QString> colunas; // those that differ from a neutral row
};

TEST_F(TesteVendedorDAO, InsercaoCortaELimpaCadaColuna) {
    const QString nome45 = QStringLiteral("Ana ") + Repete('B', 41);
    const std::vector<CasoInsercao> casos = {
        {"registro neutro", [](TRegistroVendedor& r) { r.SetCodvendedor(QStringLiteral("1")); }, {}},
        {"nome de 45 vira 40",
         [&](TRegistroVendedor& r) {
             r.SetCodvendedor(QStringLiteral("2"));
             r.SetNome(nome45);
         },
         {{QStringLiteral("NOME"), nome45.left(40)}}},
        {"codigo 12A", [](TRegistroVendedor& r) { r.SetCodvendedor(QStringLiteral("12A")); }, {}},
        {"codigo de 6 vira 4", [](TRegistroVendedor& r) { r.SetCodvendedor(QStringLiteral("987654")); }, {}},
        {"telefone mascarado",
         [](TRegistroVendedor& r) {
             r.SetCodvendedor(QStringLiteral("3"));
             r.SetTelefone(QStringLiteral("(31) 3333-4444"));
         },
         {{QStringLiteral("TELEFONE"), QStringLiteral("3133334444")}}},
        // Only digits ever reach TELEFONE, at most 16 of them.
        {"telefone longo",
         [](TRegistroVendedor& r) {
             r.SetCodvendedor(QStringLiteral("4"));
             r.SetTelefone(QStringLiteral("+55 (031) 3333-4444 / 9 8888-7777"));
         },
         {{QStringLiteral("TELEFONE"), QStringLiteral("5503133334444988")}}},
        {"documentos e enderecos",
         [](TRegistroVendedor& r) {
             r.SetCodvendedor(QStringLiteral("5"));
             r.SetCep(QStringLiteral("30.140-071 fundos"));
             r.SetCgccpf(QStringLiteral("11.222.333/0001-81"));
             r.SetInscest(QStringLiteral("062.307.904/0081"));
             r.SetRg(QStringLiteral("isento"));
             r.SetEstado(QStringLiteral("MGX"));
             r.SetCodcidade(QStringLiteral("7"));
             r.SetCodempresa(QStringLiteral("123"));
             r.SetCodfornec(QStringLiteral("42"));
         },
         {{QStringLiteral("CEP"), QStringLiteral("30140071")},
          {QStringLiteral("CGCCPF"), QStringLiteral("11222333000181")},
          {QStringLiteral("INSCEST"), QStringLiteral("0623079040081")},
          {QStringLiteral("RG"), QStringLiteral("ISENTO")},
          {QStringLiteral("ESTADO"), QStringLiteral("MG")},
          {QStringLiteral("CODCIDADE"), QStringLiteral("00007")},
          {QStringLiteral("CODEMPRESA"), QStringLiteral("12")},
          {QStringLiteral("CODFORNEC"), QStringLiteral("000042")}}},
        // A CNPJ of the alphanumeric form keeps its letters.
        {"cnpj alfanumerico",
         [](TRegistroVendedor& r) {
             r.SetCodvendedor(QStringLiteral("6"));
             r.SetCgccpf(QStringLiteral("12.abc.345/01de-35"));
         },
         {{QStringLiteral("CGCCPF"), QStringLiteral("12ABC34501DE35")}}},
        {"valores e datas",
         [](TRegistroVendedor& r) {
             r.SetCodvendedor(QStringLiteral("8"));
             r.SetComissao(2.5);
             r.SetPrecovendedor(1);
             r.SetAtivo(QStringLiteral("SIM"));
             r.SetCodrota10(QStringLiteral("1234567"));
             r.SetDataultimavisita(DataParaTDateTime(QDate(2024, 2, 29)) + 0.75);
             r.SetHoraini(QStringLiteral("08:00"));
             r.SetCod_vendedor_java(Repete('j', 20));
         },
         {{QStringLiteral("COMISSAO"), QStringLiteral("2.5")},
          {QStringLiteral("PRECOVENDEDOR"), QStringLiteral("1")},
          {QStringLiteral("ATIVO"), QStringLiteral("S")},
          {QStringLiteral("CODROTA10"), QStringLiteral("12345")},
          {QStringLiteral("DATAULTIMAVISITA"), QStringLiteral("29.02.2024")},
          {QStringLiteral("HORAINI"), QStringLiteral("08:00")},
          {QStringLiteral("COD_VENDEDOR_JAVA"), Repete('j', 18)}}},
    };
    const QStringList codigos = {QStringLiteral("0001"), QStringLiteral("0002"), QStringLiteral("012A"),
                                 QStringLiteral("9876"), QStringLiteral("0003"), QStringLiteral("0004"),
                                 QStringLiteral("0005"), QStringLiteral("0006"), QStringLiteral("0008")};
    for (const CasoInsercao& c : casos) {
        SCOPED_TRACE(c.nome);
        TRegistroVendedor r;
        c.preenche(r);
        EXPECT_TRUE(dao.FInsereRegistro(r));
    }
    Confirma();
    EXPECT_EQ(pessoa.Mensagens(), QStringList());

    const auto linhas = Vendedores();
    ASSERT_EQ(linhas.size(), casos.size());
    for (std::size_t i = 0; i < casos.size(); ++i) {
        SCOPED_TRACE(casos[i].nome);
        const QString codigo = codigos[static_cast<qsizetype>(i)];
        const auto linha = std::find_if(linhas.begin(), linhas.end(), [&](const auto& l) {
            return l.value(QStringLiteral("CODVENDEDOR")) == codigo;
        });
        ASSERT_NE(linha, linhas.end()) << codigo.toStdString();
        QMap<QString, QString> esperado = LinhaNeutra(codigo);
        for (auto it = casos[i].colunas.begin(); it != casos[i].colunas.end(); ++it) {
            esperado[it.key()] = it.value();
        }
        EXPECT_EQ(DiferencasLinha(*linha, esperado).join(QLatin1Char('\n')).toStdString(), "");
    }
}

TEST_F(TesteVendedorDAO, CodigoRepetidoAvisaComOMotivoDoBancoESegue) {
    banco.Executa(QStringLiteral("INSERT INTO VENDEND (CODVENDEDOR, NOME) VALUES ('0001', 'PRIMEIRO')"));
    const QString motivo = MotivoChaveRepetida(QStringLiteral("0001"));
    ASSERT_FALSE(motivo.isEmpty());

    TRegistroVendedor outro;
    outro.SetCodvendedor(QStringLiteral("1"));
    outro.SetNome(QStringLiteral("SEGUNDO"));
    TRegistroVendedor seguinte;
    seguinte.SetCodvendedor(QStringLiteral("2"));

    EXPECT_FALSE(dao.FInsereRegistro(outro));
    EXPECT_EQ(
        pessoa.Mensagens(),
        QStringList{QStringLiteral("AVISO: Ocorreu um erro ao tentar inserir os dados da TVendedorDAO.\rMotivo: ") +
                    motivo});
    // The transaction was left alone: the next seller goes in and commits.
    EXPECT_TRUE(dao.FInsereRegistro(seguinte));
    Confirma();
    const auto linhas = Vendedores();
    ASSERT_EQ(linhas.size(), 2u);
    EXPECT_EQ(linhas[0].value(QStringLiteral("NOME")), QStringLiteral("PRIMEIRO"));
    EXPECT_EQ(linhas[1].value(QStringLiteral("CODVENDEDOR")), QStringLiteral("0002"));
}

TEST_F(TesteVendedorDAO, ColecaoParaNaPrimeiraFalha) {
    TRegistroVendedor a;
    a.SetCodvendedor(QStringLiteral("10"));
    a.SetNome(QStringLiteral("A"));
    TRegistroVendedor b;
    b.SetCodvendedor(QStringLiteral("0010")); // the same code as a
    TRegistroVendedor c;
    c.SetCodvendedor(QStringLiteral("30"));
    TColVendend colecao;
    for (TRegistroVendedor* r : {&a, &b, &c}) {
        colecao.PAdicionaObjRegistroVendend(r);
    }

    EXPECT_TRUE(dao.FInsereColecaoRegistro(TColVendend()));
    EXPECT_FALSE(dao.FInsereColecaoRegistro(colecao));
    Confirma();

    ASSERT_EQ(pessoa.Mensagens().size(), 1);
    EXPECT_TRUE(pessoa.Mensagens().front().startsWith(
        QStringLiteral("AVISO: Ocorreu um erro ao tentar inserir os dados da TVendedorDAO.\rMotivo: ")));
    const auto linhas = Vendedores();
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0].value(QStringLiteral("CODVENDEDOR")), QStringLiteral("0010"));
    EXPECT_EQ(linhas[0].value(QStringLiteral("NOME")), QStringLiteral("A"));
}

TEST_F(TesteVendedorDAO, LeituraDevolveNadaParaTabelaVaziaEPreencheOsRegistros) {
    EXPECT_EQ(dao.FRetornaColecaoRegistro(), nullptr);
    EXPECT_EQ(dao.FRetornaRegistro(QStringLiteral("0001")), nullptr);

    // A short code stored by someone else comes back padded by the record; NULLs read as empty or 0.
    banco.Executa(QStringLiteral("INSERT INTO VENDEND (CODVENDEDOR) VALUES ('7')"));
    banco.Executa(QStringLiteral("INSERT INTO VENDEND (CODVENDEDOR, NOME, COMISSAO, PRECOVENDEDOR, VERSION) "
                                 "VALUES ('0012', 'JOSE', 1.25, 3, '05.03.2014')"));

    const auto lidos = dao.FRetornaColecaoRegistro();
    ASSERT_NE(lidos, nullptr);
    ASSERT_EQ(lidos->colecao.Count(), 2);
    QMap<QString, const TRegistroVendedor*> porCodigo;
    for (int i = 0; i < lidos->colecao.Count(); ++i) {
        const TRegistroVendedor* r = lidos->colecao.FRetornaObjRegistroVendend(i);
        porCodigo.insert(r->Codvendedor(), r);
    }
    ASSERT_EQ(porCodigo.keys(), (QList<QString>{QStringLiteral("0007"), QStringLiteral("0012")}));
    EXPECT_EQ(porCodigo[QStringLiteral("0007")]->Nome(), QString());
    EXPECT_EQ(porCodigo[QStringLiteral("0007")]->Comissao(), 0.0);
    EXPECT_EQ(porCodigo[QStringLiteral("0007")]->Version(), 0.0);
    EXPECT_EQ(porCodigo[QStringLiteral("0012")]->Nome(), QStringLiteral("JOSE"));
    EXPECT_EQ(porCodigo[QStringLiteral("0012")]->Comissao(), 1.25);
    EXPECT_EQ(porCodigo[QStringLiteral("0012")]->Precovendedor(), 3);
    EXPECT_EQ(porCodigo[QStringLiteral("0012")]->Version(), DataParaTDateTime(QDate(2014, 3, 5)));

    // The keyed read compares the code as given, without padding.
    EXPECT_EQ(dao.FRetornaRegistro(QStringLiteral("12")), nullptr);
    const auto um = dao.FRetornaRegistro(QStringLiteral("0012"));
    ASSERT_NE(um, nullptr);
    EXPECT_EQ(um->Nome(), QStringLiteral("JOSE"));
}

TEST_F(TesteVendedorDAO, AtualizacaoEExclusao) {
    banco.Executa(QStringLiteral("INSERT INTO VENDEND (CODVENDEDOR, NOME) VALUES ('0001', 'ANTES')"));
    TRegistroVendedor r;
    r.SetCodvendedor(QStringLiteral("1"));
    r.SetNome(QStringLiteral("depois"));
    r.SetTelefone(QStringLiteral("3133334444"));

    EXPECT_TRUE(dao.FUpdateRegistro(r));
    // The update writes values as they are: a name too long for its column is refused.
    r.SetNome(Repete('x', 41));
    EXPECT_FALSE(dao.FUpdateRegistro(r));
    ASSERT_EQ(pessoa.Mensagens().size(), 1);
    EXPECT_TRUE(pessoa.Mensagens().front().startsWith(
        QStringLiteral("AVISO: Ocorreu um erro ao tentar atualizar os dados da TVendedorDAO.\rMotivo: ")));
    EXPECT_TRUE(dao.FDeletaRegistro(QStringLiteral("0099")));
    Confirma();

    auto linhas = Vendedores();
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0].value(QStringLiteral("NOME")), QStringLiteral("depois"));
    EXPECT_EQ(linhas[0].value(QStringLiteral("TELEFONE")), QStringLiteral("3133334444"));

    EXPECT_TRUE(dao.FDeletaRegistro(QStringLiteral("0001")));
    Confirma();
    EXPECT_TRUE(Vendedores().empty());
}

} // namespace
