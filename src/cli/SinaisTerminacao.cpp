#include "SinaisTerminacao.h"

#include <csignal>

namespace {

// What a handler may touch: one flag, written once.
volatile std::sig_atomic_t g_sinalRecebido = 0;

void AnotaSinal(int sinal) {
    if (g_sinalRecebido == 0) {
        g_sinalRecebido = sinal;
    }
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
