#pragma once

#include <QString>

#include <optional>

/// Delphi's FloatToStr: general format with at most 15 significant digits, the shortest
/// form, no digit grouping, exponent form (no plus sign, at least one exponent digit:
/// "5E-5", "1E15") below 0.0001 and from 1E15 on, and the regional decimal separator.
QString FloatParaTexto(double valor);

/// Delphi's StrToFloat: optional blanks around, optional sign, digits with the regional
/// decimal separator, optional exponent. Empty when the text is not a number.
std::optional<double> TextoParaFloat(const QString& texto);
