#include "DialogoArquivo.h"

#include "AdaptadoresQt.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace {

std::optional<QString> Escolhido(QFileDialog& dialogo) {
    if (dialogo.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList escolhidos = dialogo.selectedFiles();
    if (escolhidos.isEmpty()) {
        return std::nullopt;
    }
    return escolhidos.first();
}

} // namespace

std::optional<QString> TDialogoArquivoQt::EscolheArquivo(QWidget* pai, const QString& pastaInicial,
                                                         const QString& filtro) {
    QFileDialog dialogo(pai, QStringLiteral("Abrir"), pastaInicial, filtro);
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    dialogo.setOption(QFileDialog::HideNameFilterDetails);
    return Escolhido(dialogo);
}

std::optional<QString> TDialogoArquivoQt::EscolheArquivoParaSalvar(QWidget* pai, const QString& sugestao,
                                                                   const QString& filtro) {
    QFileDialog dialogo(pai, QStringLiteral("Salvar"), QFileInfo(sugestao).absolutePath(), filtro);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setOption(QFileDialog::HideNameFilterDetails);
    dialogo.setDefaultSuffix(QFileInfo(sugestao).suffix());
    dialogo.selectFile(QFileInfo(sugestao).fileName());
    return Escolhido(dialogo);
}

bool TDialogoArquivoQt::Pergunta(QWidget* pai, const QString& pergunta) {
    QMessageBox caixa(QMessageBox::Question, TituloPrograma(), pergunta, QMessageBox::NoButton, pai);
    caixa.setTextFormat(Qt::PlainText);
    QPushButton* sim = caixa.addButton(QStringLiteral("Sim"), QMessageBox::YesRole);
    caixa.addButton(QStringLiteral("Não"), QMessageBox::NoRole);
    caixa.setDefaultButton(sim);
    caixa.exec();
    return caixa.clickedButton() == sim;
}
