#pragma once
// Internal to the target layer: a column of the current row read as text, integer, double or
// date-time, whatever its type.

#include "DataHora.h"
#include "InstrucaoPreparada.h"

#include <QByteArray>
#include <QString>

#include <functional>

/// The bytes of the blob whose id is at the given place.
using TLeBlob = std::function<QByteArray(const unsigned char* id)>;

// `dado` is the column's place in the output message, null when the value is NULL (which reads
// as "" / 0 / 0.0). A value that cannot be read as asked raises EConversao.
QString TextoCampo(const TColunaResultado& coluna, const unsigned char* dado, const TLeBlob& leBlob);
double RealCampo(const TColunaResultado& coluna, const unsigned char* dado, const TLeBlob& leBlob);
qint64 InteiroCampo(const TColunaResultado& coluna, const unsigned char* dado, const TLeBlob& leBlob);
TDateTime DataHoraCampo(const TColunaResultado& coluna, const unsigned char* dado, const TLeBlob& leBlob);
