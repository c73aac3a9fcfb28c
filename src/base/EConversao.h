#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <utility>

/// The one exception of the program: its message is the text the user reads.
/// Target-database errors carry the engine's own text, source errors the reader's.
class EConversao : public std::exception {
public:
    explicit EConversao(QString mensagem) : m_mensagem(std::move(mensagem)), m_utf8(m_mensagem.toUtf8()) {}

    const QString& Mensagem() const noexcept { return m_mensagem; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_mensagem;
    QByteArray m_utf8;
};

/// The user-facing message of any exception the program catches.
inline QString MensagemDe(const std::exception& e) {
    if (const auto* conversao = dynamic_cast<const EConversao*>(&e)) {
        return conversao->Mensagem();
    }
    return QString::fromUtf8(e.what());
}
