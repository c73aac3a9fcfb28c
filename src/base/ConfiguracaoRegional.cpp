#include "ConfiguracaoRegional.h"

#include <utility>

namespace {

ConfiguracaoRegional g_regional;
std::function<QDateTime()> g_relogio;

} // namespace

ConfiguracaoRegional& Regional() { return g_regional; }

void RestauraRegionalPadrao() { g_regional = ConfiguracaoRegional{}; }

QDateTime Agora() { return g_relogio ? g_relogio() : QDateTime::currentDateTime(); }

QDate Hoje() { return Agora().date(); }

void DefineRelogio(std::function<QDateTime()> relogio) { g_relogio = std::move(relogio); }
