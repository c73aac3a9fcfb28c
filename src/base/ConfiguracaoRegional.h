#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>

#include <functional>

/// The process-wide regional settings the legacy data was made with (Brazil).
/// Never read from the host: CI runs in the C locale and the results must not change.
struct ConfiguracaoRegional {
    QString formatoDataCurta = QStringLiteral("dd/mm/yyyy"); ///< Delphi-style pattern; '/' stands for separadorData
    QChar separadorData = QLatin1Char('/');
    QChar separadorDecimal = QLatin1Char(',');
};

/// The one settings object of the process.
ConfiguracaoRegional& Regional();

/// Restores the Brazilian defaults (tests call it between cases).
void RestauraRegionalPadrao();

/// "Today" comes from an injectable clock so tests never depend on the calendar.
QDate Hoje();

/// Replaces the clock; an empty function restores the system clock.
void DefineRelogio(std::function<QDateTime()> relogio);
