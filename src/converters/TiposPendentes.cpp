// Kinds whose controllers are not built yet. Each kind's controller file replaces its entry
// here when it lands; the headless command refuses the kinds listed.
#include "TiposPendentes.h"

#include <QStringList>

namespace {

const QStringList kPendentes = {};

} // namespace

bool TipoDisponivel(const QString& chave) { return !kPendentes.contains(chave); }
