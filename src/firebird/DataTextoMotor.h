#pragma once
// Internal to the target layer: a text read as a date, a timestamp or a time exactly as the
// engine reads a literal it assigns to such a column, so that a date text bound as a date value
// lands on the same day (or is refused) as the literal did.

#include <QByteArrayView>

#include <cstdint>

enum class EsperaDataHora { DataHora, Data, Hora };

enum class FalhaDataHora {
    Nenhuma,
    Conversao,   ///< conversion error from string "..."
    ForaDaFaixa, ///< a date outside 0001-01-01 .. 9999-12-31
};

struct TDataHoraMotor {
    std::int32_t dia = 0;   ///< the engine's day number (0 = 17.11.1858)
    std::uint32_t hora = 0; ///< 1/10000 s since midnight
};

/// Reads `texto` (CP1252 bytes): day.month.year (a '.' among the first separators), month/day/year
/// (any other punctuation), year-month-day (a first number of 3 or more digits), English month names,
/// an optional time hh:mm[:ss[.ffff]], and the words NOW, TODAY, TOMORROW, YESTERDAY. Two-digit
/// years fall within 50 years of the present (the clock's, as the engine's), a missing year is
/// the present one.
FalhaDataHora LeDataHoraMotor(QByteArrayView texto, EsperaDataHora espera, TDataHoraMotor& resultado);
