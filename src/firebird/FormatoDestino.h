#pragma once
// Internal to the target layer: how column values read as text look, and the day counts of
// the engine (days since 17 November 1858) against TDateTime (days since 30 December 1899).
// Texts never depend on the host's locale: the decimal separator is always a point.

#include "DataHora.h"

#include <QDate>
#include <QString>

#include <cstdint>

namespace formato {

/// Days between the engine's day 0 (17.11.1858) and TDateTime's day 0 (30.12.1899).
inline constexpr int kDiasAte1899 = 15018;
/// Engine time unit: 1/10000 second; units in a day.
inline constexpr std::uint32_t kUnidadesPorDia = 864000000u;

/// General form with at most 15 significant digits, shortest, point as separator, exponent
/// ("5E-5", "1E15") below 0.0001 and from 1E15 on: 2.5 -> "2.5", 0 -> "0".
QString TextoDouble(double valor);
/// An exact scaled integer (NUMERIC/DECIMAL): 250 with scale -2 -> "2.5".
QString TextoEscalado(std::int64_t valor, int escala);

/// "dd.mm.yyyy", plus " hh:mm:ss" when the time is not midnight.
QString TextoDataHora(std::int32_t diaMotor, std::uint32_t horaMotor, bool comHora);
QString TextoHora(std::uint32_t horaMotor);

TDateTime ParaTDateTime(std::int32_t diaMotor, std::uint32_t horaMotor);
std::int32_t DiaMotor(const QDate& data);
/// A TDateTime as the engine's day and time (Delphi: the fraction is the time also for
/// negative values, so -1.25 is 29.12.1899 06:00).
void DeTDateTime(TDateTime valor, std::int32_t& diaMotor, std::uint32_t& horaMotor);

} // namespace formato
