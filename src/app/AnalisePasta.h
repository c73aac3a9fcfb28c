#pragma once

#include <QString>
#include <QStringList>

class QWidget;
class IDialogoArquivo;

/// Analyses the kinds `chaves` of the source folder `pasta` and shows the report dialog on what was
/// found, modal to `janela`. The problems go to a temporary file of their own that lives as long as
/// the dialog. A failure (no room for that file) is said in an error box. `dialogoArquivo` is not owned.
void AnalisaPastaEMostra(const QString& pasta, const QStringList& chaves, IDialogoArquivo& dialogoArquivo,
                         QWidget* janela);
