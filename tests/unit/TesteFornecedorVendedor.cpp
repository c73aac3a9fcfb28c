// The supplier writer's setters and statement, the seller record and collection, and the seller
// statements' texts. No database: the writer is built on a connection that is never opened.
#include "EConversao.h"
#include "Fornecedor.h"
#include "ImprimeQString.h"
#include "LinhaComoTexto.h"
#include "TConexaoDestino.h"
#include "Vendedor.h"
#include "VendedorDAO.h"

#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

QString Repete(char c, int n) { return QString(n, QLatin1Char(c)); }

class TesteFornecedor : public ::testing::Test {
protected:
    TConexaoDestino conexao; // never opened: nothing here reaches the database
    TConverteFornece f{conexao};
};

struct CasoSetter {
    const char* nome;
    std::function<void(TConverteFornece&, const QString&)> set;
    std::function<QString(const TConverteFornece&)> get;
    QString entrada;
    QString esperado;
};

TEST_F(TesteFornecedor, CadaSetterLimpaNaOrdemCerta) {
    using F = TConverteFornece;
    auto s = [](void (F::*set)(const QString&)) { return [set](F& w, const QString& v) { (w.*set)(v); }; };
    auto g = [](const QString& (F::*get)() const) { return [get](const F& w) { return (w.*get)(); }; };
    const QString nome60 = QStringLiteral("Comércio d'Água ") + Repete('X', 45); // 60 characters after the quote goes

    const std::vector<CasoSetter> casos = {
        {"CodFornec curto", s(&F::SetCodFornec), g(&F::CodFornec), QStringLiteral("12"), QStringLiteral("000012")},
        {"CodFornec longo", s(&F::SetCodFornec), g(&F::CodFornec), QStringLiteral("1234567"), QStringLiteral("123456")},
        {"CodFornec so aspas", s(&F::SetCodFornec), g(&F::CodFornec), QStringLiteral("'''"), QStringLiteral("000000")},
        // The limit counts characters after the quotes are gone.
        {"CodFornec aspas contam depois", s(&F::SetCodFornec), g(&F::CodFornec), QStringLiteral("1'2'3'4'5'6'7"),
         QStringLiteral("123456")},
        {"Nome acentos e aspas", s(&F::SetNome), g(&F::Nome), QStringLiteral("  d'Ávila comércio; ltda  "),
         QStringLiteral("DAVILA COMERCIO. LTDA")},
        {"Nome 60 vira 50", s(&F::SetNome), g(&F::Nome), nome60,
         QStringLiteral("COMERCIO DAGUA ") + Repete('X', 35)},
        {"NomeFantasia 60 vira 40", s(&F::SetNomeFantasia), g(&F::NomeFantasia), nome60,
         QStringLiteral("COMERCIO DAGUA ") + Repete('X', 25)},
        {"Contato trim e 30", s(&F::SetContato), g(&F::Contato), QStringLiteral("  ") + Repete('a', 35),
         Repete('a', 30)},
        {"Endereco sem trim", s(&F::SetEndereco), g(&F::Endereco), QStringLiteral(" Rua d'Ouro "),
         QStringLiteral(" Rua dOuro ")},
        {"Cep mascara", s(&F::SetCep), g(&F::Cep), QStringLiteral("30.140-071"), QStringLiteral("30140071")},
        {"Cep longo", s(&F::SetCep), g(&F::Cep), QStringLiteral("123.456.789"), QStringLiteral("12345678")},
        {"Cep isento", s(&F::SetCep), g(&F::Cep), QStringLiteral("isento"), QStringLiteral("ISENTO")},
        {"CodCidade vazio", s(&F::SetCodCidade), g(&F::CodCidade), QString(), QString()},
        {"CodCidade 123", s(&F::SetCodCidade), g(&F::CodCidade), QStringLiteral("123"), QStringLiteral("00123")},
        {"CodCidade branco", s(&F::SetCodCidade), g(&F::CodCidade), QStringLiteral(" "), QStringLiteral("0000 ")},
        {"CodCidade longo", s(&F::SetCodCidade), g(&F::CodCidade), QStringLiteral("1234567"),
         QStringLiteral("12345")},
        // Cut first, then trimmed: the blanks use up the 60 characters.
        {"Complemento corta e depois trim", s(&F::SetComplemento), g(&F::Complemento),
         Repete(' ', 58) + QStringLiteral("abcdef"), QStringLiteral("ab")},
        {"Estado", s(&F::SetEstado), g(&F::Estado), QStringLiteral("mgx"), QStringLiteral("mg")},
        {"InscMunicipal", s(&F::SetInscMunicipal), g(&F::InscMunicipal), QStringLiteral("1.234.567/890-12345"),
         QStringLiteral("123456789012345")},
        {"Pessoa_FJ", s(&F::SetPessoa_FJ), g(&F::Pessoa_FJ), QStringLiteral("Jx"), QStringLiteral("J")},
        {"CgcCpf numerico", s(&F::SetCgcCpf), g(&F::CgcCpf), QStringLiteral("11.222.333/0001-81"),
         QStringLiteral("11222333000181")},
        {"CgcCpf alfanumerico valido", s(&F::SetCgcCpf), g(&F::CgcCpf), QStringLiteral("12.abc.345/01de-35"),
         QStringLiteral("12ABC34501DE35")},
        {"CgcCpf alfanumerico invalido", s(&F::SetCgcCpf), g(&F::CgcCpf), QStringLiteral("12.ABC.345/01DE-36"),
         QStringLiteral("123450136")},
        {"CgcCpf isento", s(&F::SetCgcCpf), g(&F::CgcCpf), QStringLiteral("Isento"), QStringLiteral("ISENTO")},
        {"InscEst", s(&F::SetInscEst), g(&F::InscEst), QStringLiteral("062.307.904/0081"),
         QStringLiteral("0623079040081")},
        // Digits of the first 16 characters of the quote-free text.
        {"Fone", s(&F::SetFone), g(&F::Fone), QStringLiteral("'(31)' 3333-4444 ramal 12"),
         QStringLiteral("3133334444")},
        {"Fax", s(&F::SetFax), g(&F::Fax), QStringLiteral("(31) 3333-4444 r. 56"), QStringLiteral("3133334444")},
        {"Celular", s(&F::SetCelular), g(&F::Celular), QStringLiteral("(31) 9 8888-7777"),
         QStringLiteral("31988887777")},
        {"Email sem limite", s(&F::SetEmail), g(&F::Email), QStringLiteral(" ") + Repete('e', 80) + QStringLiteral(" "),
         Repete('e', 80)},
        {"HomePage", s(&F::SetHomePage), g(&F::HomePage), Repete('h', 35), Repete('h', 30)},
        {"CampoLivre1", s(&F::SetCampoLivre1), g(&F::CampoLivre1), QStringLiteral(" ") + Repete('c', 25),
         Repete('c', 20)},
        {"ContaCx", s(&F::SetContaCx), g(&F::ContaCx), QStringLiteral(" 1234567890 "), QStringLiteral("1234567")},
        {"observacao", s(&F::Setobservacao), g(&F::Observacao), Repete('o', 120), Repete('o', 100)},
        {"Ativo maiuscula", s(&F::SetAtivo), g(&F::Ativo), QStringLiteral("sim"), QStringLiteral("S")},
        {"Ativo guarda aspa", s(&F::SetAtivo), g(&F::Ativo), QStringLiteral("'"), QStringLiteral("'")},
        {"TipoFornece sem limite", s(&F::SetTipoFornece), g(&F::TipoFornece), Repete('t', 70) + QStringLiteral("'"),
         Repete('t', 70)},
    };
    for (const CasoSetter& c : casos) {
        SCOPED_TRACE(c.nome);
        c.set(f, c.entrada);
        EXPECT_EQ(c.get(f), c.esperado);
    }
}

TEST_F(TesteFornecedor, CodigosDeClienteETipoIgnoramBrancos) {
    f.SetCodcliente(QStringLiteral("42"));
    f.SetCodTipo(QStringLiteral("7"));
    EXPECT_EQ(f.CodCliente(), QStringLiteral("00000042"));
    EXPECT_EQ(f.CodTipo(), QStringLiteral("007"));
    for (const QString& branco : {QString(), QStringLiteral("   "), QStringLiteral("''")}) {
        f.SetCodcliente(branco);
        f.SetCodTipo(branco);
    }
    EXPECT_EQ(f.CodCliente(), QStringLiteral("00000042"));
    EXPECT_EQ(f.CodTipo(), QStringLiteral("007"));
    f.SetCodcliente(QStringLiteral("123456789"));
    EXPECT_EQ(f.CodCliente(), QStringLiteral("12345678"));
}

TEST_F(TesteFornecedor, LimpaVariavelDeixaOQueNaoAlcanca) {
    f.SetCodFornec(QStringLiteral("9"));
    f.SetNome(QStringLiteral("x"));
    f.SetCodCidade(QStringLiteral("1"));
    f.SetEmail(QStringLiteral("a@b"));
    f.SetCodcliente(QStringLiteral("5"));
    f.SetCodTipo(QStringLiteral("5"));
    f.SetAtivo(QStringLiteral("s"));
    f.SetContaCx(QStringLiteral("11"));
    f.SetCTCTbred(QStringLiteral("22"));

    f.LimpaVariavel();

    EXPECT_EQ(f.CodFornec(), QStringLiteral("000000"));
    EXPECT_EQ(f.Nome(), QString());
    EXPECT_EQ(f.CodCidade(), QString());
    EXPECT_EQ(f.Email(), QString());
    EXPECT_EQ(f.CodCliente(), QStringLiteral("00000005"));
    EXPECT_EQ(f.CodTipo(), QStringLiteral("005"));
    EXPECT_EQ(f.Ativo(), QStringLiteral("S"));
    EXPECT_EQ(f.ContaCx(), QStringLiteral("11"));
    EXPECT_EQ(f.CTCTbred(), QStringLiteral("22"));
}

TEST_F(TesteFornecedor, MontaSqlColunasEmOrdemEValoresLiterais) {
    f.SetCodFornec(QStringLiteral("7"));
    f.SetNome(QStringLiteral("O'Brien"));
    f.SetPessoa_FJ(QStringLiteral("J"));
    f.SetAtivo(QStringLiteral("'"));

    const QString sql = LinhaComoTexto(f.MontaSql());

    const QRegularExpression forma(QStringLiteral("^Insert Into fornece \\((.*)\\) Values \\((.*)\\)$"));
    const auto m = forma.match(sql);
    ASSERT_TRUE(m.hasMatch()) << sql.toStdString();
    const QStringList colunas = m.captured(1).split(QStringLiteral(", "));
    const QStringList esperadas = QStringLiteral(
                                      "CodFornec Nome NomeFantasia Contato Endereco Bairro Cep CodCidade Numero "
                                      "Complemento Estado InscMunicipal Pessoa_FJ CgcCpf InscEst observacao Fone Fax "
                                      "Celular Email HomePage CampoLivre1 CampoLivre2 codcliente ativo TipoFornece "
                                      "CodTipo contacx ctctbred")
                                      .split(QLatin1Char(' '));
    ASSERT_EQ(colunas.size(), 29);
    for (int i = 0; i < 29; ++i) {
        EXPECT_EQ(colunas[i], QStringLiteral("fornece.") + esperadas[i]);
    }
    QStringList valores(29, QStringLiteral("''"));
    valores[0] = QStringLiteral("'000007'");
    valores[1] = QStringLiteral("'OBRIEN'");
    valores[12] = QStringLiteral("'J'");
    valores[24] = QStringLiteral("''''"); // the one apostrophe that survives is doubled
    EXPECT_EQ(m.captured(2), valores.join(QStringLiteral(", ")));
}

TEST(RegistroVendedor, ValoresDaConstrucao) {
    const TRegistroVendedor r;
    EXPECT_EQ(r.Codvendedor(), QStringLiteral("0000"));
    EXPECT_EQ(r.Nome(), QString());
    EXPECT_EQ(r.Cod_vendedor_java(), QString());
    EXPECT_EQ(r.Comissao(), 0.0);
    EXPECT_EQ(r.Precovendedor(), 0);
    EXPECT_EQ(r.Dataultimavisita(), 0.0);
    EXPECT_EQ(r.Ultimavisitamarcada(), 0.0);
    EXPECT_EQ(r.Version(), 0.0);
}

TEST(RegistroVendedor, CodigoPreenchidoComZerosSemCortarNemAparar) {
    const std::vector<std::pair<QString, QString>> casos = {
        {QStringLiteral("7"), QStringLiteral("0007")},       {QString(), QStringLiteral("0000")},
        {QStringLiteral("12345"), QStringLiteral("12345")},  {QStringLiteral("0012"), QStringLiteral("0012")},
        {QStringLiteral(" 7"), QStringLiteral("00 7")},      {QStringLiteral("12A"), QStringLiteral("012A")},
    };
    TRegistroVendedor r;
    for (const auto& [entrada, esperado] : casos) {
        r.SetCodvendedor(entrada);
        EXPECT_EQ(r.Codvendedor(), esperado) << entrada.toStdString();
    }
    r.SetNome(QStringLiteral("  joão  "));
    EXPECT_EQ(r.Nome(), QStringLiteral("  joão  "));
}

TEST(ColVendend, OrdemRepeticaoEPosicaoInvalida) {
    TRegistroVendedor a;
    TRegistroVendedor b;
    {
        TColVendend col;
        col.PAdicionaObjRegistroVendend(&a);
        col.PAdicionaObjRegistroVendend(&b);
        col.PAdicionaObjRegistroVendend(&a);
        ASSERT_EQ(col.Count(), 3);
        EXPECT_EQ(col.FRetornaObjRegistroVendend(0), &a);
        EXPECT_EQ(col.FRetornaObjRegistroVendend(1), &b);
        EXPECT_EQ(col.FRetornaObjRegistroVendend(2), &a);
        EXPECT_THROW(col.FRetornaObjRegistroVendend(3), EConversao);
        EXPECT_THROW(col.FRetornaObjRegistroVendend(-1), EConversao);
        col.Clear();
        EXPECT_EQ(col.Count(), 0);
    }
    // The collection is gone; the records it listed are still usable.
    a.SetNome(QStringLiteral("A"));
    EXPECT_EQ(a.Nome(), QStringLiteral("A"));
}

TEST(VendedorDAO, InstrucoesQualificadasEComParametrosNomeados) {
    const QString select = TVendedorDAO::FRetornaSqlVendend();
    EXPECT_EQ(select.count(QStringLiteral("VENDEND.")), 41);
    EXPECT_TRUE(select.startsWith(QStringLiteral("SELECT VENDEND.CODVENDEDOR, VENDEND.NOME, ")));
    EXPECT_TRUE(select.endsWith(QStringLiteral("VENDEND.COD_VENDEDOR_JAVA FROM VENDEND")));
    EXPECT_FALSE(select.contains(QStringLiteral("WHERE")));

    EXPECT_TRUE(TVendedorDAO::FRetornaSqlRegistroVendend().endsWith(
        QStringLiteral(" FROM VENDEND WHERE 1=1 AND CODVENDEDOR = :CODVENDEDOR")));

    const QString insert = TVendedorDAO::FRetornaSqlInserTRegistroVendedor();
    EXPECT_EQ(insert.count(QStringLiteral("VENDEND.")), 41);
    EXPECT_EQ(insert.count(QLatin1Char(':')), 41);
    EXPECT_TRUE(insert.contains(QStringLiteral("VALUES (:CODVENDEDOR, :NOME, ")));

    // The code is the key: it appears only in the condition, never among the assignments.
    const QString update = TVendedorDAO::FRetornaSqlUpdateRegistroVendend();
    EXPECT_EQ(update.count(QStringLiteral("VENDEND.")), 40);
    EXPECT_FALSE(update.contains(QStringLiteral("VENDEND.CODVENDEDOR")));
    EXPECT_TRUE(update.startsWith(QStringLiteral("UPDATE VENDEND SET VENDEND.NOME = :NOME, ")));
    EXPECT_TRUE(update.endsWith(QStringLiteral("WHERE 1=1 AND CODVENDEDOR = :CODVENDEDOR")));

    EXPECT_EQ(TVendedorDAO::FRetornaSqlDeletaRegistroVendend(),
              QStringLiteral("DELETE FROM VENDEND WHERE 1=1 AND CODVENDEDOR = :CODVENDEDOR"));
}

} // namespace
