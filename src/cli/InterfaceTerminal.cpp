#include "InterfaceTerminal.h"

#include <QtGlobal>

#include <cstdio>

#include <unistd.h>

namespace {

constexpr qint64 kIntervaloTerminalMs = 100;
constexpr qint64 kIntervaloArquivoMs = 3000;

// TAVRIN_PROGRESSO_MS overrides the pause between progress lines; 0 prints every caption, which
// scripts and tests use to follow a run record by record.
qint64 IntervaloProgresso(bool terminal) {
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("TAVRIN_PROGRESSO_MS", &ok);
    if (ok && ms >= 0) {
        return ms;
    }
    return terminal ? kIntervaloTerminalMs : kIntervaloArquivoMs;
}

void Escreve(const QString& texto) {
    const QByteArray bytes = texto.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace

TInterfaceTerminal::TInterfaceTerminal()
    : m_terminal(isatty(STDERR_FILENO) == 1), m_intervaloMs(IntervaloProgresso(m_terminal)) {
    InstalaInterfaceUsuario(this);
}

TInterfaceTerminal::~TInterfaceTerminal() {
    LimpaLinha();
    if (&InterfaceUsuario() == this) {
        InstalaInterfaceUsuario(nullptr);
    }
}

void TInterfaceTerminal::LimpaLinha() {
    if (m_linhaDesenhada) {
        Escreve(QStringLiteral("\r\033[K"));
        m_linhaDesenhada = false;
    }
}

void TInterfaceTerminal::Mensagem(const QString& prefixo, const QString& texto) {
    LimpaLinha();
    QString bloco = texto;
    bloco.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    bloco.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Escreve(prefixo + bloco + QLatin1Char('\n'));
}

void TInterfaceTerminal::SetCaption(const QString& texto) {
    m_caption = texto;
    if (texto.isEmpty()) {
        LimpaLinha();
        return;
    }
    if (m_desdeUltima.isValid() && m_desdeUltima.elapsed() < m_intervaloMs) {
        return;
    }
    m_desdeUltima.start();
    if (m_terminal) {
        Escreve(QStringLiteral("\r\033[K") + texto);
        m_linhaDesenhada = true;
    } else {
        Escreve(texto + QLatin1Char('\n'));
    }
}
