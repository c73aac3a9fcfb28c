#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

/// A date-time as the legacy program kept it: days since 30 December 1899 (day 0),
/// the fraction being the time of day.
using TDateTime = double;

TDateTime DataParaTDateTime(const QDate& data);
TDateTime DataHoraParaTDateTime(const QDateTime& dataHora);
QDate TDateTimeParaData(TDateTime valor);
QDateTime TDateTimeParaDataHora(TDateTime valor);

/// Delphi's FormatDateTime for the patterns the program uses: d dd m mm yy yyyy h hh n nn s ss,
/// '/' replaced by the regional date separator, any other character copied.
QString FormataDataHora(const QString& formato, TDateTime valor);

/// The regional short date text of a date (Delphi DateToStr).
QString DataParaTextoCurto(TDateTime valor);

/// Reads a date written in the regional short date format (Delphi StrToDate): day, month and
/// year in the order of the pattern, separated by the regional date separator; a two-digit
/// year is taken within 50 years of today. Empty when the text is not such a date.
std::optional<TDateTime> TextoCurtoParaData(const QString& texto);
