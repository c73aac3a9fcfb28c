#pragma once

#include "DataHora.h"

#include <QString>

/// A date as the text dd.mm.yyyy (day.month.four-digit year), the form the target reads a date
/// text in whatever the regional settings.
QString TextoData(TDateTime valor);
