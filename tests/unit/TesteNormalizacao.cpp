// The toolkit's text operations and the primitives they are written in.
#include "ConfiguracaoRegional.h"
#include "ImprimeQString.h"
#include "TextoPrimitivas.h"
#include "classConversao.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Op = std::function<QString(const QString&)>;

struct Caso {
    QString entrada;
    QString esperado;
};

void Verifica(const Op& op, const std::vector<Caso>& casos) {
    for (const Caso& caso : casos) {
        SCOPED_TRACE("entrada: \"" + caso.entrada.toStdString() + "\"");
        EXPECT_EQ(op(caso.entrada), caso.esperado);
    }
}

QString Repete(char c, int n) { return QString(n, QLatin1Char(c)); }

TEST(TextoPrimitivas, TrimCaixaCopiaPosicao) {
    EXPECT_EQ(Trim(QStringLiteral("\t\r\n A b \x01\x1f")), QStringLiteral("A b"));
    EXPECT_EQ(Trim(QStringLiteral("\u00A0x\u00A0")), QStringLiteral("\u00A0x\u00A0")); // code 160 is kept
    EXPECT_EQ(Trim(QStringLiteral("   ")), QString());
    EXPECT_EQ(MaiusculasAscii(QStringLiteral("az\u00E7\u00E3AZ09")), QStringLiteral("AZ\u00E7\u00E3AZ09"));
    EXPECT_EQ(MinusculasAscii(QStringLiteral("AZ\u00C7az")), QStringLiteral("az\u00C7az"));

    const QString t = QStringLiteral("abcdef");
    const struct {
        qsizetype inicio;
        qsizetype qtd;
        const char* esperado;
    } copias[] = {
        {1, 3, "abc"}, {2, 3, "bcd"}, {4, 100, "def"}, {6, 1, "f"}, {7, 1, ""},  {0, 2, "ab"},
        {-5, 2, "ab"}, {1, 0, ""},    {3, -1, ""},     {1, 6, "abcdef"}, {5, 2, "ef"},
    };
    for (const auto& c : copias) {
        SCOPED_TRACE(testing::Message() << c.inicio << "," << c.qtd);
        EXPECT_EQ(Copia(t, c.inicio, c.qtd), QString::fromLatin1(c.esperado));
    }

    EXPECT_EQ(Posicao(QStringLiteral("cd"), t), 3);
    EXPECT_EQ(Posicao(QStringLiteral("a"), t), 1);
    EXPECT_EQ(Posicao(QStringLiteral("x"), t), 0);
    EXPECT_EQ(Posicao(QString(), t), 0);
    EXPECT_EQ(Posicao(QLatin1Char('f'), t), 6);
    EXPECT_EQ(SubstituiTodos(QStringLiteral("a/b/c"), QLatin1Char('/'), QLatin1Char('.')), QStringLiteral("a.b.c"));
}

TEST(Normalizacao, StrZero) {
    const struct {
        const char* valor;
        int qtd;
        const char* esperado;
    } casos[] = {{"7", 3, "007"}, {"1234", 3, "1234"}, {"", 3, "000"}, {" 7", 3, "0 7"}, {"12", 2, "12"}, {"5", 0, "5"},
                 {"5", -2, "5"}};
    for (const auto& c : casos) {
        EXPECT_EQ(TConversao::StrZero(QString::fromLatin1(c.valor), c.qtd), QString::fromLatin1(c.esperado));
    }
}

TEST(Normalizacao, TiraMascara) {
    Verifica(TConversao::TiraMascara, {
                                          {"12.345.678/0001-90", "12345678000190"},
                                          {"(31) 3333-4444", "3133334444"},
                                          {"isento", "ISENTO"},
                                          {" Isento ", " ISENTO "},
                                          {"Isento\t", "ISENTO\t"},
                                          {"ISENTA", ""},
                                          {"123 isen", ""},
                                          {"ISENTO 1", ""},
                                          {"", ""},
                                          {"abc", ""},
                                          {"1\u00B23", "13"},
                                      });
}

TEST(Normalizacao, FValidaData) {
    DefineRelogio([] { return QDateTime(QDate(2025, 6, 7), QTime(23, 59)); });
    const std::vector<Caso> casos = {
        {"15/03/2015", "15.03.2015"},
        {"15-03-2015", "15.03.2015"},
        {"15.03.2015", "15.03.2015"},
        {"15/03-2015", "15.03-2015"}, // "/" is tested before "-"
        {"42078.5", "42078.5"},       // a point stops before the number is read
        {"-5", ".5"},
        {"42078", "15/03/2015"},
        {" 42078,75 ", "15/03/2015"},
        {"0", "30/12/1899"},
        {"2958465", "31/12/9999"},
        {"2958466", ""},
        {"20150315", ""},
        {"abc", ""},
        {"   ", ""},
        {"", "07/06/2025"},
        {"  -   -", "07/06/2025"},
        {" -   -", " .   ."},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE("entrada: \"" + caso.entrada.toStdString() + "\"");
        QString data = caso.entrada;
        EXPECT_EQ(TConversao::FValidaData(data), caso.esperado);
        EXPECT_EQ(data, caso.esperado);
    }
}

TEST(Normalizacao, FValidaDataSegueOsAjustesRegionais) {
    DefineRelogio([] { return QDateTime(QDate(2025, 6, 7), QTime(8, 0)); });
    Regional().separadorData = QLatin1Char('-');
    Regional().separadorDecimal = QLatin1Char('.');
    QString numero = QStringLiteral("42078");
    EXPECT_EQ(TConversao::FValidaData(numero), QStringLiteral("15-03-2015"));
    QString virgula = QStringLiteral("42078,5");
    EXPECT_EQ(TConversao::FValidaData(virgula), QString());
    QString vazio;
    EXPECT_EQ(TConversao::FValidaData(vazio), QStringLiteral("07-06-2025"));
}

TEST(Normalizacao, FValidaTelefone) {
    Verifica(TConversao::FValidaTelefone, {
                                              {"3333-4444", "3133334444"},
                                              {"0031 3333 4444", "3133334444"},
                                              {"  3333.4444  ", "3133334444"},
                                              {"(31) 3333-4444", "(31)33334444"},
                                              {"000123", "0123"},
                                              {"0 3333 4444", "33334444"},
                                              {"0", ""},
                                              {"", ""},
                                          });
}

TEST(Normalizacao, TrocaDeSeparadores) {
    const QString longo = QStringLiteral("A/") + Repete('B', 60);
    Verifica(TConversao::FBarraPonto, {
                                          {"01/02/2015", "01.02.2015"},
                                          {" a / b ", "a . b"},
                                          {"/x/", ".x."},
                                          {"sem barra ", "sem barra "},
                                          {"", ""},
                                          {longo, QStringLiteral("A.") + Repete('B', 50)},
                                      });
    Verifica(TConversao::FVirgulaPonto, {
                                            {"1.234,56", "1.234.56"},
                                            {"", "0.00"},
                                            {" ", " "},
                                            {"1,5 ", "1.5"},
                                            {QStringLiteral("0,") + Repete('9', 60), QStringLiteral("0.") + Repete('9', 50)},
                                        });
    Verifica(TConversao::FPontoVirgula, {
                                            {"1.234,56", "1,234,56"},
                                            {"", "0,00"},
                                            {"12.5", "12,5"},
                                        });
}

TEST(Normalizacao, FRemoveCaracter) {
    const QString antes = Repete('x', 9);
    const QString depois = Repete('y', 140);
    const QString longo = antes + QLatin1Char('-') + depois;
    ASSERT_EQ(longo.size(), 150);
    Verifica(TConversao::FRemoveCaracter, {
                                              {"123.456.789-01", "12345678901"},
                                              {"D'AVILA", "DAVILA"},
                                              {"12/34", "1234"},
                                              {"  ABC  ", "  ABC  "},
                                              {" A-B ", "AB"},
                                              {"A - B", "A  B"},
                                              {"- A", "A"},
                                              {"-./'", ""},
                                              {"", ""},
                                              {longo, antes + Repete('y', 100)},
                                              {QLatin1Char('.') + depois, Repete('y', 100)},
                                          });
}

TEST(Normalizacao, FRetiraAcento) {
    Verifica(TConversao::FRetiraAcento,
             {
                 {"S\u00E3o Jo\u00E3o; Av\u00F4", "SAO JOAO. AVO"},
                 {"pe\u00F1a", "PE\u00F1A"},
                 {"\u00C0\u00C1\u00C2\u00C3\u00C4\u00E0\u00E1\u00E2\u00E3\u00E4", "AAAAAAAAAA"},
                 {"\u00C8\u00C9\u00CA\u00E8\u00E9\u00EA", "EEEEEE"},
                 {"\u00CC\u00CD\u00CE\u00EC\u00ED\u00EE", "IIIIII"},
                 {"\u00D2\u00D3\u00D4\u00D5\u00D6\u00F2\u00F3\u00F4\u00F5\u00F6", "OOOOOOOOOO"},
                 {"\u00D9\u00DA\u00DC\u00F9\u00FA\u00FC", "UUUUUU"},
                 {"\u00C7\u00E7", "CC"},
                 {"a:b;c", "A.B.C"},
                 // not in the table, and not upper-cased either
                 {"\u00CB\u00EB\u00CF\u00EF\u00DB\u00FB\u00D1\u00F1\u00DD\u00FD\u00FF", "\u00CB\u00EB\u00CF\u00EF\u00DB\u00FB\u00D1\u00F1\u00DD\u00FD\u00FF"},
                 {"\u0100\u0101\u0152\u0153", "\u0100\u0101\u0152\u0153"},
                 {"\u00D8\u00E6\u00AA", "\u00D8\u00E6\u00AA"},
                 {"d'avila-1.0/x", "D'AVILA-1.0/X"},
                 {"", ""},
             });
}

TEST(Normalizacao, RetiraTracoSoNumero) {
    Verifica(TConversao::FRetiraTraco, {{"12-34--5", "12345"}, {" - ", "  "}, {"", ""}});
    Verifica(TConversao::FSoNumero, {{"(31) 3333-4444", "3133334444"},
                                     {"", ""},
                                     {"abc", ""},
                                     {"\u0661\u0662\u00B9", ""},
                                     {" 0 1 ", "01"}});
}

TEST(Normalizacao, RemoveDuploEspaco) {
    Verifica(TConversao::RemoveDuploEspaco, {
                                                {"  A   B  C ", "A B C"},
                                                {"A B", "A B"},
                                                {"A\t B", "A\t B"},
                                                {"A  \tB", "A B"},
                                                {"A \t B", "A \t B"},
                                                {"   ", ""},
                                                {"", ""},
                                                {"A" + Repete(' ', 50) + "B  C", "A B C"},
                                            });
}

TEST(Normalizacao, TrataOrdemDataEFRetornaFJ) {
    Verifica(TConversao::TrataOrdemData, {{"20150315", "15/03/2015"}, {"2015031", "1/03/2015"}, {"", "//"}, {"abc", "//abc"}});
    Verifica(TConversao::FRetornaFJ, {{"12345678901", "F"}, {"123456789012", "J"}, {"12345678000190", "J"}, {"", "F"}});
}

TEST(Normalizacao, CalculaDiferencaStrings) {
    const struct {
        const char* a;
        const char* b;
        int distancia;
    } casos[] = {
        {"", "abc", 3},         {"abc", "", 3},         {"", "", 0},          {"abc", "abc", 0},
        {"abcdef", "azced", 3}, {"ab", "ba", 1},        {"kitten", "sitting", 3},
        {"xabcy", "xacby", 1},  {"abcd", "badc", 2},    {"flaw", "lawn", 2},  {"ca", "abc", 3},
        {"ba", "abc", 2},       {"aaa", "aa", 1},       {"abcx", "ab", 2},    {"ABC", "abc", 3},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.a << " / " << c.b);
        const QString a = QString::fromLatin1(c.a);
        const QString b = QString::fromLatin1(c.b);
        EXPECT_EQ(TConversao::CalculaDiferencaStrings(a, b), c.distancia);
        EXPECT_EQ(TConversao::CalculaDiferencaStrings(b, a), c.distancia);
    }
    EXPECT_EQ(Min(3, 1, 2), 1);
    EXPECT_EQ(Min(-1, 0, -1), -1);
}

TEST(Normalizacao, RetornaSimilaridadeStrings) {
    EXPECT_DOUBLE_EQ(TConversao::RetornaSimilaridadeStrings(QString(), QString(), false), 1.0);
    EXPECT_DOUBLE_EQ(TConversao::RetornaSimilaridadeStrings(QStringLiteral("ABC"), QStringLiteral("abc"), true), 1.0);
    EXPECT_DOUBLE_EQ(TConversao::RetornaSimilaridadeStrings(QStringLiteral("ABC"), QStringLiteral("abc"), false), 0.0);
    EXPECT_DOUBLE_EQ(TConversao::RetornaSimilaridadeStrings(QStringLiteral("abcd"), QStringLiteral("abce"), false), 0.75);
    EXPECT_DOUBLE_EQ(TConversao::RetornaSimilaridadeStrings(QStringLiteral("abcd"), QString(), true), 0.0);
    // only the ASCII letters change case
    EXPECT_DOUBLE_EQ(TConversao::RetornaSimilaridadeStrings(QStringLiteral("\u00C0B"), QStringLiteral("\u00E0b"), true),
                     0.5);
}

TEST(Normalizacao, CnpjAlfanumerico) {
    // Check digits worked out by hand, each character valued at its code minus 48 ("A" = 17):
    // 12ABC34501DE: 1*5+2*4+17*3+18*2+19*9+3*8+4*7+5*6+0*5+1*4+20*3+21*2 = 459, 459 mod 11 = 8 -> 3;
    // 12ABC34501DE3 with 6,5,4,...: 424, 424 mod 11 = 6 -> 5.
    // 00000000000A: 17*2 = 34, 34 mod 11 = 1 -> 0; then 17*3 = 51, 51 mod 11 = 7 -> 4.
    Verifica(TConversao::CnpjAlfanumerico, {
                                               {"12ABC34501DE35", "12ABC34501DE35"},
                                               {"12.ABC.345/01DE-35", "12ABC34501DE35"},
                                               {"12abc34501de35", "12ABC34501DE35"},
                                               {" 12 ABC 345 01DE 35 ", "12ABC34501DE35"},
                                               {"00000000000A04", "00000000000A04"},
                                               {"AB.123.456/000C-96", "AB123456000C96"},
                                               {"12ABC34501DE36", ""},
                                               {"12ABC34501DE53", ""},
                                               {"12ABC34501DE3", ""},
                                               {"12ABC34501DE350", ""},
                                               {"12ABC34501DEA5", ""},
                                               {"12\u00C0BC34501DE35", ""},
                                               {"12ABC34501DE_35", ""},
                                               {"11.222.333/0001-81", ""}, // a valid numeric CNPJ: no letter
                                               {"ISENTO", ""},
                                               {"", ""},
                                           });
}

} // namespace
