// The checks of values a run keeps as they are: each case is a value a retailer's table really holds.
#include "VerificacoesQualidade.h"

#include <gtest/gtest.h>

namespace {

struct TCasoVerificacao {
    const char* verificacao;
    const char* valor;
    bool problema;
};

bool TemProblema(const QString& verificacao, const QString& valor) {
    if (verificacao == QLatin1String("documento")) {
        return ProblemaCpfCnpj(valor).has_value();
    }
    if (verificacao == QLatin1String("cep")) {
        return !CepValido(valor);
    }
    if (verificacao == QLatin1String("uf")) {
        return !UfConhecida(valor);
    }
    if (verificacao == QLatin1String("email")) {
        return !EmailComArroba(valor);
    }
    return NomeVazio(valor);
}

TEST(VerificacoesQualidade, AcusaSoOsValoresErrados) {
    const TCasoVerificacao casos[] = {
        {"documento", "529.982.247-25", false},     // CPF with its mask
        {"documento", "52998224725", false},        // and without
        {"documento", "529.982.247-24", true},      // last check digit wrong
        {"documento", "529.982.247-15", true},      // first check digit wrong
        {"documento", "111.111.111-11", true},      // passes the sums, no one's CPF
        {"documento", "11.222.333/0001-81", false}, // numeric CNPJ
        {"documento", "11.222.333/0001-82", true},
        {"documento", "12.ABC.345/01DE-35", false}, // alphanumeric CNPJ (the tax authority's example)
        {"documento", "12.abc.345/01de-35", false}, // typed in lower case
        {"documento", "12.ABC.345/01DE-36", true},
        {"documento", "12ABC34501DEX5", true}, // a letter where a check digit goes
        {"documento", "5299822472", true},     // 10 digits
        {"documento", "", false},
        {"documento", "   ", false},
        {"cep", "01310-100", false},
        {"cep", "01310100", false},
        {"cep", "1310-100", true},
        {"cep", "01310-1000", true},
        {"cep", "0131O-100", true}, // a letter O
        {"cep", "", false},
        {"uf", "SP", false},
        {"uf", " rs ", false},
        {"uf", "EX", false},
        {"uf", "XX", true},
        {"uf", "S", true},
        {"uf", "", false},
        {"email", "a@b.com.br", false},
        {"email", "comercial.empresa.com.br", true},
        {"email", "", false},
        {"nome", "  ", true},
        {"nome", "", true},
        {"nome", "JOSE", false},
    };
    for (const TCasoVerificacao& caso : casos) {
        EXPECT_EQ(TemProblema(QLatin1String(caso.verificacao), QString::fromUtf8(caso.valor)), caso.problema)
            << caso.verificacao << " \"" << caso.valor << "\"";
    }
}

} // namespace
