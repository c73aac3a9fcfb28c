#include "ConfiguracaoRegional.h"

#include <ctime>
#include <utility>

namespace {

ConfiguracaoRegional g_regional;
std::function<QDateTime()> g_relogio;

} // namespace

ConfiguracaoRegional& Regional() { return g_regional; }

void RestauraRegionalPadrao() { g_regional = ConfiguracaoRegional{}; }

QDate Hoje() {
    if (g_relogio) {
        return g_relogio().date();
    }
    // QDateTime::currentDateTime() reads the time zone file again at every call, a system call
    // for every empty date of every record; the C library's reentrant conversion keeps the zone.
    const std::time_t agora = std::time(nullptr);
    std::tm local{};
    localtime_r(&agora, &local);
    return QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

void DefineRelogio(std::function<QDateTime()> relogio) { g_relogio = std::move(relogio); }
