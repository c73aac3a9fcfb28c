#pragma once

#include <QString>

#include <cstdint>
#include <optional>

/// Delphi's FloatToStr: general format with at most 15 significant digits, the shortest
/// form, no digit grouping, exponent form (no plus sign, at least one exponent digit:
/// "5E-5", "1E15") below 0.0001 and from 1E15 on, and the regional decimal separator.
QString FloatParaTexto(double valor);

/// The number FloatParaTexto writes, as an exact decimal: |valor| = digitos x 10^expoente, with
/// at most 15 digits and no trailing zeros (0 for zero), and whether the text has an exponent
/// ("1.5E-5", "1E15"). Not for NaN or infinities.
struct TDecimalGeral {
    bool negativo = false;
    std::int64_t digitos = 0;
    int expoente = 0;
    bool comExpoente = false;
};
TDecimalGeral DecimalGeral(double valor);

/// Delphi's StrToFloat: optional blanks around, optional sign, digits with the regional
/// decimal separator, optional exponent. Empty when the text is not a number.
std::optional<double> TextoParaFloat(const QString& texto);
