#pragma once

#include "ui/InterfaceUsuario.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QString>

class QLabel;
class QProgressBar;
class QWidget;

/// The window's progress bar behind IBarraProgresso. Keeps the position inside 0..maximum as a
/// native gauge does, and never lets QProgressBar see an empty range (which it would draw as a
/// "busy" animation after an error or an empty table). Posicao() is always the exact position; the
/// bar itself is given it whenever that changes what the bar draws.
class TBarraProgressoQt final : public IBarraProgresso {
public:
    explicit TBarraProgressoQt(QProgressBar& barra);

    int Posicao() const override { return m_posicao; }
    void SetPosicao(int valor) override;
    int Maximo() const override { return m_maximo; }
    void SetMaximo(int valor) override;
    void Avanca(int passo) override { SetPosicao(m_posicao + passo); }

private:
    void Mostra();

    QProgressBar& m_barra;
    int m_posicao = 0;
    int m_maximo = 100;
    qint64 m_preenchido = -1; // pixels of fill at the value the bar holds
};

/// The window's information label behind IRotulo.
class TRotuloQt final : public IRotulo {
public:
    explicit TRotuloQt(QLabel& rotulo) : m_rotulo(rotulo) {}

    QString Caption() const override;
    void SetCaption(const QString& texto) override;

private:
    QLabel& m_rotulo;
};

/// Message boxes (one OK button, modal to the main window) and processing of pending events.
class TInterfaceJanela final : public IInterfaceUsuario {
public:
    /// The window the boxes belong to; none means they are centred on the screen.
    void SetJanela(QWidget* janela) { m_janela = janela; }

    void Aviso(const QString& texto) override;
    void Erro(const QString& texto) override;
    void Informacao(const QString& texto) override;
    void DetalheProximaMensagem(const QString& detalhe) override { m_detalhe = detalhe; }
    void AcaoProximaMensagem(const QString& rotulo, std::function<void()> acao) override;
    void ProcessaMensagens() override;

private:
    void Mostra(QMessageBox::Icon icone, const QString& texto);

    QPointer<QWidget> m_janela;
    QString m_detalhe;    // for the next box only
    QString m_rotuloAcao; // likewise
    std::function<void()> m_acao;
    QElapsedTimer m_desdeProcessamento; // since the last pass over pending events
};

/// The title of every message box of the program.
QString TituloPrograma();
