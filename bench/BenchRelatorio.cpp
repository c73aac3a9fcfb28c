// bench_relatorio [--alteracoes 100000] [--repeticoes 3]
// The report dialog on a large change log: the log written through the run's CSV writer (values as
// long and awkward as real ones), then, as medians: the dialog built, shown and painted; a filter
// changed; the table scrolled to its last row; every record saved as CSV. Also the process's
// resident memory before and after opening, beside the file's size. JSON line last.
#include "Alteracao.h"
#include "ArquivoAlteracoes.h"
#include "DialogoArquivo.h"
#include "DialogoRelatorio.h"
#include "EConversao.h"
#include "Estilo.h"
#include "ResumoExecucao.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

/// "Salvar CSV…" answered with a file of the benchmark's own.
class TDialogoFixo final : public IDialogoArquivo {
public:
    explicit TDialogoFixo(QString arquivo) : m_arquivo(std::move(arquivo)) {}
    std::optional<QString> EscolheArquivo(QWidget*, const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> EscolheArquivoParaSalvar(QWidget*, const QString&, const QString&) override {
        return m_arquivo;
    }
    bool Pergunta(QWidget*, const QString&) override { return false; }

private:
    QString m_arquivo;
};

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Ms(const QElapsedTimer& relogio) {
    return static_cast<double>(relogio.nsecsElapsed()) / 1e6;
}

// Resident memory of this process, in MB (0 where /proc is missing).
double MemoriaResidenteMB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0.0;
    }
    for (const QByteArray& linha : status.readAll().split('\n')) {
        if (linha.startsWith("VmRSS:")) {
            return linha.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    return 0.0;
}

// Changes of the five kinds, with the widths, messages and values a hostile source gives.
void GravaAlteracoes(const QString& caminho, qint64 quantidade) {
    const char* tipos[] = {"VENDEDORES", "CLIENTES", "FORNECEDORES", "GRUPOSPRODUTOS", "PRODUTOS"};
    const char* tabelas[] = {"TABVEND", "TABCLI", "TABFOR", "TABEST8", "TABEST1"};
    const TipoAlteracao oQue[] = {TipoAlteracao::Cortado,        TipoAlteracao::ForaWin1252,
                                  TipoAlteracao::Cortado,        TipoAlteracao::DataIlegivel,
                                  TipoAlteracao::NumeroIlegivel, TipoAlteracao::RegistroRecusado};
    const QString longo = QStringLiteral("Aspas \"duplas\", vírgulas; e quebras\r\nde linha ─│┌┐ ").repeated(6);
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        throw EConversao(arquivo.errorString());
    }
    TArquivoAlteracoes log(arquivo, false);
    for (qint64 i = 0; i < quantidade; ++i) {
        const auto k = static_cast<std::size_t>(i % 5);
        TAlteracao a;
        a.tipo = QLatin1String(tipos[k]);
        a.tabelaOrigem = QLatin1String(tabelas[k]);
        a.registro = i / 3 + 1;
        a.codigoOrigem = QString::number(100000 + i / 3);
        a.campoOrigem = QStringLiteral("ENDERECO");
        a.colunaDestino = QStringLiteral("CLIENTE.ENDERECO");
        a.oQue = oQue[static_cast<std::size_t>(i % 6)];
        a.detalhe = a.oQue == TipoAlteracao::Cortado ? QString::number(30 + i % 20)
                    : a.oQue == TipoAlteracao::RegistroRecusado
                        ? QStringLiteral("violation of PRIMARY KEY constraint \"PK\" (%1)").arg(i)
                        : QString();
        a.valorOriginal = longo.left(static_cast<qsizetype>(40 + i % 200));
        a.valorGravado = a.valorOriginal.left(40).toUpper();
        log.Registra(a);
    }
    log.Conclui();
}

void FiltraAvisos(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
    if (!texto.contains(QLatin1String("propagateSizeHints"))) {
        qt_message_output(tipo, contexto, texto);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(FiltraAvisos);
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    qint64 quantidade = 100000;
    int repeticoes = 3;
    for (int i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--alteracoes")) {
            quantidade = std::max<qint64>(1, args[i + 1].toLongLong());
        } else if (args[i] == QLatin1String("--repeticoes")) {
            repeticoes = std::max(1, args[i + 1].toInt());
        }
    }
    AplicaEstilo(QStringLiteral("Turquoise Gray"));
    QApplication::setFont(FonteJanela(11));

    QTemporaryDir pasta;
    const QString log = pasta.filePath(QStringLiteral("alteracoes.csv"));
    const QString salvo = pasta.filePath(QStringLiteral("salvo.csv"));
    QElapsedTimer relogio;
    relogio.start();
    try {
        GravaAlteracoes(log, quantidade);
    } catch (const std::exception& e) {
        QTextStream(stderr) << MensagemDe(e) << "\n";
        return 1;
    }
    const double gravacaoMs = Ms(relogio);
    const double arquivoMB = static_cast<double>(QFileInfo(log).size()) / (1024.0 * 1024.0);

    TResumoTipo tipo;
    tipo.chave = QStringLiteral("CLIENTES");
    tipo.nome = QStringLiteral("Clientes");
    tipo.concluido = true;
    TResumoExecucao resumo;
    resumo.tipos = {tipo};
    resumo.sucesso = true;
    TDialogoFixo dialogoArquivo(salvo);

    std::vector<double> abertura, filtro, rolagem, salvamento;
    double memoriaAntes = 0.0;
    double memoriaAberto = 0.0;
    for (int r = 0; r < repeticoes; ++r) {
        memoriaAntes = MemoriaResidenteMB();
        relogio.restart();
        TDialogoRelatorio dialogo(resumo, log, QString(), dialogoArquivo);
        dialogo.show();
        dialogo.repaint();
        QApplication::processEvents();
        abertura.push_back(Ms(relogio));
        memoriaAberto = MemoriaResidenteMB();

        auto* tabela = dialogo.findChild<QTableView*>(QStringLiteral("tblAlteracoes"));
        auto* alteracao = dialogo.findChild<QComboBox*>(QStringLiteral("cbxAlteracao"));
        relogio.restart();
        alteracao->setCurrentIndex(1);
        tabela->repaint();
        filtro.push_back(Ms(relogio));
        alteracao->setCurrentIndex(0);

        relogio.restart();
        tabela->scrollToBottom();
        tabela->repaint();
        rolagem.push_back(Ms(relogio));

        relogio.restart();
        dialogo.findChild<QPushButton*>(QStringLiteral("btnSalvarCsv"))->click();
        salvamento.push_back(Ms(relogio));
    }
    const bool salvoIgual = QFileInfo(salvo).size() == QFileInfo(log).size();

    QTextStream saida(stdout);
    saida << "Relatório com " << quantidade << " alterações (" << QString::number(arquivoMB, 'f', 1)
          << " MB; gravadas em " << QString::number(gravacaoMs, 'f', 0) << " ms): abre em "
          << QString::number(Mediana(abertura), 'f', 0) << " ms, filtra em " << QString::number(Mediana(filtro), 'f', 0)
          << " ms, rola ao fim em " << QString::number(Mediana(rolagem), 'f', 0) << " ms, salva tudo em "
          << QString::number(Mediana(salvamento), 'f', 0) << " ms" << (salvoIgual ? "" : " (CÓPIA DIFERENTE)")
          << "; memória residente +" << QString::number(memoriaAberto - memoriaAntes, 'f', 1)
          << " MB ao abrir (medianas de " << repeticoes << ")\n";
    saida << QJsonDocument(QJsonObject{{QStringLiteral("alteracoes"), quantidade},
                                       {QStringLiteral("arquivoMB"), arquivoMB},
                                       {QStringLiteral("gravacaoMs"), gravacaoMs},
                                       {QStringLiteral("aberturaMs"), Mediana(abertura)},
                                       {QStringLiteral("filtroMs"), Mediana(filtro)},
                                       {QStringLiteral("rolagemMs"), Mediana(rolagem)},
                                       {QStringLiteral("salvamentoMs"), Mediana(salvamento)},
                                       {QStringLiteral("salvoIgual"), salvoIgual},
                                       {QStringLiteral("memoriaAberturaMB"), memoriaAberto - memoriaAntes}})
                 .toJson(QJsonDocument::Compact)
          << "\n";
    return salvoIgual ? 0 : 1;
}
