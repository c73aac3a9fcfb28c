#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QTableWidget;
class IDialogoArquivo;
class TPainelAlteracoes;
struct TResumoExecucao;

/// The report of a run: its outcome, the summary as a table (one row per kind and a total), the
/// reader's warnings about the source tables, and the change log with its filters and "Salvar CSV…".
class TDialogoRelatorio final : public QDialog {
    Q_OBJECT

public:
    /// `arquivoAlteracoes` is the run's change log; `aviso`, when not empty, is said above the rest
    /// (e.g. the change log could not be written to its end). `dialogoArquivo` is not owned.
    TDialogoRelatorio(const TResumoExecucao& resumo, const QString& arquivoAlteracoes, const QString& aviso,
                      IDialogoArquivo& dialogoArquivo, QWidget* pai = nullptr);

private:
    QTableWidget* CriaTabelaResumo(const TResumoExecucao& resumo);

    QLabel* lblResultado = nullptr;
    QTableWidget* tblResumo = nullptr;
    QListWidget* lstAvisos = nullptr;
    TPainelAlteracoes* pnlAlteracoes = nullptr;
};
