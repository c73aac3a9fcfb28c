#include "AnalisePasta.h"

#include "AnaliseOrigem.h"
#include "ArquivoAlteracoes.h"
#include "DialogoRelatorio.h"
#include "EConversao.h"
#include "ui/InterfaceUsuario.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryFile>

#include <exception>
#include <optional>

void AnalisaPastaEMostra(const QString& pasta, const QStringList& chaves, IDialogoArquivo& dialogoArquivo,
                         IBarraProgresso& barra, IRotulo& rotulo, QWidget* janela) {
    QTemporaryFile arquivo(QDir::temp().filePath(QStringLiteral("conversor-tavrin-analise-XXXXXX.csv")));
    std::optional<TResultadoAnalise> resultado;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        if (!arquivo.open()) {
            throw EConversao(QStringLiteral("Não foi possível criar o arquivo temporário da análise: %1")
                                 .arg(arquivo.errorString()));
        }
        TArquivoAlteracoes problemas(arquivo, true);
        TAnaliseOrigem analise(pasta, std::nullopt, problemas);
        analise.SetProgresso(&barra, &rotulo);
        analise.Analisa(chaves);
        problemas.Conclui();
        resultado = analise.Resultado();
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        MostraErro(MensagemDe(e));
        return;
    }
    QApplication::restoreOverrideCursor();
    TDialogoRelatorio dialogo(*resultado, arquivo.fileName(), dialogoArquivo, janela);
    dialogo.exec();
}
