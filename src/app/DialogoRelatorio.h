#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QTableWidget;
class IDialogoArquivo;
class TPainelAlteracoes;
struct TResultadoAnalise;
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

    /// The report of an analysis of a source folder: its outcome, one row per table with its facts and its
    /// problems by class, the reader's warnings, and every problem (`arquivoProblemas`) with the same
    /// filters and "Salvar CSV…".
    TDialogoRelatorio(const TResultadoAnalise& analise, const QString& arquivoProblemas,
                      IDialogoArquivo& dialogoArquivo, QWidget* pai = nullptr);

private:
    /// Lays out what both reports show; `tabela` is the summary, built by the caller.
    void Monta(const QString& resultado, const QString& aviso, QTableWidget* tabela, const QStringList& avisos,
               const QString& arquivo, const QString& tituloLista, IDialogoArquivo& dialogoArquivo);
    QTableWidget* CriaTabelaResumo(const TResumoExecucao& resumo);
    QTableWidget* CriaTabelaAnalise(const TResultadoAnalise& analise);

    QLabel* lblResultado = nullptr;
    QTableWidget* tblResumo = nullptr;
    QListWidget* lstAvisos = nullptr;
    TPainelAlteracoes* pnlAlteracoes = nullptr;
};
