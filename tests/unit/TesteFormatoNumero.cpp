// The general float text, its reading back and its exact decimal, and the date text the writers bind.
#include "ConfiguracaoRegional.h"
#include "DataHora.h"
#include "DescricaoLinha.h"
#include "FormatoNumero.h"
#include "ImprimeQString.h"

#include <QDate>

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

namespace {

struct CasoFloat {
    double valor;
    const char* texto; // with the Brazilian decimal comma
};

class FloatParaTextoTeste : public ::testing::TestWithParam<CasoFloat> {};

TEST_P(FloatParaTextoTeste, FormaGeral) {
    const CasoFloat& caso = GetParam();
    EXPECT_EQ(FloatParaTexto(caso.valor), QString::fromLatin1(caso.texto)) << caso.texto;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, FloatParaTextoTeste,
    ::testing::Values(CasoFloat{0.0, "0"}, CasoFloat{-0.0, "0"}, CasoFloat{12.5, "12,5"}, CasoFloat{-12.5, "-12,5"},
                      CasoFloat{100.0, "100"}, CasoFloat{1234567.891, "1234567,891"}, CasoFloat{0.1 + 0.2, "0,3"},
                      CasoFloat{2.0 / 3.0, "0,666666666666667"}, CasoFloat{0.001234, "0,001234"},
                      // the lower threshold: 0.0001 is still written out, anything smaller is not
                      CasoFloat{0.0001, "0,0001"}, CasoFloat{0.00009999, "9,999E-5"}, CasoFloat{0.00005, "5E-5"},
                      CasoFloat{-0.00005, "-5E-5"}, CasoFloat{1.5e-7, "1,5E-7"},
                      // rounding to 15 digits happens before the form is chosen
                      CasoFloat{0.00009999999999999999, "0,0001"}, CasoFloat{0.99999999999999994, "1"},
                      // the upper threshold: 15 integer digits are written out, 16 are not
                      CasoFloat{999999999999999.0, "999999999999999"}, CasoFloat{1e14, "100000000000000"},
                      CasoFloat{1e15, "1E15"}, CasoFloat{-1e15, "-1E15"}, CasoFloat{999999999999999.9, "1E15"},
                      CasoFloat{1.23456789012345678e20, "1,23456789012346E20"}, CasoFloat{1e100, "1E100"},
                      CasoFloat{std::numeric_limits<double>::max(), "1,79769313486232E308"},
                      CasoFloat{std::numeric_limits<double>::denorm_min(), "4,94065645841247E-324"},
                      CasoFloat{123456789.123456789, "123456789,123457"}));

TEST(FloatParaTexto, UsaOSeparadorRegional) {
    Regional().separadorDecimal = QLatin1Char('.');
    EXPECT_EQ(FloatParaTexto(12.5), QStringLiteral("12.5"));
    EXPECT_EQ(FloatParaTexto(1.5e-7), QStringLiteral("1.5E-7"));
}

struct CasoLeitura {
    const char* texto;
    bool valido;
    double valor;
};

class TextoParaFloatTeste : public ::testing::TestWithParam<CasoLeitura> {};

TEST_P(TextoParaFloatTeste, LeComVirgula) {
    const CasoLeitura& caso = GetParam();
    const auto lido = TextoParaFloat(QString::fromLatin1(caso.texto));
    ASSERT_EQ(lido.has_value(), caso.valido) << caso.texto;
    if (caso.valido) {
        EXPECT_DOUBLE_EQ(*lido, caso.valor) << caso.texto;
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, TextoParaFloatTeste,
                         ::testing::Values(CasoLeitura{"42078", true, 42078.0}, CasoLeitura{" 12,5 ", true, 12.5},
                                           CasoLeitura{"-1,5", true, -1.5}, CasoLeitura{"+3", true, 3.0},
                                           CasoLeitura{",5", true, 0.5}, CasoLeitura{"1E3", true, 1000.0},
                                           CasoLeitura{"2,5e-1", true, 0.25}, CasoLeitura{"12.5", false, 0},
                                           CasoLeitura{"", false, 0}, CasoLeitura{"   ", false, 0},
                                           CasoLeitura{"abc", false, 0}, CasoLeitura{",", false, 0},
                                           CasoLeitura{"-", false, 0}, CasoLeitura{"1,2,3", false, 0},
                                           CasoLeitura{"1E", false, 0}, CasoLeitura{"1 2", false, 0},
                                           CasoLeitura{"1e999", false, 0}, CasoLeitura{"15/03/2015", false, 0}));

TEST(TextoParaFloat, UsaOSeparadorRegional) {
    Regional().separadorDecimal = QLatin1Char('.');
    EXPECT_EQ(TextoParaFloat(QStringLiteral("12.5")), 12.5);
    EXPECT_FALSE(TextoParaFloat(QStringLiteral("12,5")).has_value());
}

// The exact decimal a real is bound as: the digits and exponent of its general float text.
TEST(DecimalGeral, OsAlgarismosDoTextoGeralQualquerQueSejaOSeparador) {
    struct Caso {
        double valor;
        TDecimalGeral esperado;
    };
    const Caso casos[] = {
        {0.0, {false, 0, 0, false}},
        {12.5, {false, 125, -1, false}},
        {-1234567.891, {true, 1234567891, -3, false}},
        {1500.0, {false, 15, 2, false}},
        {0.1 + 0.2, {false, 3, -1, false}}, // 0.30000000000000004 rounded to 15 digits
        {0.00005, {false, 5, -5, true}},
        {-1.5e-7, {true, 15, -8, true}},
        {1.23456789012345678e20, {false, 123456789012346, 6, true}},
        {999999999999999.0, {false, 999999999999999, 0, false}},
        {9999999999999999.0, {false, 1, 16, true}},
    };
    for (const QChar separador : {QLatin1Char(','), QLatin1Char('.')}) {
        Regional().separadorDecimal = separador;
        for (const Caso& c : casos) {
            const TDecimalGeral d = DecimalGeral(c.valor);
            EXPECT_EQ(d.negativo, c.esperado.negativo) << c.valor;
            EXPECT_EQ(d.digitos, c.esperado.digitos) << c.valor;
            EXPECT_EQ(d.expoente, c.esperado.expoente) << c.valor;
            EXPECT_EQ(d.comExpoente, c.esperado.comExpoente) << c.valor;
        }
    }
}

TEST(TextoParaFloat, IgnoraOLocaleDoSistema) {
    const std::string anterior = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "pt_BR.UTF-8") == nullptr && std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    Regional().separadorDecimal = QLatin1Char('.');
    const TDecimalGeral real = DecimalGeral(1234.5);
    const auto lido = TextoParaFloat(QStringLiteral("1234.5"));
    std::setlocale(LC_ALL, anterior.c_str());
    EXPECT_EQ(real.digitos, 12345);
    EXPECT_EQ(real.expoente, -1);
    EXPECT_EQ(lido, 1234.5);
}

TEST(TextoData, DiaMesAnoComPontos) {
    EXPECT_EQ(TextoData(DataParaTDateTime(QDate(2014, 3, 5))), QStringLiteral("05.03.2014"));
    EXPECT_EQ(TextoData(DataParaTDateTime(QDate(1900, 1, 1))), QStringLiteral("01.01.1900"));
    // the time of day does not show, and the regional separator does not leak in
    Regional().separadorData = QLatin1Char('-');
    EXPECT_EQ(TextoData(DataParaTDateTime(QDate(2015, 12, 31)) + 0.75), QStringLiteral("31.12.2015"));
}

} // namespace
