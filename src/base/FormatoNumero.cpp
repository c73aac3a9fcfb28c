#include "FormatoNumero.h"

#include "ConfiguracaoRegional.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <system_error>

namespace {

constexpr int kPrecisao = 15;

// The value's decimal digits rounded half away from zero to kPrecisao significant digits,
// without trailing zeros, and the exponent e such that |valor| = 0.digits x 10^e.
// The rounding starts from 18 correctly rounded digits, as the legacy formatter did.
struct Decimal {
    char digitos[kPrecisao + 1];
    int quantos = 0;
    int expoente = 0;
};

Decimal Decompoe(double valorAbsoluto) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, valorAbsoluto, std::chars_format::scientific, 17);
    // buf is "d.ddddddddddddddddde[+-]xx": 18 digits, then the exponent
    Decimal d;
    char todos[18];
    todos[0] = buf[0];
    std::memcpy(todos + 1, buf + 2, 17);
    const char* e = buf + 19; // 'e'
    int expoente = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), res.ptr, expoente);
    d.expoente = expoente + 1;

    std::memcpy(d.digitos, todos, kPrecisao);
    if (todos[kPrecisao] >= '5') {
        int i = kPrecisao - 1;
        while (i >= 0 && d.digitos[i] == '9') {
            d.digitos[i] = '0';
            --i;
        }
        if (i < 0) {
            d.digitos[0] = '1'; // 999... rounded up: 1 followed by zeros, one place further
            ++d.expoente;
        } else {
            ++d.digitos[i];
        }
    }
    d.quantos = kPrecisao;
    while (d.quantos > 0 && d.digitos[d.quantos - 1] == '0') {
        --d.quantos;
    }
    return d;
}

// Exponent form below 0.0001 and from 1E15 on.
bool ComExpoente(const Decimal& d) {
    return d.expoente > kPrecisao || d.expoente < -3;
}

} // namespace

TDecimalGeral DecimalGeral(double valor) {
    TDecimalGeral r;
    if (valor == 0.0) {
        return r;
    }
    const Decimal d = Decompoe(std::fabs(valor));
    r.negativo = valor < 0;
    std::from_chars(d.digitos, d.digitos + d.quantos, r.digitos);
    r.expoente = d.expoente - d.quantos;
    r.comExpoente = ComExpoente(d);
    return r;
}

QString FloatParaTexto(double valor) {
    if (std::isnan(valor)) {
        return QStringLiteral("NAN");
    }
    if (std::isinf(valor)) {
        return valor < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    }
    if (valor == 0.0) {
        return QStringLiteral("0");
    }

    const Decimal d = Decompoe(std::fabs(valor));
    const QChar separador = Regional().separadorDecimal;
    // At most: sign, 15 digits, separator, "E-" and three exponent digits; or "0," and 3 zeros
    // before 15 digits; or 15 digits and zeros up to the 15th place.
    QChar r[32];
    int n = 0;
    if (valor < 0) {
        r[n++] = QLatin1Char('-');
    }
    const auto digito = [&d](int i) { return QLatin1Char(d.digitos[i]); };
    if (ComExpoente(d)) {
        r[n++] = digito(0);
        if (d.quantos > 1) {
            r[n++] = separador;
            for (int i = 1; i < d.quantos; ++i) {
                r[n++] = digito(i);
            }
        }
        r[n++] = QLatin1Char('E');
        int expoente = d.expoente - 1;
        if (expoente < 0) {
            r[n++] = QLatin1Char('-');
            expoente = -expoente;
        }
        char exp[8];
        const auto fim = std::to_chars(exp, exp + sizeof exp, expoente).ptr;
        for (const char* p = exp; p < fim; ++p) {
            r[n++] = QLatin1Char(*p);
        }
    } else if (d.expoente <= 0) {
        r[n++] = QLatin1Char('0');
        r[n++] = separador;
        for (int i = 0; i < -d.expoente; ++i) {
            r[n++] = QLatin1Char('0');
        }
        for (int i = 0; i < d.quantos; ++i) {
            r[n++] = digito(i);
        }
    } else {
        for (int i = 0; i < std::min(d.quantos, d.expoente); ++i) {
            r[n++] = digito(i);
        }
        for (int i = d.quantos; i < d.expoente; ++i) {
            r[n++] = QLatin1Char('0');
        }
        if (d.quantos > d.expoente) {
            r[n++] = separador;
            for (int i = d.expoente; i < d.quantos; ++i) {
                r[n++] = digito(i);
            }
        }
    }
    return QString(r, n);
}

std::optional<double> TextoParaFloat(const QString& texto) {
    const QChar separador = Regional().separadorDecimal;
    qsizetype i = 0;
    qsizetype fim = texto.size();
    while (i < fim && texto.at(i).unicode() <= 32) {
        ++i;
    }
    while (fim > i && texto.at(fim - 1).unicode() <= 32) {
        --fim;
    }

    // Rebuilt in the C form from_chars reads, so the host locale never matters.
    std::string c;
    bool negativo = false;
    if (i < fim && (texto.at(i) == QLatin1Char('+') || texto.at(i) == QLatin1Char('-'))) {
        negativo = texto.at(i) == QLatin1Char('-');
        ++i;
    }
    auto digito = [&](qsizetype k) { return k < fim && texto.at(k) >= QLatin1Char('0') && texto.at(k) <= QLatin1Char('9'); };
    int algarismos = 0;
    while (digito(i)) {
        c += static_cast<char>(texto.at(i++).unicode());
        ++algarismos;
    }
    if (i < fim && texto.at(i) == separador) {
        c += '.';
        ++i;
        while (digito(i)) {
            c += static_cast<char>(texto.at(i++).unicode());
            ++algarismos;
        }
    }
    if (algarismos == 0) {
        return std::nullopt;
    }
    if (i < fim && (texto.at(i) == QLatin1Char('E') || texto.at(i) == QLatin1Char('e'))) {
        c += 'e';
        ++i;
        if (i < fim && (texto.at(i) == QLatin1Char('+') || texto.at(i) == QLatin1Char('-'))) {
            c += static_cast<char>(texto.at(i++).unicode());
        }
        if (!digito(i)) {
            return std::nullopt;
        }
        while (digito(i)) {
            c += static_cast<char>(texto.at(i++).unicode());
        }
    }
    if (i != fim) {
        return std::nullopt;
    }

    double valor = 0.0;
    const auto res = std::from_chars(c.data(), c.data() + c.size(), valor);
    if (res.ec != std::errc() || res.ptr != c.data() + c.size()) {
        return std::nullopt;
    }
    return negativo ? -valor : valor;
}
