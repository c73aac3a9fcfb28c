#pragma once

#include <QString>

#include <optional>

class QWidget;

/// The open-file dialog, behind an interface so that tests answer it in advance.
class IDialogoArquivo {
public:
    virtual ~IDialogoArquivo() = default;
    /// Asks for one existing file. `filtro` is a Qt name filter ("Title (patterns)"); only its
    /// title is shown. Returns the file's full path, or nothing when the person cancels.
    virtual std::optional<QString> EscolheArquivo(QWidget* pai, const QString& pastaInicial,
                                                  const QString& filtro) = 0;
};

/// The real dialog.
class TDialogoArquivoQt final : public IDialogoArquivo {
public:
    std::optional<QString> EscolheArquivo(QWidget* pai, const QString& pastaInicial, const QString& filtro) override;
};
