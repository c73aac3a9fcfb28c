#include "VerificacoesQualidade.h"

#include <algorithm>
#include <array>

namespace {

bool Digito(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool LetraMaiuscula(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

QChar MaiusculaAscii(QChar c) {
    return c >= QLatin1Char('a') && c <= QLatin1Char('z') ? QChar(c.unicode() - (u'a' - u'A')) : c;
}

bool Ascii(QStringView texto) {
    return std::all_of(texto.begin(), texto.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// The value upper-cased, without blanks at its ends and without the mask's characters. Plain
// ASCII, what these fields hold, is done in one pass; other letters take Unicode's upper case.
QString SemMascara(const QString& valor) {
    const QStringView aparado = QStringView(valor).trimmed();
    const auto mascara = [](QChar c) {
        return c == QLatin1Char('.') || c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char(' ');
    };
    QString texto;
    if (!Ascii(aparado)) {
        texto = aparado.toString().toUpper();
        texto.removeIf(mascara);
        return texto;
    }
    texto.resize(aparado.size());
    QChar* saida = texto.data();
    for (const QChar c : aparado) {
        if (!mascara(c)) {
            *saida++ = MaiusculaAscii(c);
        }
    }
    texto.truncate(saida - texto.constData());
    return texto;
}

// A character's value in the check-digit sums: its code minus 48 (digits 0-9, letters 17-42).
int Valor(QChar c) {
    return c.unicode() - 48;
}

bool CpfCorreto(const QString& cpf) {
    // Eleven equal digits pass the sums but are no one's CPF.
    if (cpf.count(cpf.front()) == cpf.size()) {
        return false;
    }
    auto verificador = [&cpf](int quantos) {
        int soma = 0;
        for (int i = 0; i < quantos; ++i) {
            soma += Valor(cpf.at(i)) * (quantos + 1 - i);
        }
        const int resto = soma * 10 % 11;
        return resto == 10 ? 0 : resto;
    };
    return verificador(9) == Valor(cpf.at(9)) && verificador(10) == Valor(cpf.at(10));
}

// The numeric and the alphanumeric CNPJ share their sums.
bool CnpjCorreto(const QString& cnpj) {
    if (cnpj.count(cnpj.front()) == cnpj.size()) {
        return false;
    }
    static constexpr std::array<int, 13> pesos{6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    auto verificador = [&cnpj](int quantos) {
        int soma = 0;
        for (int i = 0; i < quantos; ++i) {
            soma += Valor(cnpj.at(i)) * pesos[static_cast<std::size_t>(13 - quantos + i)];
        }
        const int resto = soma % 11;
        return resto < 2 ? 0 : 11 - resto;
    };
    return verificador(12) == Valor(cnpj.at(12)) && verificador(13) == Valor(cnpj.at(13));
}

} // namespace

std::optional<QString> ProblemaCpfCnpj(const QString& valor) {
    const QString texto = SemMascara(valor);
    if (texto.isEmpty()) {
        return std::nullopt;
    }
    const bool soDigitos = std::all_of(texto.begin(), texto.end(), Digito);
    if (soDigitos && texto.size() == 11) {
        return CpfCorreto(texto) ? std::nullopt
                                 : std::optional<QString>(QStringLiteral("dígitos verificadores do CPF"));
    }
    const bool formaCnpj =
        texto.size() == 14 && Digito(texto.at(12)) && Digito(texto.at(13)) &&
        std::all_of(texto.begin(), texto.begin() + 12, [](QChar c) { return Digito(c) || LetraMaiuscula(c); });
    if (formaCnpj) {
        return CnpjCorreto(texto) ? std::nullopt
                                  : std::optional<QString>(QStringLiteral("dígitos verificadores do CNPJ"));
    }
    if (soDigitos) {
        return QStringLiteral("%1 dígitos, nem CPF (11) nem CNPJ (14)").arg(texto.size());
    }
    return QStringLiteral("caracteres que não cabem num CPF ou CNPJ");
}

bool CepValido(const QString& valor) {
    const QString texto = SemMascara(valor);
    return texto.isEmpty() || (texto.size() == 8 && std::all_of(texto.begin(), texto.end(), Digito));
}

bool UfConhecida(const QString& valor) {
    static constexpr std::array<const char*, 28> ufs = {
        "AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO", "MA", "MT", "MS", "MG", "PA",
        "PB", "PR", "PE", "PI", "RJ", "RN", "RS", "RO", "RR", "SC", "SP", "SE", "TO", "EX",
    };
    const QStringView aparado = QStringView(valor).trimmed();
    if (aparado.isEmpty()) {
        return true;
    }
    // Other letters take Unicode's upper case first (a dotless i is an I).
    const QString maiuscula = Ascii(aparado) ? QString() : aparado.toString().toUpper();
    const QStringView uf = maiuscula.isNull() ? aparado : QStringView(maiuscula);
    if (uf.size() != 2) {
        return false;
    }
    const QChar primeira = MaiusculaAscii(uf[0]);
    const QChar segunda = MaiusculaAscii(uf[1]);
    return std::any_of(ufs.begin(), ufs.end(), [primeira, segunda](const char* u) {
        return primeira == QLatin1Char(u[0]) && segunda == QLatin1Char(u[1]);
    });
}

bool EmailComArroba(const QString& valor) {
    const QString email = valor.trimmed();
    return email.isEmpty() || email.contains(QLatin1Char('@'));
}

bool NomeVazio(const QString& valor) {
    return valor.trimmed().isEmpty();
}
