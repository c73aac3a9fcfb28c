#include "RelatorioExecucao.h"

#include "ArquivoAlteracoes.h"
#include "DialogoRelatorio.h"
#include "EConversao.h"
#include "ui/InterfaceUsuario.h"

#include <QDir>

#include <exception>

TRelatorioExecucao::TRelatorioExecucao(TConexaoDestino& conexao, const QString& pastaOrigem,
                                       IDialogoArquivo& dialogoArquivo, QWidget* janela)
    : TColetorResumo(conexao, pastaOrigem),
      m_arquivo(QDir(QDir::tempPath()).filePath(QStringLiteral("conversor-tavrin-alteracoes-XXXXXX.csv"))),
      m_dialogoArquivo(dialogoArquivo), m_janela(janela) {
    if (!m_arquivo.open()) {
        throw EConversao(QStringLiteral("Não foi possível criar o registro de alterações em \"%1\": %2. Nada foi "
                                        "convertido.")
                             .arg(QDir::tempPath(), m_arquivo.errorString()));
    }
    m_escritor = std::make_unique<TArquivoAlteracoes>(m_arquivo, false);
}

TRelatorioExecucao::~TRelatorioExecucao() {
    InterfaceUsuario().AcaoProximaMensagem(QString(), {});
}

IRegistroAlteracoes& TRelatorioExecucao::Alteracoes() {
    return *m_escritor;
}

QString TRelatorioExecucao::FimExecucao(bool sucesso) {
    const QString texto = TColetorResumo::FimExecucao(sucesso);
    // The data is in the database by now: a change log that cannot be finished is said in the report
    // rather than turning the run into a failure.
    try {
        m_escritor->Conclui();
    } catch (const std::exception& e) {
        m_problema = MensagemDe(e) + QStringLiteral(" A lista de alterações abaixo pode estar incompleta.");
    }
    InterfaceUsuario().AcaoProximaMensagem(QStringLiteral("&Ver relatório…"), [this] { Mostra(); });
    return texto;
}

void TRelatorioExecucao::Mostra() {
    TDialogoRelatorio dialogo(Resumo(), m_arquivo.fileName(), m_problema, m_dialogoArquivo, m_janela);
    dialogo.exec();
}
