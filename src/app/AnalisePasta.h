#pragma once

#include <QString>
#include <QStringList>

class QWidget;
class IBarraProgresso;
class IDialogoArquivo;
class IRotulo;

/// Analyses the kinds `chaves` of the source folder `pasta` and shows the report dialog on what was
/// found, modal to `janela`. The problems go to a temporary file of their own that lives as long as
/// the dialog; `barra` and `rotulo` follow the records. A failure (no room for that file) is said in an
/// error box. Nothing is owned.
void AnalisaPastaEMostra(const QString& pasta, const QStringList& chaves, IDialogoArquivo& dialogoArquivo,
                         IBarraProgresso& barra, IRotulo& rotulo, QWidget* janela);
