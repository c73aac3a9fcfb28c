#pragma once

#include "ui/InterfaceUsuario.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

/// Test double for the person: keeps every message, caption and bar change in order,
/// so a test can assert on exactly what the user would have seen.
class TGravadorInterface final : public IInterfaceUsuario, public IBarraProgresso, public IRotulo {
public:
    enum class Tipo { Aviso, Erro, Informacao, Detalhe, ProcessaMensagens, Caption, Posicao, Maximo };
    struct Evento {
        Tipo tipo;
        QString texto; // message or caption
        int valor = 0; // bar position or maximum after the change
    };

    TGravadorInterface();  // installs itself as the process's interface
    ~TGravadorInterface() override; // uninstalls

    void Aviso(const QString& texto) override;
    void Erro(const QString& texto) override;
    void Informacao(const QString& texto) override;
    void DetalheProximaMensagem(const QString& detalhe) override;
    void ProcessaMensagens() override;

    int Posicao() const override { return m_posicao; }
    void SetPosicao(int valor) override;
    int Maximo() const override { return m_maximo; }
    void SetMaximo(int valor) override;
    void Avanca(int passo) override;

    QString Caption() const override { return m_caption; }
    void SetCaption(const QString& texto) override;

    const std::vector<Evento>& Eventos() const { return m_eventos; }
    /// The message boxes only, each as "AVISO: ", "ERRO: " or "INFORMAÇÃO: " + text.
    QStringList Mensagens() const;
    /// Every caption written, in order.
    QStringList Captions() const;
    /// Called at each ProcessaMensagens (e.g. to observe the database during a run).
    std::function<void()> aoProcessarMensagens;

private:
    std::vector<Evento> m_eventos;
    int m_posicao = 0;
    int m_maximo = 100;
    QString m_caption;
};
