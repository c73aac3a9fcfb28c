// The customer writers and mapping against real embedded databases.
#include "BancoTemporario.h"
#include "Cliente.h"
#include "ClientesController.h"
#include "ClientesTeste.h"
#include "ComplClientes.h"
#include "ConfiguracaoRegional.h"
#include "EConversao.h"
#include "GravadorInterface.h"
#include "TConexaoDestino.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kHoje = QStringLiteral("09.12.2026");

class TesteClientes : public ::testing::Test {
protected:
    void SetUp() override {
        DefineRelogio([] { return QDateTime(QDate(2026, 12, 9), QTime(8, 0)); });
    }

    QMap<QString, QString> Cliente(const QString& codigo) const {
        const auto linhas = banco.Linhas(QStringLiteral("SELECT * FROM CLIENTE WHERE CODCLIENTE = '%1'").arg(codigo));
        EXPECT_EQ(linhas.size(), 1u) << codigo.toStdString();
        return linhas.empty() ? QMap<QString, QString>() : linhas.front();
    }

    TBancoTemporario banco;
    std::unique_ptr<TConexaoDestino> conexao = banco.Conecta();
    TGravadorInterface pessoa;
};

TEST_F(TesteClientes, InsertGravaCadaCampoNaSuaColunaEReinicia) {
    TConverteCliente cliente(*conexao);
    cliente.SetCodCliente(QStringLiteral("42"));
    cliente.SetNome(QStringLiteral("D'AVILA"));
    cliente.SetNomeFantasia(QStringLiteral("FANTASIA"));
    cliente.SetEndereco(QStringLiteral("RUA DONA \"BIA\", 10"));
    cliente.SetEnderecoCob(QStringLiteral("COB"));
    cliente.SetEnderecoEntr(QStringLiteral("ENT"));
    cliente.SetBairro(QStringLiteral("OLHOS D'AGUA"));
    cliente.SetCodCidade(QStringLiteral("7"));
    cliente.SetEstado(QStringLiteral("mg"));
    cliente.SetCep(QStringLiteral("30.140-071"));
    cliente.SetCgcCpf(QStringLiteral("12.ABC.345/01DE-35"));
    cliente.SetInscEst(QStringLiteral("isento"));
    cliente.SetFone(QStringLiteral("(31) 3333-4444"));
    cliente.SetCampoLivre10(QStringLiteral("LIVRE"));
    cliente.SetObsercacao(QStringLiteral("linha 1\r\nlinha 2"));
    cliente.SetCodVendend1(QStringLiteral("7"));
    cliente.SetCodSegmento(QStringLiteral("003"));
    cliente.SetLimiteCredito(1500.5);
    cliente.SetCliBloqueado(QStringLiteral("S"));
    cliente.SetDT_Nascimento(QStringLiteral("02/07/1980"));
    cliente.SetDT_Cadastro(QStringLiteral("15/03/2010"));
    cliente.SetDT_Valcad(QStringLiteral("31/12/2030"));

    EXPECT_TRUE(cliente.ExecutaSql(1));
    conexao->Transacao().Confirma();

    auto esperado = ClienteReiniciado(QStringLiteral("00000042"), kHoje);
    esperado[QStringLiteral("NOME")] = QStringLiteral("D'AVILA");
    esperado[QStringLiteral("NOMEFANTASIA")] = QStringLiteral("FANTASIA");
    esperado[QStringLiteral("ENDERECO")] = QStringLiteral("RUA DONA BIA, 10");
    esperado[QStringLiteral("ENDERECOCOB")] = QStringLiteral("COB");
    esperado[QStringLiteral("ENDERECOENT")] = QStringLiteral("ENT");
    esperado[QStringLiteral("BAIRRO")] = QStringLiteral("OLHOS D'AGUA");
    esperado[QStringLiteral("CODCIDADE")] = QStringLiteral("00007");
    esperado[QStringLiteral("ESTADO")] = QStringLiteral("MG");
    esperado[QStringLiteral("CEP")] = QStringLiteral("30140071");
    esperado[QStringLiteral("CGCCPF")] = QStringLiteral("12ABC34501DE35");
    esperado[QStringLiteral("INSCEST")] = QStringLiteral("ISENTO");
    esperado[QStringLiteral("FONE")] = QStringLiteral("3133334444");
    esperado[QStringLiteral("CAMPOLIVRE10")] = QStringLiteral("LIVRE");
    esperado[QStringLiteral("OBSERVACAO")] = QStringLiteral("linha 1\r\nlinha 2");
    esperado[QStringLiteral("CODVENDEND1")] = QStringLiteral("0007");
    esperado[QStringLiteral("CODSEGMENTO")] = QStringLiteral("003");
    esperado[QStringLiteral("LIMITECREDITO")] = QStringLiteral("1500.5");
    esperado[QStringLiteral("CLIBLOQUEADO")] = QStringLiteral("S");
    esperado[QStringLiteral("DT_NASCIMENTO")] = QStringLiteral("02.07.1980");
    esperado[QStringLiteral("DT_CADASTRO")] = QStringLiteral("15.03.2010");
    esperado[QStringLiteral("DT_VALCAD")] = QStringLiteral("31.12.2030");
    EXPECT_EQ(Texto(DiferencasLinha(Cliente(QStringLiteral("00000042")), esperado)).toStdString(), "");

    // Reset after the insert; the valid-until date is one of the fields that carry over.
    EXPECT_EQ(cliente.CodCliente(), QStringLiteral("00000000"));
    EXPECT_EQ(cliente.Nome(), QString());
    EXPECT_EQ(cliente.DT_ValCad(), QStringLiteral("31.12.2030"));
}

TEST_F(TesteClientes, UpdateReescreveTudoMenosOCodigoComDatasNulas) {
    TConverteCliente cliente(*conexao);
    cliente.SetCodCliente(QStringLiteral("42"));
    cliente.SetNome(QStringLiteral("ANTIGO"));
    cliente.SetCliBloqueado(QStringLiteral("S"));
    cliente.SetDT_Nascimento(QStringLiteral("02/07/1980"));
    cliente.SetDt_Ult_Venda(QStringLiteral("03/04/2020"));
    ASSERT_TRUE(cliente.ExecutaSql(1));

    cliente.SetCodCliente(QStringLiteral("42"));
    cliente.SetNome(QStringLiteral("NOVO"));
    cliente.SetCliBloqueado(QStringLiteral("S"));
    cliente.SetDT_Cadastro(QStringLiteral("15/03/2010"));
    EXPECT_TRUE(cliente.ExecutaSql(2));
    conexao->Transacao().Confirma();

    auto esperado = ClienteReiniciado(QStringLiteral("00000042"), kHoje);
    esperado[QStringLiteral("NOME")] = QStringLiteral("NOVO");
    esperado[QStringLiteral("DT_CADASTRO")] = QStringLiteral("15.03.2010");
    // The last sale carried over from the first record; the birth date was reset to NULL.
    esperado[QStringLiteral("DT_ULTVENDA")] = QStringLiteral("03.04.2020");
    EXPECT_EQ(Texto(DiferencasLinha(Cliente(QStringLiteral("00000042")), esperado)).toStdString(), "");
}

TEST_F(TesteClientes, CodigoRepetidoFalhaEMantemORegistro) {
    TConverteCliente cliente(*conexao);
    cliente.SetCodCliente(QStringLiteral("5"));
    ASSERT_TRUE(cliente.ExecutaSql(1));
    cliente.SetCodCliente(QStringLiteral("5"));
    cliente.SetNome(QStringLiteral("SEGUNDO"));
    try {
        cliente.ExecutaSql(1);
        ADD_FAILURE() << "a repeated code was accepted";
    } catch (const EConversao& e) {
        EXPECT_TRUE(e.Mensagem().contains(QStringLiteral("PK_CLIENTE"))) << e.what();
    }
    EXPECT_EQ(cliente.CodCliente(), QStringLiteral("00000005"));
    EXPECT_EQ(cliente.Nome(), QStringLiteral("SEGUNDO"));
}

TEST_F(TesteClientes, GravaNClienteComEmpresa00) {
    TConverteCliente cliente(*conexao);
    cliente.SetCodCliente(QStringLiteral("9"));
    cliente.GravaNCliente(250);
    conexao->Transacao().Confirma();
    const auto linhas = banco.Linhas(QStringLiteral("SELECT CODEMPRESA, NUMEROCLIENTES FROM NCLIENTE"));
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0].value(QStringLiteral("CODEMPRESA")), QStringLiteral("00"));
    EXPECT_EQ(linhas[0].value(QStringLiteral("NUMEROCLIENTES")), QStringLiteral("250"));
    EXPECT_EQ(cliente.CodCliente(), QStringLiteral("00000009")); // not reset
}

TEST_F(TesteClientes, LimpaTabelaApagaEConfirmaNaHora) {
    banco.Executa(QStringLiteral("INSERT INTO CLIENTE (CODCLIENTE) VALUES ('00000001')"));
    banco.Executa(QStringLiteral("INSERT INTO COMPCLIE (CODCLIENTE) VALUES ('00000001')"));
    TConverteCliente cliente(*conexao);
    TConverteCompClie comp(*conexao);

    cliente.LimpaTabela();
    EXPECT_EQ(Contagem(banco, "CLIENTE"), 0); // seen from another connection: committed
    EXPECT_EQ(Contagem(banco, "COMPCLIE"), 1);
    comp.LimpaTabela();
    EXPECT_EQ(Contagem(banco, "COMPCLIE"), 0);
    EXPECT_FALSE(conexao->Transacao().Ativa());
}

TEST_F(TesteClientes, ComplementoPorParametrosEDataDeLiberacao) {
    TConverteCompClie comp(*conexao);
    ASSERT_TRUE(comp.ExecutaSql()); // straight after the reset

    comp.SetCodcliente(QStringLiteral("7"));
    comp.SetEnderecoNfe(QStringLiteral("RUA \"A\" D'AVILA"));
    comp.SetNumeroNfe(QStringLiteral("45"));
    comp.SetRefComerciais(QStringLiteral("LOJA 'X'"));
    comp.SetData_lib(QStringLiteral("15/03/2010"));
    ASSERT_TRUE(comp.ExecutaSql());
    EXPECT_EQ(comp.Codcliente(), QString());
    EXPECT_EQ(comp.Data_lib(), QStringLiteral("01/01/1900"));
    conexao->Transacao().Confirma();

    const auto linhas = banco.Linhas(QStringLiteral("SELECT * FROM COMPCLIE ORDER BY CODCLIENTE"));
    ASSERT_EQ(linhas.size(), 2u);
    const QMap<QString, QString> vazio = {
        {QStringLiteral("CODCLIENTE"), QString()},
        {QStringLiteral("REFCOMERCIAIS"), QString()},
        {QStringLiteral("REFBANCARIAS"), QString()},
        {QStringLiteral("USUARIO"), QString()},
        {QStringLiteral("DATA_LIB"), QStringLiteral("01.01.1900")},
        {QStringLiteral("ENDERECONFE"), QString()},
        {QStringLiteral("NUMERONFE"), QString()},
        {QStringLiteral("COMPLEMENTONFE"), QString()},
    };
    EXPECT_EQ(Texto(DiferencasLinha(linhas[0], vazio)).toStdString(), "");
    auto sete = vazio;
    sete[QStringLiteral("CODCLIENTE")] = QStringLiteral("00000007");
    sete[QStringLiteral("ENDERECONFE")] = QStringLiteral("RUA \"A\" D'AVILA");
    sete[QStringLiteral("NUMERONFE")] = QStringLiteral("45");
    sete[QStringLiteral("REFCOMERCIAIS")] = QStringLiteral("LOJA 'X'");
    sete[QStringLiteral("DATA_LIB")] = QStringLiteral("15.03.2010");
    EXPECT_EQ(Texto(DiferencasLinha(linhas[1], sete)).toStdString(), "");
}

TEST_F(TesteClientes, DataDeLiberacaoInvalidaNaoGravaNada) {
    TConverteCompClie comp(*conexao);
    comp.SetCodcliente(QStringLiteral("8"));
    comp.SetData_lib(QStringLiteral("abc"));
    EXPECT_THROW(comp.ExecutaSql(), EConversao);
    conexao->Transacao().Confirma();
    EXPECT_EQ(Contagem(banco, "COMPCLIE"), 0);
    EXPECT_EQ(comp.Codcliente(), QStringLiteral("00000008"));
}

class TesteMapeamentoClientes : public TesteClientes {
protected:
    void Converte() {
        TClassPreencheDadosClientes().PreencheDadosClientes(origem.path(), *conexao, pessoa, pessoa);
        conexao->Transacao().Confirma();
    }
    QTemporaryDir origem;
};

TEST_F(TesteMapeamentoClientes, RotulosBarraEPessoaDoCampoLogico) {
    banco.Executa(QStringLiteral("INSERT INTO CLIENTE (CODCLIENTE) VALUES ('99999999')"));
    TRegistroTabcli base;
    base.nome = QStringLiteral("X");
    std::vector<TRegistroTabcli> registros(3, base);
    registros[0].codigo = QStringLiteral("1");
    registros[0].tagLogico = false;
    registros[1].codigo = QStringLiteral("2");
    registros[1].tagLogico = true;
    registros[2].codigo = QStringLiteral("3");
    EscreveTabcli(origem.path(), registros, TipoTagFisica::Logico);

    Converte();

    EXPECT_EQ(pessoa.Captions(), (QStringList{QStringLiteral("Convertendo Clientes - Registro 1 de 3"),
                                              QStringLiteral("Convertendo Clientes - Registro 2 de 3"),
                                              QStringLiteral("Convertendo Clientes - Registro 3 de 3"), QString()}));
    EXPECT_EQ(pessoa.Posicao(), 0);
    EXPECT_EQ(pessoa.Maximo(), 0);
    QList<int> posicoes;
    QList<int> maximos;
    for (const auto& e : pessoa.Eventos()) {
        if (e.tipo == TGravadorInterface::Tipo::Posicao) {
            posicoes << e.valor;
        } else if (e.tipo == TGravadorInterface::Tipo::Maximo) {
            maximos << e.valor;
        }
    }
    EXPECT_EQ(posicoes, (QList<int>{1, 2, 3, 0}));
    EXPECT_EQ(maximos, (QList<int>{3, 0}));
    EXPECT_TRUE(pessoa.Mensagens().isEmpty());

    const auto linhas = banco.Linhas(QStringLiteral("SELECT CODCLIENTE, PESSOA_FJ FROM CLIENTE ORDER BY CODCLIENTE"));
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(linhas[0].value(QStringLiteral("PESSOA_FJ")), QStringLiteral("J"));
    EXPECT_EQ(linhas[1].value(QStringLiteral("PESSOA_FJ")), QStringLiteral("F"));
    EXPECT_EQ(linhas[2].value(QStringLiteral("PESSOA_FJ")), QStringLiteral("F"));
    EXPECT_EQ(Contagem(banco, "COMPCLIE"), 3);
}

TEST_F(TesteMapeamentoClientes, TabelaVaziaSoEsvaziaODestino) {
    banco.Executa(QStringLiteral("INSERT INTO CLIENTE (CODCLIENTE) VALUES ('00000001')"));
    banco.Executa(QStringLiteral("INSERT INTO COMPCLIE (CODCLIENTE) VALUES ('00000001')"));
    EscreveTabcli(origem.path(), {});

    Converte();

    EXPECT_EQ(pessoa.Captions(), QStringList{QString()});
    EXPECT_EQ(pessoa.Maximo(), 0);
    EXPECT_EQ(Contagem(banco, "CLIENTE"), 0);
    EXPECT_EQ(Contagem(banco, "COMPCLIE"), 0);
}

// The source is opened before the target is emptied: the earlier customer stays.
TEST_F(TesteMapeamentoClientes, SemTabelaFalhaSemEsvaziar) {
    banco.Executa(QStringLiteral("INSERT INTO CLIENTE (CODCLIENTE) VALUES ('00000001')"));
    try {
        Converte();
        ADD_FAILURE() << "a folder without TABCLI was accepted";
    } catch (const EConversao& e) {
        EXPECT_TRUE(e.Mensagem().contains(QStringLiteral("TABCLI"), Qt::CaseInsensitive)) << e.what();
    }
    EXPECT_EQ(Contagem(banco, "CLIENTE"), 1);
}

} // namespace
