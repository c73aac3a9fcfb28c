#pragma once

#include <QString>

#include <optional>

class QWidget;

/// The program's file dialogs (open, save) and its yes/no question, behind an interface so that tests
/// answer them in advance.
class IDialogoArquivo {
public:
    virtual ~IDialogoArquivo() = default;
    /// Asks for one existing file. `filtro` is a Qt name filter ("Title (patterns)"); only its
    /// title is shown. Returns the file's full path, or nothing when the person cancels.
    virtual std::optional<QString> EscolheArquivo(QWidget* pai, const QString& pastaInicial, const QString& filtro) = 0;
    /// Asks where to save a file, proposing `sugestao` (a full path; its extension is added to a name
    /// typed without one); `filtro` as above. Replacing a file is confirmed in the dialog. Returns the
    /// chosen path, or nothing when the person cancels.
    virtual std::optional<QString> EscolheArquivoParaSalvar(QWidget* pai, const QString& sugestao,
                                                            const QString& filtro) = 0;
    /// Asks a question with "Sim" and "Não"; true for "Sim".
    virtual bool Pergunta(QWidget* pai, const QString& pergunta) = 0;
};

/// The real dialogs.
class TDialogoArquivoQt final : public IDialogoArquivo {
public:
    std::optional<QString> EscolheArquivo(QWidget* pai, const QString& pastaInicial, const QString& filtro) override;
    std::optional<QString> EscolheArquivoParaSalvar(QWidget* pai, const QString& sugestao,
                                                    const QString& filtro) override;
    bool Pergunta(QWidget* pai, const QString& pergunta) override;
};
