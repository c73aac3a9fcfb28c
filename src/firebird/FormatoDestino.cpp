#include "FormatoDestino.h"

#include <charconv>
#include <cmath>
#include <string>

namespace formato {

namespace {

constexpr qint64 kJulianoDia0Motor = 2400001; // Julian day number of 17.11.1858

QString DoisDigitos(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

} // namespace

QString TextoDouble(double valor) {
    if (valor == 0.0) {
        return QStringLiteral("0"); // also -0
    }
    if (!std::isfinite(valor)) {
        return std::isnan(valor) ? QStringLiteral("NAN") : (valor > 0 ? QStringLiteral("INF") : QStringLiteral("-INF"));
    }
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof(buffer), valor, std::chars_format::general, 15);
    std::string s(buffer, r.ptr);
    const auto e = s.find('e');
    if (e == std::string::npos) {
        return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
    }
    // "1.5e-05" -> "1.5E-5", "1e+15" -> "1E15"
    std::string mantissa = s.substr(0, e);
    std::string expoente = s.substr(e + 1);
    std::string sinal;
    if (!expoente.empty() && (expoente[0] == '+' || expoente[0] == '-')) {
        if (expoente[0] == '-') {
            sinal = "-";
        }
        expoente.erase(0, 1);
    }
    while (expoente.size() > 1 && expoente[0] == '0') {
        expoente.erase(0, 1);
    }
    const std::string t = mantissa + "E" + sinal + expoente;
    return QString::fromLatin1(t.data(), static_cast<qsizetype>(t.size()));
}

QString TextoEscalado(std::int64_t valor, int escala) {
    if (escala >= 0) {
        QString s = QString::number(valor);
        if (valor != 0) {
            s += QString(escala, QLatin1Char('0'));
        }
        return s;
    }
    const bool negativo = valor < 0;
    // Magnitude as unsigned so INT64_MIN does not overflow.
    const std::uint64_t magnitude = negativo ? 0 - static_cast<std::uint64_t>(valor) : static_cast<std::uint64_t>(valor);
    QString digitos = QString::number(magnitude);
    const int casas = -escala;
    if (digitos.size() <= casas) {
        digitos = QString(casas - digitos.size() + 1, QLatin1Char('0')) + digitos;
    }
    QString inteira = digitos.left(digitos.size() - casas);
    QString fracao = digitos.right(casas);
    while (fracao.endsWith(QLatin1Char('0'))) {
        fracao.chop(1);
    }
    QString r = fracao.isEmpty() ? inteira : inteira + QLatin1Char('.') + fracao;
    if (negativo && r != QLatin1String("0")) {
        r.prepend(QLatin1Char('-'));
    }
    return r;
}

QString TextoHora(std::uint32_t horaMotor) {
    const std::uint32_t segundos = horaMotor / 10000u;
    return DoisDigitos(static_cast<int>(segundos / 3600)) + QLatin1Char(':') +
           DoisDigitos(static_cast<int>(segundos / 60 % 60)) + QLatin1Char(':') +
           DoisDigitos(static_cast<int>(segundos % 60));
}

QString TextoDataHora(std::int32_t diaMotor, std::uint32_t horaMotor, bool comHora) {
    const QDate d = QDate::fromJulianDay(diaMotor + kJulianoDia0Motor);
    QString s = DoisDigitos(d.day()) + QLatin1Char('.') + DoisDigitos(d.month()) + QLatin1Char('.') +
                QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
    if (comHora && horaMotor != 0) {
        s += QLatin1Char(' ') + TextoHora(horaMotor);
    }
    return s;
}

TDateTime ParaTDateTime(std::int32_t diaMotor, std::uint32_t horaMotor) {
    const double dias = static_cast<double>(diaMotor - kDiasAte1899);
    const double fracao = static_cast<double>(horaMotor) / kUnidadesPorDia;
    return dias >= 0 ? dias + fracao : dias - fracao;
}

std::int32_t DiaMotor(const QDate& data) { return static_cast<std::int32_t>(data.toJulianDay() - kJulianoDia0Motor); }

void DeTDateTime(TDateTime valor, std::int32_t& diaMotor, std::uint32_t& horaMotor) {
    double dias = std::trunc(valor);
    auto unidades = static_cast<std::int64_t>(std::llround(std::fabs(valor - dias) * kUnidadesPorDia));
    if (unidades >= static_cast<std::int64_t>(kUnidadesPorDia)) {
        unidades -= kUnidadesPorDia;
        dias += valor >= 0 ? 1 : -1;
    }
    diaMotor = static_cast<std::int32_t>(dias) + kDiasAte1899;
    horaMotor = static_cast<std::uint32_t>(unidades);
}

} // namespace formato
