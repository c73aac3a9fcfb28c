#pragma once

#include "DescricaoLinha.h"

#include <QString>

/// A writer's statement with each parameter replaced by the literal of its value (a text between
/// single quotes with inner quotes doubled, a real as the general float text with a point, NULL),
/// so a test reads which value goes into which column.
QString LinhaComoTexto(const TLinhaMontada& linha);
