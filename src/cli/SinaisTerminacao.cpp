#include "SinaisTerminacao.h"

#include <atomic>
#include <csignal>

namespace {

// What a handler may touch: one lock-free flag, written once. Atomic rather than a volatile
// sig_atomic_t because the signal may land on one of the engine's threads.
std::atomic<int> g_sinalRecebido{0};
static_assert(std::atomic<int>::is_always_lock_free);

void AnotaSinal(int sinal) {
    int nenhum = 0;
    g_sinalRecebido.compare_exchange_strong(nenhum, sinal);
}

void Instala(int sinal, struct sigaction* anterior) {
    struct sigaction acao {};
    acao.sa_handler = AnotaSinal;
    // Restarted system calls: the engine's threads never see an interrupted call because of us.
    acao.sa_flags = SA_RESTART;
    sigemptyset(&acao.sa_mask);
    sigaction(sinal, &acao, anterior);
}

} // namespace

TSinaisTerminacao::TSinaisTerminacao() {
    g_sinalRecebido = 0;
    Instala(SIGINT, &m_anteriorInt);
    Instala(SIGTERM, &m_anteriorTerm);
}

TSinaisTerminacao::~TSinaisTerminacao() {
    sigaction(SIGINT, &m_anteriorInt, nullptr);
    sigaction(SIGTERM, &m_anteriorTerm, nullptr);
}

int TSinaisTerminacao::Sinal() const {
    return g_sinalRecebido;
}

QString TSinaisTerminacao::NomeSinal() const {
    switch (Sinal()) {
    case SIGINT:
        return QStringLiteral("SIGINT");
    case SIGTERM:
        return QStringLiteral("SIGTERM");
    default:
        return QString();
    }
}

QString TSinaisTerminacao::Motivo() const {
    const QString nome = NomeSinal();
    return nome.isEmpty() ? QString() : QStringLiteral("Conversão interrompida pelo sinal %1.").arg(nome);
}
