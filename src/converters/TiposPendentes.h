#pragma once

#include <QString>

/// False for a kind whose conversion is not built yet; the headless command refuses it.
bool TipoDisponivel(const QString& chave);
