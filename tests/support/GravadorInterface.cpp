#include "GravadorInterface.h"

TGravadorInterface::TGravadorInterface() { InstalaInterfaceUsuario(this); }

TGravadorInterface::~TGravadorInterface() {
    if (&InterfaceUsuario() == this) {
        InstalaInterfaceUsuario(nullptr);
    }
}

void TGravadorInterface::Aviso(const QString& texto) { m_eventos.push_back({Tipo::Aviso, texto}); }
void TGravadorInterface::Erro(const QString& texto) { m_eventos.push_back({Tipo::Erro, texto}); }
void TGravadorInterface::Informacao(const QString& texto) { m_eventos.push_back({Tipo::Informacao, texto}); }

void TGravadorInterface::DetalheProximaMensagem(const QString& detalhe) {
    m_eventos.push_back({Tipo::Detalhe, detalhe});
}

void TGravadorInterface::ProcessaMensagens() {
    m_eventos.push_back({Tipo::ProcessaMensagens, {}});
    if (aoProcessarMensagens) {
        aoProcessarMensagens();
    }
}

void TGravadorInterface::SetPosicao(int valor) {
    m_posicao = valor;
    m_eventos.push_back({Tipo::Posicao, {}, valor});
}

void TGravadorInterface::SetMaximo(int valor) {
    m_maximo = valor;
    m_eventos.push_back({Tipo::Maximo, {}, valor});
}

void TGravadorInterface::Avanca(int passo) { SetPosicao(m_posicao + passo); }

void TGravadorInterface::SetCaption(const QString& texto) {
    m_caption = texto;
    m_eventos.push_back({Tipo::Caption, texto});
}

QStringList TGravadorInterface::Mensagens() const {
    QStringList r;
    for (const auto& e : m_eventos) {
        switch (e.tipo) {
        case Tipo::Aviso: r << QStringLiteral("AVISO: ") + e.texto; break;
        case Tipo::Erro: r << QStringLiteral("ERRO: ") + e.texto; break;
        case Tipo::Informacao: r << QStringLiteral("INFORMAÇÃO: ") + e.texto; break;
        default: break;
        }
    }
    return r;
}

QStringList TGravadorInterface::Captions() const {
    QStringList r;
    for (const auto& e : m_eventos) {
        if (e.tipo == Tipo::Caption) {
            r << e.texto;
        }
    }
    return r;
}
