#include "DialogoArquivo.h"

#include <QFileDialog>
#include <QStringList>

std::optional<QString> TDialogoArquivoQt::EscolheArquivo(QWidget* pai, const QString& pastaInicial,
                                                         const QString& filtro) {
    QFileDialog dialogo(pai, QStringLiteral("Abrir"), pastaInicial, filtro);
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    dialogo.setOption(QFileDialog::HideNameFilterDetails);
    if (dialogo.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList escolhidos = dialogo.selectedFiles();
    if (escolhidos.isEmpty()) {
        return std::nullopt;
    }
    return escolhidos.first();
}
