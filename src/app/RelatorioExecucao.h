#pragma once

#include "ResumoExecucao.h"

#include <QPointer>
#include <QString>
#include <QTemporaryFile>
#include <QWidget>

#include <memory>

class IDialogoArquivo;
class IRegistroAlteracoes;
class TArquivoAlteracoes;
class TConexaoDestino;

/// What the window keeps of one run for its report: the summary, gathered as the run goes, and the
/// change log, written to a temporary file of its own that goes away with it. At the run's end it
/// gives the final box a "Ver relatório…" button that opens the report.
class TRelatorioExecucao final : public TColetorResumo {
public:
    /// Creates the change log's file; throws EConversao when it cannot. `dialogoArquivo` and `janela`
    /// are not owned.
    TRelatorioExecucao(TConexaoDestino& conexao, const QString& pastaOrigem, IDialogoArquivo& dialogoArquivo,
                       QWidget* janela);
    /// Withdraws the button when no box took it.
    ~TRelatorioExecucao() override;
    TRelatorioExecucao(const TRelatorioExecucao&) = delete;
    TRelatorioExecucao& operator=(const TRelatorioExecucao&) = delete;

    /// Where the run writes its changes.
    IRegistroAlteracoes& Alteracoes();
    QString ArquivoAlteracoes() const { return m_arquivo.fileName(); }

    QString FimExecucao(bool sucesso) override;

    /// The report, modal to the window.
    void Mostra();

private:
    QTemporaryFile m_arquivo;
    std::unique_ptr<TArquivoAlteracoes> m_escritor;
    QString m_problema; // what went wrong with the change log, said in the report
    IDialogoArquivo& m_dialogoArquivo;
    QPointer<QWidget> m_janela;
};
