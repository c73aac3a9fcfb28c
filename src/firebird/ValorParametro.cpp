#include "ValorParametro.h"

#include "EConversao.h"
#include "FormatoDestino.h"

#include <cmath>

TValorParametro TValorParametro::DataHora(double valor) {
    if (!std::isfinite(valor) || std::fabs(valor) > 3e6) {
        throw EConversao(QStringLiteral("Data inválida: %1.").arg(valor));
    }
    std::int32_t dia = 0;
    std::uint32_t hora = 0;
    formato::DeTDateTime(valor, dia, hora);
    return DataHora(dia, hora);
}
