#pragma once

#include "ui/InterfaceUsuario.h"

#include <QElapsedTimer>
#include <QString>

/// The person, headless: each message box becomes one block on stderr ("AVISO: ", "ERRO: ",
/// "INFORMAÇÃO: " and the text, its carriage returns as line breaks); progress goes to stderr
/// as one redrawn line on a terminal, or a line every few seconds otherwise (the pause can be
/// set with the environment variable TAVRIN_PROGRESSO_MS).
class TInterfaceTerminal final : public IInterfaceUsuario, public IBarraProgresso, public IRotulo {
public:
    TInterfaceTerminal();
    ~TInterfaceTerminal() override;

    void Aviso(const QString& texto) override { Mensagem(QStringLiteral("AVISO: "), texto); }
    void Erro(const QString& texto) override { Mensagem(QStringLiteral("ERRO: "), texto); }
    void Informacao(const QString& texto) override { Mensagem(QStringLiteral("INFORMAÇÃO: "), texto); }
    void ProcessaMensagens() override {}

    int Posicao() const override { return m_posicao; }
    void SetPosicao(int valor) override { m_posicao = valor; }
    int Maximo() const override { return m_maximo; }
    void SetMaximo(int valor) override { m_maximo = valor; }
    void Avanca(int passo) override { m_posicao += passo; }

    QString Caption() const override { return m_caption; }
    void SetCaption(const QString& texto) override;

private:
    void Mensagem(const QString& prefixo, const QString& texto);
    void LimpaLinha();

    bool m_terminal;
    qint64 m_intervaloMs;
    bool m_linhaDesenhada = false;
    QElapsedTimer m_desdeUltima;
    int m_posicao = 0;
    int m_maximo = 100;
    QString m_caption;
};
