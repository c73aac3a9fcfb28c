#pragma once

#include "DataHora.h"

#include <QDate>
#include <QString>

/// How values are written into SQL; shared by every writer.

/// A text literal: single quotes, every inner single quote doubled ('' for an empty text).
QString LiteralTexto(const QString& texto);

/// A number: the general float text (FloatParaTexto) with every comma turned into a point,
/// so the decimal separator is a point whatever the regional settings. 0 -> "0", 12.5 -> "12.5".
QString LiteralReal(double valor);

/// A date as the text dd.mm.yyyy (day.month.four-digit year).
QString TextoData(TDateTime valor);
