#pragma once

#include <QString>

#include <functional>

/// How the core talks to a person. The window implements it with message boxes and
/// processEvents, the headless command with lines on stderr, the tests with a recorder.
/// Every box is modal with one OK button; texts are shown word for word.
class IInterfaceUsuario {
public:
    virtual ~IInterfaceUsuario() = default;
    virtual void Aviso(const QString& texto) = 0;
    virtual void Erro(const QString& texto) = 0;
    virtual void Informacao(const QString& texto) = 0;
    /// Details for the next message box only (the window shows them behind the box's details button;
    /// the box's own text is unchanged). Ignored where there is no place for them.
    virtual void DetalheProximaMensagem(const QString& detalhe) { (void)detalhe; }
    /// A button for the next message box only, beside its OK, captioned `rotulo`: pressing it closes
    /// the box and runs `acao`. Where there is one, it takes the place of the details. Ignored where
    /// there are no boxes; an empty caption withdraws a button not shown yet.
    virtual void AcaoProximaMensagem(const QString& rotulo, std::function<void()> acao) {
        (void)rotulo;
        (void)acao;
    }
    /// Lets the window process pending messages (repaint) during long work.
    virtual void ProcessaMensagens() = 0;
};

/// The progress bar `Barra`: integer position and maximum.
class IBarraProgresso {
public:
    virtual ~IBarraProgresso() = default;
    virtual int Posicao() const = 0;
    virtual void SetPosicao(int valor) = 0;
    virtual int Maximo() const = 0;
    virtual void SetMaximo(int valor) = 0;
    /// Advances the position by the step (StepBy).
    virtual void Avanca(int passo) = 0;
};

/// The information label `lblInfo`.
class IRotulo {
public:
    virtual ~IRotulo() = default;
    virtual QString Caption() const = 0;
    virtual void SetCaption(const QString& texto) = 0;
};

/// The interface the program installed at start (not owned). Until one is installed,
/// messages go nowhere.
void InstalaInterfaceUsuario(IInterfaceUsuario* interfaceUsuario);
IInterfaceUsuario& InterfaceUsuario();

/// Shorthands the core uses.
inline void MostraAviso(const QString& texto) { InterfaceUsuario().Aviso(texto); }
inline void MostraErro(const QString& texto) { InterfaceUsuario().Erro(texto); }
inline void MostraInformacao(const QString& texto) { InterfaceUsuario().Informacao(texto); }
inline void DefineDetalheProximaMensagem(const QString& detalhe) { InterfaceUsuario().DetalheProximaMensagem(detalhe); }
inline void ProcessaMensagensPendentes() { InterfaceUsuario().ProcessaMensagens(); }
