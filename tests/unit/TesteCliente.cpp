// The customer record: setters, reset and the literal statements, without a database.
#include "Cliente.h"
#include "ComplClientes.h"
#include "ConfiguracaoRegional.h"
#include "ImprimeQString.h"
#include "LinhaComoTexto.h"
#include "TConexaoDestino.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Setter = void (TConverteCliente::*)(const QString&);
using Getter = const QString& (TConverteCliente::*)() const;

void FixaHoje() {
    DefineRelogio([] { return QDateTime(QDate(2026, 12, 9), QTime(10, 30)); });
}

// Splits a comma-separated SQL list; quoted literals ('..' with '' inside, "..") stay whole.
QStringList Itens(const QString& lista) {
    QStringList itens;
    QString atual;
    QChar aspa;
    for (qsizetype i = 0; i < lista.size(); ++i) {
        const QChar c = lista.at(i);
        if (!aspa.isNull()) {
            atual += c;
            if (c == aspa) {
                if (aspa == QLatin1Char('\'') && i + 1 < lista.size() && lista.at(i + 1) == aspa) {
                    atual += lista.at(++i);
                } else {
                    aspa = QChar();
                }
            }
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            aspa = c;
            atual += c;
        } else if (c == QLatin1Char(',')) {
            itens << atual.trimmed();
            atual.clear();
        } else {
            atual += c;
        }
    }
    if (!atual.trimmed().isEmpty()) {
        itens << atual.trimmed();
    }
    return itens;
}

using Pares = std::vector<std::pair<QString, QString>>;

// The insert as (column, value) pairs in statement order; fails the test when the lists differ in length.
Pares ParesInsert(const QString& sql) {
    const QString inicio = QStringLiteral("Insert Into Cliente (");
    EXPECT_TRUE(sql.startsWith(inicio)) << sql.toStdString();
    const qsizetype fimColunas = sql.indexOf(QLatin1Char(')'));
    const qsizetype inicioValores = sql.indexOf(QStringLiteral("Values ("), fimColunas);
    EXPECT_GT(inicioValores, fimColunas);
    EXPECT_TRUE(sql.endsWith(QLatin1Char(')')));
    const QStringList colunas = Itens(sql.mid(inicio.size(), fimColunas - inicio.size()));
    const qsizetype abre = inicioValores + 8;
    const QStringList valores = Itens(sql.mid(abre, sql.size() - 1 - abre));
    EXPECT_EQ(colunas.size(), valores.size()) << sql.toStdString();
    Pares pares;
    for (qsizetype i = 0; i < std::min(colunas.size(), valores.size()); ++i) {
        pares.emplace_back(colunas[i], valores[i]);
    }
    return pares;
}

// The update's assignments as (column, value) pairs and its key literal.
Pares ParesUpdate(const QString& sql, QString& chave) {
    const QString inicio = QStringLiteral("Update Cliente set ");
    const QString onde = QStringLiteral(" where cliente.codCliente = ");
    EXPECT_TRUE(sql.startsWith(inicio)) << sql.toStdString();
    const qsizetype posOnde = sql.lastIndexOf(onde);
    EXPECT_GT(posOnde, 0);
    chave = sql.mid(posOnde + onde.size());
    Pares pares;
    for (const QString& item : Itens(sql.mid(inicio.size(), posOnde - inicio.size()))) {
        const qsizetype igual = item.indexOf(QStringLiteral(" = "));
        EXPECT_GT(igual, 0) << item.toStdString();
        pares.emplace_back(item.left(igual), item.mid(igual + 3));
    }
    return pares;
}

class TesteCliente : public ::testing::Test {
protected:
    TConexaoDestino conexao; // never opened: nothing here touches the database
};

struct CasoSetter {
    const char* nome;
    Setter set;
    Getter get;
    QString entrada;
    QString esperado;
};

TEST_F(TesteCliente, SettersLimpamNaOrdemCerta) {
    using C = TConverteCliente;
    const QString aspa = QStringLiteral("\"");
    const std::vector<CasoSetter> casos = {
        {"codigo curto", &C::SetCodCliente, &C::CodCliente, QStringLiteral("123"), QStringLiteral("00000123")},
        {"codigo longo", &C::SetCodCliente, &C::CodCliente, QStringLiteral("123456789"), QStringLiteral("12345678")},
        // Filled before the mask: seven digits, as the target's existing codes are.
        {"codigo com ponto", &C::SetCodCliente, &C::CodCliente, QStringLiteral("12.345"), QStringLiteral("0012345")},
        {"codigo vazio", &C::SetCodCliente, &C::CodCliente, QString(), QStringLiteral("00000000")},
        {"nome com acento", &C::SetNome, &C::Nome, QStringLiteral(" joão d'ávila "), QStringLiteral("JOAO D'AVILA")},
        {"nome longo", &C::SetNome, &C::Nome, QStringLiteral("ção ") + QString(66, QLatin1Char('x')),
         QStringLiteral("CAO ") + QString(56, QLatin1Char('X'))},
        {"nome com aspas", &C::SetNome, &C::Nome, QStringLiteral("ANA \"BIA\" SOUZA"), QStringLiteral("ANA BIA SOUZA")},
        // The in-loop cut drops the tail, so the final trim leaves no trailing blanks.
        {"nome aspas e cauda", &C::SetNome, &C::Nome,
         aspa + QStringLiteral("maria") + QString(60, QLatin1Char(' ')) + QStringLiteral("x"), QStringLiteral("MARIA")},
        {"fantasia", &C::SetNomeFantasia, &C::NomeFantasia, QStringLiteral(" loja ") + QString(60, QLatin1Char('y')),
         QStringLiteral("LOJA ") + QString(45, QLatin1Char('Y'))},
        {"contato", &C::SetContato, &C::Contato, QStringLiteral("  Maria Souza  "), QStringLiteral("Maria Souza")},
        {"estado sem trim", &C::SetEstado, &C::Estado, QStringLiteral(" sp"), QStringLiteral(" S")},
        {"estado entrega", &C::SetEstadoEntr, &C::EstadoEntr, QStringLiteral(" sp"), QStringLiteral("SP")},
        {"estado cobranca", &C::SetEstadoCob, &C::EstadoCob, QStringLiteral("mg"), QStringLiteral("MG")},
        {"fone", &C::SetFone, &C::Fone, QStringLiteral("(31) 3333-4444"), QStringLiteral("3133334444")},
        {"fax", &C::SetFax, &C::Fax, QStringLiteral("(31) 3333-4444"), QStringLiteral("3133334444")},
        // Fone cuts the text before taking digits, fax masks first: the same text gives different numbers.
        {"fone longo", &C::SetFone, &C::Fone, QStringLiteral("(031) 3333-4444 ramal 22"),
         QStringLiteral("03133334444")},
        {"fax longo", &C::SetFax, &C::Fax, QStringLiteral("(031) 3333-4444 ramal 22"), QStringLiteral("0313333444422")},
        {"fone com aspas", &C::SetFone, &C::Fone, QStringLiteral("\"(31) 3333-4444\""), QStringLiteral("3133334444")},
        {"celular", &C::SetCelular, &C::Celular, QStringLiteral("(31) 9 9999-8888"), QStringLiteral("31999998888")},
        {"cidade vazia", &C::SetCodCidade, &C::CodCidade, QString(), QString()},
        {"cidade curta", &C::SetCodCidade, &C::CodCidade, QStringLiteral("7"), QStringLiteral("00007")},
        {"cidade longa", &C::SetCodCidadeCob, &C::CodCidadeCob, QStringLiteral("123456"), QStringLiteral("12345")},
        {"bairro aspas", &C::SetBairro, &C::Bairro, QStringLiteral("VILA \"NOVA\""), QStringLiteral("VILA NOVA")},
        {"bairro apostrofo", &C::SetBairro, &C::Bairro, QStringLiteral("D'AVILA"), QStringLiteral("D'AVILA")},
        {"bairro sem trim", &C::SetBairroEntr, &C::BairroEntr, QStringLiteral(" CENTRO"), QStringLiteral(" CENTRO")},
        {"bairro cobranca", &C::SetBairroCob, &C::BairroCob, QStringLiteral(" JARDIM \"AMERICA\""),
         QStringLiteral("JARDIM AMERICA")},
        {"bairro cobranca longo", &C::SetBairroCob, &C::BairroCob, QStringLiteral("  ") + QString(40, QLatin1Char('b')),
         QString(30, QLatin1Char('b'))},
        {"endereco", &C::SetEndereco, &C::Endereco, QStringLiteral(" Rua \"A\", 10 "), QStringLiteral("Rua A, 10")},
        {"cep mascara", &C::SetCep, &C::Cep, QStringLiteral("30.140-071"), QStringLiteral("30140071")},
        {"cep longo", &C::SetCepEntr, &C::CepEntr, QStringLiteral("123456789"), QStringLiteral("12345678")},
        {"cnpj", &C::SetCgcCpf, &C::CgcCpf, QStringLiteral("12.345.678/0001-90"), QStringLiteral("12345678000190")},
        {"cpf", &C::SetCgcCpf, &C::CgcCpf, QStringLiteral("123.456.789-01"), QStringLiteral("12345678901")},
        {"cnpj isento", &C::SetCgcCpf, &C::CgcCpf, QStringLiteral(" isento "), QStringLiteral(" ISENTO ")},
        {"cnpj isenta", &C::SetCgcCpf, &C::CgcCpf, QStringLiteral("isenta"), QString()},
        {"cnpj alfanumerico", &C::SetCgcCpf, &C::CgcCpf, QStringLiteral("12.ABC.345/01DE-35"),
         QStringLiteral("12ABC34501DE35")},
        {"cnpj alfanumerico minusculo", &C::SetCgcCpf, &C::CgcCpf, QStringLiteral(" 12.abc.345/01de-35 "),
         QStringLiteral("12ABC34501DE35")},
        {"cnpj alfanumerico com aspas", &C::SetCgcCpf, &C::CgcCpf, QStringLiteral("\"12.ABC.345/01DE-35\""),
         QStringLiteral("12ABC34501DE35")},
        // Wrong check digits: not a CNPJ of the new form, so the old steps keep only its digits.
        {"cnpj alfanumerico invalido", &C::SetCgcCpf, &C::CgcCpf, QStringLiteral("12.ABC.345/01DE-36"),
         QStringLiteral("123450136")},
        {"inscricao", &C::SetInscEst, &C::InscEst, QStringLiteral("062.307.904/0081"), QStringLiteral("0623079040081")},
        {"inscricao isenta", &C::SetInscEst, &C::InscEst, QStringLiteral("Isento"), QStringLiteral("ISENTO")},
        {"inscricao com aspas", &C::SetInscEst, &C::InscEst, QStringLiteral("\"062.307.904/0081\""),
         QStringLiteral("0623079040081")},
        {"cpf com aspas", &C::SetCgcCpf, &C::CgcCpf, QStringLiteral("\"123.456.789-01\""),
         QStringLiteral("12345678901")},
        {"cep com aspas", &C::SetCep, &C::Cep, QStringLiteral("\"30.140-071\""), QStringLiteral("30140071")},
        {"fax com aspas", &C::SetFax, &C::Fax, QStringLiteral("\"(31) 3333-4444\""), QStringLiteral("3133334444")},
        {"vendedor", &C::SetCodVendend1, &C::CodVendend1, QStringLiteral("7"), QStringLiteral("0007")},
        {"vendedor longo", &C::SetCodVendend1, &C::CodVendend1, QStringLiteral("12345"), QStringLiteral("1234")},
        {"prazo", &C::SetCodPrazo, &C::CodPrazo, QStringLiteral("5"), QStringLiteral("005")},
        {"pais", &C::SetCodPais, &C::CodPais, QStringLiteral("58"), QStringLiteral("0058")},
        {"municipio", &C::SetCodMunicipio, &C::CodMunicipio, QStringLiteral(" 31062001234 "),
         QStringLiteral("3106200")},
        {"observacao", &C::SetObsercacao, &C::Observacao, QString(150, QLatin1Char('o')),
         QString(100, QLatin1Char('o'))},
        {"pessoa", &C::SetPessoa_FJ, &C::Pessoa_FJ, QStringLiteral("Jx"), QStringLiteral("J")},
        {"codigo fornecedor como veio", &C::SetCodFornec, &C::CodFornec, QStringLiteral(" 1\"2 "),
         QStringLiteral(" 12 ")},
    };
    for (const CasoSetter& caso : casos) {
        TConverteCliente cliente(conexao);
        (cliente.*caso.set)(caso.entrada);
        EXPECT_EQ((cliente.*caso.get)(), caso.esperado) << caso.nome;
        EXPECT_FALSE((cliente.*caso.get)().contains(QLatin1Char('"'))) << caso.nome;
    }
}

TEST_F(TesteCliente, CodigosComValorEmBrancoMantemOAnterior) {
    using C = TConverteCliente;
    const std::vector<std::pair<Setter, Getter>> setters = {{&C::SetCodVendend1, &C::CodVendend1},
                                                            {&C::SetCodPrazo, &C::CodPrazo},
                                                            {&C::SetCodPais, &C::CodPais},
                                                            {&C::SetCodClasCli, &C::CodClasCli}};
    for (const auto& [set, get] : setters) {
        TConverteCliente cliente(conexao);
        (cliente.*set)(QStringLiteral("1"));
        const QString antes = (cliente.*get)();
        ASSERT_FALSE(antes.isEmpty());
        (cliente.*set)(QString());
        EXPECT_EQ((cliente.*get)(), antes);
        if (set != &C::SetCodClasCli) {
            (cliente.*set)(QStringLiteral("   "));
            EXPECT_EQ((cliente.*get)(), antes);
        }
    }
}

struct CasoData {
    const char* nome;
    Setter set;
    Getter get;
    QString entrada;
    QString esperado;
};

TEST_F(TesteCliente, DatasPontuadasHojeOuComoVieram) {
    FixaHoje();
    using C = TConverteCliente;
    const std::vector<CasoData> casos = {
        {"cadastro vazio", &C::SetDT_Cadastro, &C::DT_Cadastro, QString(), QStringLiteral("09.12.2026")},
        {"cadastro", &C::SetDT_Cadastro, &C::DT_Cadastro, QStringLiteral("15/03/2010"), QStringLiteral("15.03.2010")},
        {"cadastro ilegivel", &C::SetDT_Cadastro, &C::DT_Cadastro, QStringLiteral("abc"), QStringLiteral("abc")},
        {"cadastro numero de dias", &C::SetDT_Cadastro, &C::DT_Cadastro, QStringLiteral("42078"),
         QStringLiteral("15.03.2015")},
        {"nascimento vazio", &C::SetDT_Nascimento, &C::DT_Nascimento, QString(), QString()},
        {"nascimento", &C::SetDT_Nascimento, &C::DT_Nascimento, QStringLiteral("02/07/1980"),
         QStringLiteral("02.07.1980")},
        {"nascimento ilegivel", &C::SetDT_Nascimento, &C::DT_Nascimento, QStringLiteral("abc"), QStringLiteral("abc")},
        {"ultima venda vazia", &C::SetDt_Ult_Venda, &C::Dt_Ult_Venda, QString(), QStringLiteral("09.12.2026")},
        {"ultima venda ilegivel", &C::SetDt_Ult_Venda, &C::Dt_Ult_Venda, QStringLiteral("abc"), QString()},
        {"alteracao", &C::SetDt_Ult_Alteracao, &C::Dt_Ult_Alteracao, QStringLiteral("04-05-2021"),
         QStringLiteral("04.05.2021")},
        {"validade ilegivel", &C::SetDT_Valcad, &C::DT_ValCad, QStringLiteral("abc"), QString()},
    };
    for (const CasoData& caso : casos) {
        TConverteCliente cliente(conexao);
        (cliente.*caso.set)(caso.entrada);
        EXPECT_EQ((cliente.*caso.get)(), caso.esperado) << caso.nome;
    }
}

// What the database reads as a date: day.month.year or year.month.day with an optional time,
// ASCII blanks around; a real day only.
TEST(DataLegivel, SoDatasQueOBancoLe) {
    const std::vector<std::pair<QString, bool>> casos = {
        {QString(), true},
        {QStringLiteral(" \t "), true},
        {QStringLiteral("15.03.2010"), true},
        {QStringLiteral(" 15.03.2010\n"), true},
        {QStringLiteral("2010.03.15"), true},
        {QStringLiteral("5.3.7"), true},
        {QStringLiteral("29.02.24"), true},
        {QStringLiteral("29.02.2023"), false},
        {QStringLiteral("31.04.2010"), false},
        {QStringLiteral("15.03.0"), false},
        {QStringLiteral("115.03.2010"), false},
        {QStringLiteral("15.03.20100"), false},
        {QStringLiteral("15/03/2010"), false},
        {QStringLiteral("15..2010"), false},
        {QStringLiteral("15.03.2010x"), false},
        {QStringLiteral("15.03.2010 10:30"), true},
        {QStringLiteral("15.03.2010\t9:05:59 "), true},
        {QStringLiteral("15.03.201010:30"), false},
        {QStringLiteral("15.03.2010 10:3"), false},
        {QStringLiteral("15.03.2010 123:45"), false},
        {QStringLiteral("15.03.2010 10:30:4"), false},
        {QStringLiteral("15.03.2010 10:30:"), false},
        {QStringLiteral("15.03.2010 10:305"), false},
        {QStringLiteral("15.03.2010 abc"), false},
        {QString::fromUtf16(u"15.03.2010\u00A0"), false},
        {QString::fromUtf16(u"\u0661\u0665.03.2010"), false},
    };
    for (const auto& [data, legivel] : casos) {
        EXPECT_EQ(TConverteCliente::DataLegivel(data), legivel) << data.toStdString();
    }
}

TEST_F(TesteCliente, LimpaVariavelReiniciaUnsEMantemOutros) {
    FixaHoje();
    TConverteCliente cliente(conexao);
    cliente.SetCodCliente(QStringLiteral("55"));
    cliente.SetNome(QStringLiteral("NOME"));
    cliente.SetPessoa_FJ(QStringLiteral("J"));
    cliente.SetAtivo(QStringLiteral("N"));
    cliente.SetCliBloqueado(QStringLiteral("S"));
    cliente.SetMalaDiretaEletr(QStringLiteral("S"));
    cliente.SetDT_Nascimento(QStringLiteral("02/07/1980"));
    cliente.SetDT_Cadastro(QStringLiteral("15/03/2010"));
    cliente.SetDt_Ult_Alteracao(QStringLiteral("01/01/2020"));
    cliente.SetCodPais(QStringLiteral("1058"));
    cliente.SetCodVendend1(QStringLiteral("7"));
    cliente.SetCodPrazo(QStringLiteral("30"));
    cliente.SetCampoLivre3(QStringLiteral("LIVRE"));
    cliente.SetCgcCpf(QStringLiteral("12.ABC.345/01DE-35"));
    // Not reset: they carry over to the next customer.
    cliente.SetContato(QStringLiteral("CONTATO"));
    cliente.SetNomeCidade(QStringLiteral("CIDADE"));
    cliente.SetInscMunicipal(QStringLiteral("123"));
    cliente.SetNomeMae(QStringLiteral("MAE"));
    cliente.SetDt_Ult_Venda(QStringLiteral("03/04/2020"));
    cliente.SetDT_Valcad(QStringLiteral("31/12/2030"));
    cliente.SetCodSegmento(QStringLiteral("004"));
    cliente.SetCodClasCli(QStringLiteral("005"));
    cliente.SetNomeSocio(QStringLiteral("SOCIO"));
    cliente.SetCodFornec(QStringLiteral("F1"));
    cliente.SetLimiteCredito(1500.5);

    cliente.LimpaVariavel();

    const std::vector<std::pair<QString, QString>> valores = {
        {cliente.CodCliente(), QStringLiteral("00000000")},
        {cliente.Nome(), QString()},
        {cliente.Pessoa_FJ(), QStringLiteral("F")},
        {cliente.Ativo(), QStringLiteral("S")},
        {cliente.CliBloqueado(), QStringLiteral("N")},
        {cliente.MalaDiretaEletr(), QStringLiteral("N")},
        {cliente.ProtestarCliente(), QStringLiteral("N")},
        {cliente.DT_Nascimento(), QString()},
        {cliente.DT_Cadastro(), QStringLiteral("09.12.2026")},
        {cliente.Dt_Ult_Alteracao(), QStringLiteral("09.12.2026")},
        {cliente.CodPais(), QString()},
        {cliente.CodVendend1(), QString()},
        {cliente.CodPrazo(), QString()},
        {cliente.CampoLivre(3), QString()},
        {cliente.CgcCpf(), QString()},
        {cliente.Contato(), QStringLiteral("CONTATO")},
        {cliente.NomeCidade(), QStringLiteral("CIDADE")},
        {cliente.InscMunicipal(), QStringLiteral("123")},
        {cliente.NomeMae(), QStringLiteral("MAE")},
        {cliente.Dt_Ult_Venda(), QStringLiteral("03.04.2020")},
        {cliente.DT_ValCad(), QStringLiteral("31.12.2030")},
        {cliente.CodSegmento(), QStringLiteral("004")},
        {cliente.CodClasCli(), QStringLiteral("005")},
        {cliente.NomeSocio(), QStringLiteral("SOCIO")},
        {cliente.CodFornec(), QStringLiteral("F1")},
    };
    for (std::size_t i = 0; i < valores.size(); ++i) {
        EXPECT_EQ(valores[i].first, valores[i].second) << "item " << i;
    }
    EXPECT_EQ(cliente.LimiteCredito(), 1500.5);
}

TEST_F(TesteCliente, InsertDeRegistroRecemLimpo) {
    FixaHoje();
    const TConverteCliente cliente(conexao);
    const Pares pares = ParesInsert(LinhaComoTexto(cliente.MontaSqlInsere()));
    ASSERT_EQ(pares.size(), 49u + 2u + 4u);
    const Pares esperadosNoFim = {
        {QStringLiteral("Cliente.Data_Ult_Alteracao"), QStringLiteral("'09.12.2026'")},
        {QStringLiteral("cliente.dt_cadastro"), QStringLiteral("'09.12.2026'")},
        {QStringLiteral("cliente.Ativo"), QStringLiteral("'S'")},
        {QStringLiteral("cliente.CliBloqueado"), QStringLiteral("'N'")},
        {QStringLiteral("cliente.maladiretaeletr"), QStringLiteral("\"N\"")},
        {QStringLiteral("cliente.protestarcliente"), QStringLiteral("\"N\"")},
    };
    EXPECT_EQ(Pares(pares.end() - 6, pares.end()), esperadosNoFim);
    EXPECT_EQ(pares[0], std::make_pair(QStringLiteral("cliente.codCliente"), QStringLiteral("'00000000'")));
    EXPECT_EQ(pares[10], std::make_pair(QStringLiteral("cliente.pessoa_fj"), QStringLiteral("'F'")));
    EXPECT_EQ(pares[45], std::make_pair(QStringLiteral("Cliente.LimiteCredito"), QStringLiteral("0")));
    for (std::size_t i = 1; i < 49; ++i) {
        if (i != 10 && i != 45) {
            EXPECT_EQ(pares[i].second, QStringLiteral("''")) << pares[i].first.toStdString();
        }
    }
}

// A record whose every field is distinct, so a value written under the wrong column shows.
class TesteClienteCompleto : public TesteCliente {
protected:
    void SetUp() override {
        Regional().separadorDecimal = QLatin1Char(',');
        c.SetCodCliente(QStringLiteral("42"));
        c.SetNome(QStringLiteral("D'AVILA"));
        c.SetNomeFantasia(QStringLiteral("FANTASIA"));
        c.SetEndereco(QStringLiteral("END"));
        c.SetEnderecoEntr(QStringLiteral("ENDENT"));
        c.SetEnderecoCob(QStringLiteral("ENDCOB"));
        c.SetBairro(QStringLiteral("BAI"));
        c.SetBairroEntr(QStringLiteral("BAIENT"));
        c.SetBairroCob(QStringLiteral("BAICOB"));
        c.SetCodCidade(QStringLiteral("1"));
        c.SetCodCidadeEntr(QStringLiteral("2"));
        c.SetCodCidadeCob(QStringLiteral("3"));
        c.SetEstado(QStringLiteral("MG"));
        c.SetEstadoEntr(QStringLiteral("SP"));
        c.SetEstadoCob(QStringLiteral("RJ"));
        c.SetCep(QStringLiteral("11111111"));
        c.SetCepEntr(QStringLiteral("22222222"));
        c.SetCepCob(QStringLiteral("33333333"));
        c.SetCgcCpf(QStringLiteral("12345678901"));
        c.SetInscEst(QStringLiteral("999"));
        c.SetPessoa_FJ(QStringLiteral("J"));
        c.SetFone(QStringLiteral("3111"));
        c.SetFax(QStringLiteral("3122"));
        c.SetPrefixCelular(QStringLiteral("31"));
        c.SetCelular(QStringLiteral("99998888"));
        c.SetEmail(QStringLiteral("e@x"));
        c.SetHomePage(QStringLiteral("www"));
        c.SetAtivo(QStringLiteral("N"));
        c.SetCliBloqueado(QStringLiteral("S"));
        c.SetRetemISS(QStringLiteral("S"));
        c.SetDT_Nascimento(QStringLiteral("02/07/1980"));
        c.SetDT_Cadastro(QStringLiteral("15/03/2010"));
        c.SetDt_Ult_Venda(QStringLiteral("03/04/2020"));
        c.SetDt_Ult_Alteracao(QStringLiteral("04/05/2021"));
        c.SetDT_Valcad(QStringLiteral("31/12/2030"));
        c.SetObsercacao(QStringLiteral("OBS"));
        c.SetCampoLivre1(QStringLiteral("L1"));
        c.SetCampoLivre2(QStringLiteral("L2"));
        c.SetCampoLivre3(QStringLiteral("L3"));
        c.SetCampoLivre4(QStringLiteral("L4"));
        c.SetCampoLivre5(QStringLiteral("L5"));
        c.SetCampoLivre6(QStringLiteral("L6"));
        c.SetCampoLivre7(QStringLiteral("L7"));
        c.SetCampoLivre8(QStringLiteral("L8"));
        c.SetCampoLivre9(QStringLiteral("L9"));
        c.SetCampoLivre10(QStringLiteral("L10"));
        c.SetCodSegmento(QStringLiteral("004"));
        c.SetCodClasCli(QStringLiteral("005"));
        c.SetCodVendend1(QStringLiteral("7"));
        c.SetCodPais(QStringLiteral("1058"));
        c.SetCodMunicipio(QStringLiteral("3106200"));
        c.SetNomeSocio(QStringLiteral("SOCIO"));
        c.SetCodPrazo(QStringLiteral("8"));
        c.SetCodFornec(QStringLiteral("F1"));
        c.SetContato(QStringLiteral("CONT"));
        c.SetLimiteCredito(1500.5);
    }

    // Fixed columns 2 to 49, in statement order.
    static Pares FixasSemCodigo() {
        return {
            {QStringLiteral("cliente.nome"), QStringLiteral("'D''AVILA'")},
            {QStringLiteral("cliente.nomefantasia"), QStringLiteral("'FANTASIA'")},
            {QStringLiteral("cliente.endereco"), QStringLiteral("'END'")},
            {QStringLiteral("cliente.bairro"), QStringLiteral("'BAI'")},
            {QStringLiteral("cliente.codcidade"), QStringLiteral("'00001'")},
            {QStringLiteral("cliente.estado"), QStringLiteral("'MG'")},
            {QStringLiteral("cliente.cep"), QStringLiteral("'11111111'")},
            {QStringLiteral("cliente.cgccpf"), QStringLiteral("'12345678901'")},
            {QStringLiteral("cliente.inscest"), QStringLiteral("'999'")},
            {QStringLiteral("cliente.pessoa_fj"), QStringLiteral("'J'")},
            {QStringLiteral("cliente.fone"), QStringLiteral("'3111'")},
            {QStringLiteral("cliente.fax"), QStringLiteral("'3122'")},
            {QStringLiteral("cliente.prefixcelular"), QStringLiteral("'31'")},
            {QStringLiteral("cliente.celular"), QStringLiteral("'99998888'")},
            {QStringLiteral("cliente.campolivre1"), QStringLiteral("'L1'")},
            {QStringLiteral("cliente.campolivre2"), QStringLiteral("'L2'")},
            {QStringLiteral("cliente.campolivre3"), QStringLiteral("'L3'")},
            {QStringLiteral("cliente.campolivre4"), QStringLiteral("'L4'")},
            {QStringLiteral("cliente.campolivre5"), QStringLiteral("'L5'")},
            {QStringLiteral("cliente.campolivre6"), QStringLiteral("'L6'")},
            {QStringLiteral("cliente.campolivre7"), QStringLiteral("'L7'")},
            {QStringLiteral("cliente.campolivre8"), QStringLiteral("'L8'")},
            {QStringLiteral("cliente.campolivre9"), QStringLiteral("'L9'")},
            {QStringLiteral("cliente.campolivre10"), QStringLiteral("'L10'")},
            {QStringLiteral("cliente.observacao"), QStringLiteral("'OBS'")},
            {QStringLiteral("cliente.RetemISS"), QStringLiteral("'S'")},
            {QStringLiteral("cliente.email"), QStringLiteral("'e@x'")},
            {QStringLiteral("cliente.homepage"), QStringLiteral("'www'")},
            {QStringLiteral("cliente.enderecocob"), QStringLiteral("'ENDCOB'")},
            {QStringLiteral("cliente.bairrocob"), QStringLiteral("'BAICOB'")},
            {QStringLiteral("cliente.cepcob"), QStringLiteral("'33333333'")},
            {QStringLiteral("cliente.codcidadecob"), QStringLiteral("'00003'")},
            {QStringLiteral("cliente.estadocob"), QStringLiteral("'RJ'")},
            {QStringLiteral("cliente.enderecoent"), QStringLiteral("'ENDENT'")},
            {QStringLiteral("cliente.bairroent"), QStringLiteral("'BAIENT'")},
            {QStringLiteral("cliente.cepent"), QStringLiteral("'22222222'")},
            {QStringLiteral("cliente.codcidadeent"), QStringLiteral("'00002'")},
            {QStringLiteral("cliente.estadoent"), QStringLiteral("'SP'")},
            {QStringLiteral("cliente.codfornec"), QStringLiteral("'F1'")},
            {QStringLiteral("Cliente.contato"), QStringLiteral("'CONT'")},
            {QStringLiteral("Cliente.CodSegmento"), QStringLiteral("'004'")},
            {QStringLiteral("Cliente.CodClasCli"), QStringLiteral("'005'")},
            {QStringLiteral("Cliente.CodVendend1"), QStringLiteral("'0007'")},
            {QStringLiteral("Cliente.CodPrazo"), QStringLiteral("'008'")},
            // A point whatever the regional decimal separator (a comma here).
            {QStringLiteral("Cliente.LimiteCredito"), QStringLiteral("1500.5")},
            {QStringLiteral("Cliente.CodPais"), QStringLiteral("'1058'")},
            {QStringLiteral("Cliente.CodMunicipio"), QStringLiteral("'3106200'")},
            {QStringLiteral("cliente.nomesocio"), QStringLiteral("'SOCIO'")},
        };
    }

    static Pares Datas() {
        return {
            {QStringLiteral("cliente.dt_nascimento"), QStringLiteral("'02.07.1980'")},
            {QStringLiteral("cliente.dt_ultvenda"), QStringLiteral("'03.04.2020'")},
            {QStringLiteral("Cliente.Data_Ult_Alteracao"), QStringLiteral("'04.05.2021'")},
            {QStringLiteral("cliente.dt_cadastro"), QStringLiteral("'15.03.2010'")},
            {QStringLiteral("cliente.DT_ValCad"), QStringLiteral("'31.12.2030'")},
        };
    }

    TConverteCliente c{conexao};
};

TEST_F(TesteClienteCompleto, InsertPoeCadaValorNaSuaColuna) {
    Pares esperado = {{QStringLiteral("cliente.codCliente"), QStringLiteral("'00000042'")}};
    for (const auto& par : FixasSemCodigo()) {
        esperado.push_back(par);
    }
    for (const auto& par : Datas()) {
        esperado.push_back(par);
    }
    esperado.insert(esperado.end(), {{QStringLiteral("cliente.Ativo"), QStringLiteral("'N'")},
                                     {QStringLiteral("cliente.CliBloqueado"), QStringLiteral("'S'")},
                                     {QStringLiteral("cliente.maladiretaeletr"), QStringLiteral("\"N\"")},
                                     {QStringLiteral("cliente.protestarcliente"), QStringLiteral("\"N\"")}});
    EXPECT_EQ(ParesInsert(LinhaComoTexto(c.MontaSqlInsere())), esperado);
}

TEST_F(TesteClienteCompleto, UpdateNaoMudaOCodigoEForcaNaoBloqueado) {
    Pares esperado = FixasSemCodigo();
    for (const auto& par : Datas()) {
        esperado.push_back(par);
    }
    esperado.insert(esperado.end(), {{QStringLiteral("cliente.Ativo"), QStringLiteral("'N'")},
                                     {QStringLiteral("cliente.CliBloqueado"), QStringLiteral("\"N\"")},
                                     {QStringLiteral("cliente.maladiretaeletr"), QStringLiteral("\"N\"")},
                                     {QStringLiteral("cliente.protestarcliente"), QStringLiteral("\"N\"")}});
    QString chave;
    EXPECT_EQ(ParesUpdate(LinhaComoTexto(c.AtualizaCliente()), chave), esperado);
    EXPECT_EQ(chave, QStringLiteral("'00000042'"));
}

TEST_F(TesteClienteCompleto, DatasVaziasSaemDoInsertEViramNullNoUpdate) {
    FixaHoje();
    c.SetDT_Nascimento(QString());
    c.SetDt_Ult_Venda(QStringLiteral("abc"));
    c.SetDT_Valcad(QStringLiteral("abc"));
    const Pares insert = ParesInsert(LinhaComoTexto(c.MontaSqlInsere()));
    const Pares datasInsert(insert.begin() + 49, insert.end() - 4);
    EXPECT_EQ(datasInsert, (Pares{{QStringLiteral("Cliente.Data_Ult_Alteracao"), QStringLiteral("'04.05.2021'")},
                                  {QStringLiteral("cliente.dt_cadastro"), QStringLiteral("'15.03.2010'")}}));

    QString chave;
    const Pares update = ParesUpdate(LinhaComoTexto(c.AtualizaCliente()), chave);
    ASSERT_EQ(update.size(), 48u + 5u + 4u);
    const Pares datasUpdate(update.begin() + 48, update.end() - 4);
    EXPECT_EQ(datasUpdate, (Pares{{QStringLiteral("cliente.dt_nascimento"), QStringLiteral("NULL")},
                                  {QStringLiteral("cliente.dt_ultvenda"), QStringLiteral("NULL")},
                                  {QStringLiteral("Cliente.Data_Ult_Alteracao"), QStringLiteral("'04.05.2021'")},
                                  {QStringLiteral("cliente.dt_cadastro"), QStringLiteral("'15.03.2010'")},
                                  {QStringLiteral("cliente.DT_ValCad"), QStringLiteral("NULL")}}));
}

TEST_F(TesteClienteCompleto, LimiteComPontoEmQualquerSeparador) {
    const std::vector<std::pair<double, QString>> casos = {
        {1500.5, QStringLiteral("1500.5")}, {0, QStringLiteral("0")}, {-12.25, QStringLiteral("-12.25")}};
    for (const QChar separador : {QLatin1Char(','), QLatin1Char('.')}) {
        Regional().separadorDecimal = separador;
        for (const auto& [valor, texto] : casos) {
            c.SetLimiteCredito(valor);
            const Pares insert = ParesInsert(LinhaComoTexto(c.MontaSqlInsere()));
            ASSERT_GT(insert.size(), 45u);
            EXPECT_EQ(insert[45].second, texto);
        }
    }
}

struct CasoNumero {
    QString endereco;
    QString numero;
};

TEST(NumeroDaCasa, MarcadorPrimeiraVirgulaOuUltimoNumero) {
    const std::vector<CasoNumero> casos = {
        {QStringLiteral("RUA DAS FLORES 123, FUNDOS"), QStringLiteral("123")},
        {QStringLiteral("RUA X 100, BLOCO B"), QStringLiteral("100")},
        {QStringLiteral("RUA E, 300, BH"), QStringLiteral("300")},
        {QStringLiteral("RUA A, 100, APTO 201"), QStringLiteral("100")},
        {QStringLiteral("AV BRASIL 1500, SALA 3"), QStringLiteral("1500")},
        {QStringLiteral("RUA J, 1.234"), QStringLiteral("1234")},
        {QStringLiteral("RUA J, nº 1.234"), QStringLiteral("1234")},
        {QStringLiteral("RUA 25, 100"), QStringLiteral("100")},
        {QStringLiteral("RUA B nº45"), QStringLiteral("45")},
        {QStringLiteral("RUA 7 DE SETEMBRO 120"), QStringLiteral("120")},
        {QStringLiteral("RUA 13 DE MAIO S/N"), QString()},
        {QStringLiteral("RUA 13 DE MAIO, S/N"), QString()},
        {QStringLiteral("R. DO CONTORNO, 3443 - APTO 1099"), QStringLiteral("3443")},
        {QStringLiteral("AVENIDA SANTOS DUMONT, Nº 2084 - SALA 27"), QStringLiteral("2084")},
        // Beyond the table: other markers, "SN" as a word only, a number before the comma with a dot.
        {QStringLiteral("RUA B n°. 12"), QStringLiteral("12")},
        {QStringLiteral("RUA A nº S/N"), QString()},
        {QStringLiteral("RUA 13, s/n"), QString()},
        {QStringLiteral("RUA 13 DE MAIO SN"), QString()},
        {QStringLiteral("RUA SNOOPY 40"), QStringLiteral("40")},
        {QStringLiteral("AV X 1.500, SALA 2"), QStringLiteral("1500")},
        {QStringLiteral("ROD BR 381 KM 12."), QStringLiteral("12")},
        {QStringLiteral("RUA SEM NUMERO"), QString()},
        {QStringLiteral("RUA X, FUNDOS"), QString()},
        {QString(), QString()},
    };
    for (const CasoNumero& caso : casos) {
        EXPECT_EQ(NumeroDaCasa(caso.endereco), caso.numero) << caso.endereco.toStdString();
    }
}

TEST(ComplementoCliente, SettersCortamEPreenchem) {
    TConexaoDestino conexao;
    TConverteCompClie comp(conexao);
    EXPECT_EQ(comp.Data_lib(), QStringLiteral("01/01/1900"));

    comp.SetCodcliente(QStringLiteral(" 42 "));
    EXPECT_EQ(comp.Codcliente(), QStringLiteral("00000042"));
    comp.SetCodcliente(QStringLiteral("123456789"));
    EXPECT_EQ(comp.Codcliente(), QStringLiteral("12345678"));
    comp.SetNumeroNfe(NumeroDaCasa(QStringLiteral("AV X, 1234567")));
    EXPECT_EQ(comp.NumeroNfe(), QStringLiteral("12345"));
    comp.SetUsuario(QStringLiteral("ABCDEFGHIJKL"));
    EXPECT_EQ(comp.Usuario(), QStringLiteral("ABCDEFGHIJ"));
    comp.SetEnderecoNfe(QStringLiteral("RUA \"A\" D'AVILA"));
    EXPECT_EQ(comp.EnderecoNfe(), QStringLiteral("RUA \"A\" D'AVILA"));

    comp.LimpaVariavel();
    EXPECT_EQ(comp.Codcliente(), QString());
    EXPECT_EQ(comp.NumeroNfe(), QString());
    EXPECT_EQ(comp.Data_lib(), QStringLiteral("01/01/1900"));
}

} // namespace
