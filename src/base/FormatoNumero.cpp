#include "FormatoNumero.h"

#include "ConfiguracaoRegional.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace {

constexpr int kPrecisao = 15;

// The value's decimal digits rounded half away from zero to kPrecisao significant digits,
// without trailing zeros, and the exponent e such that |valor| = 0.digits x 10^e.
// The rounding starts from 18 correctly rounded digits, as the legacy formatter did.
struct Decimal {
    std::string digitos;
    int expoente = 0;
};

Decimal Decompoe(double valorAbsoluto) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, valorAbsoluto, std::chars_format::scientific, 17);
    const std::string texto(buf, res.ptr);

    // texto is "d.ddddddddddddddddde[+-]xx"
    const auto posE = texto.find('e');
    std::string digitos = texto.substr(0, 1) + texto.substr(2, posE - 2);
    int expoente = std::stoi(texto.substr(posE + 1)) + 1;

    const bool sobe = digitos[kPrecisao] >= '5';
    digitos.resize(kPrecisao);
    if (sobe) {
        int i = kPrecisao - 1;
        while (i >= 0 && digitos[static_cast<std::size_t>(i)] == '9') {
            digitos[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            digitos.insert(digitos.begin(), '1');
            digitos.resize(kPrecisao);
            ++expoente;
        } else {
            ++digitos[static_cast<std::size_t>(i)];
        }
    }
    while (!digitos.empty() && digitos.back() == '0') {
        digitos.pop_back();
    }
    return {digitos, expoente};
}

} // namespace

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
    const auto digitos = QString::fromLatin1(d.digitos.data(), static_cast<qsizetype>(d.digitos.size()));

    QString r;
    if (valor < 0) {
        r += QLatin1Char('-');
    }
    if (d.expoente > kPrecisao || d.expoente < -3) {
        r += digitos.at(0);
        if (digitos.size() > 1) {
            r += separador;
            r += digitos.mid(1);
        }
        r += QLatin1Char('E');
        const int expoente = d.expoente - 1;
        if (expoente < 0) {
            r += QLatin1Char('-');
        }
        r += QString::number(std::abs(expoente));
    } else if (d.expoente <= 0) {
        r += QLatin1Char('0');
        r += separador;
        r += QString(-d.expoente, QLatin1Char('0'));
        r += digitos;
    } else {
        if (digitos.size() <= d.expoente) {
            r += digitos;
            r += QString(d.expoente - digitos.size(), QLatin1Char('0'));
        } else {
            r += digitos.left(d.expoente);
            r += separador;
            r += digitos.mid(d.expoente);
        }
    }
    return r;
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
