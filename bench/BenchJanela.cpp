// bench_janela PASTA [--repeticoes 3]
// What the window's progress reporting costs: the same run (every kind, a fresh test database
// each time) with the window's adapters driving the label and progress bar of the program's own
// window, shown (offscreen platform by default), and with the headless command's adapters.
// Medians of each side; the overhead is the median of each repetition's pair; JSON line.
#include "AdaptadoresQt.h"
#include "BancoTeste.h"
#include "ClassesConversaoController.h"
#include "EConversao.h"
#include "Estilo.h"
#include "InterfaceTerminal.h"
#include "ListaParametros.h"
#include "TConexaoDestino.h"
#include "TelaPrincipal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

namespace {

/// The window's own processing of pending events; message boxes are only counted (a box would
/// wait for a click).
class TInterfaceBench final : public IInterfaceUsuario {
public:
    explicit TInterfaceBench(QWidget& janela) { m_janela.SetJanela(&janela); }
    void Aviso(const QString&) override { ++mensagens; }
    void Erro(const QString&) override { ++erros; }
    void Informacao(const QString&) override { ++mensagens; }
    void ProcessaMensagens() override { m_janela.ProcessaMensagens(); }
    int mensagens = 0;
    int erros = 0;

private:
    TInterfaceJanela m_janela;
};

/// Wall and processor seconds of one run.
struct TTempo {
    double parede = 0.0;
    double cpu = 0.0;
};

double SegundosCpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

/// One run on a fresh database.
TTempo Executa(const QString& origem, const QString& banco, IInterfaceUsuario& interfaceUsuario, IBarraProgresso& barra,
               IRotulo& rotulo) {
    CriaBancoTeste(banco);
    TConexaoDestino conexao;
    conexao.SetNomeBanco(banco);
    conexao.Abre();
    conexao.Transacao().Inicia();
    TListaParametros params;
    IniciaListaParametros(params);
    CarregaParametros(params, {true, true, true, true, true});
    InstalaInterfaceUsuario(&interfaceUsuario);
    QElapsedTimer relogio;
    relogio.start();
    const double cpuAntes = SegundosCpu();
    TClassesConversaoController run;
    const bool sucesso = run.FEfetuaConversao(params, origem, conexao, conexao.Transacao(), barra, rotulo);
    const TTempo tempo{static_cast<double>(relogio.nsecsElapsed()) / 1e9, SegundosCpu() - cpuAntes};
    InstalaInterfaceUsuario(nullptr);
    if (!sucesso) {
        throw EConversao(QStringLiteral("A conversão terminou com erro."));
    }
    return tempo;
}

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The offscreen platform says this at every window geometry change.
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
    QTextStream erro(stderr);
    if (args.isEmpty()) {
        erro << "Uso: bench_janela PASTA [--repeticoes 3]\n";
        return 2;
    }
    const QString origem = args[0];
    const int repeticoes =
        args.size() >= 3 && args[1] == QLatin1String("--repeticoes") ? std::max(1, args[2].toInt()) : 3;
    AplicaEstilo(QStringLiteral("Turquoise Gray"));

    // The program's own window, shown: its label and bar are the ones the adapters drive.
    TFPrincipal janela;
    janela.show();
    QApplication::processEvents();
    auto* rotulo = janela.findChild<QLabel*>(QStringLiteral("lblInfo"));
    auto* barra = janela.findChild<QProgressBar*>(QStringLiteral("Barra"));
    if (rotulo == nullptr || barra == nullptr) {
        erro << "A janela não tem lblInfo e Barra.\n";
        return 1;
    }
    TBarraProgressoQt barraQt(*barra);
    TRotuloQt rotuloQt(*rotulo);

    QTemporaryDir pasta;
    std::vector<double> comJanela;
    std::vector<double> semJanela;
    std::vector<double> cpuJanela;
    std::vector<double> cpuSemJanela;
    try {
        // One run of each first, not measured: the engine, the files and the caches settle. Then the
        // order alternates, so that neither side always runs right after the other.
        const auto roda = [&](bool comAJanela, int r) {
            const QString banco =
                pasta.filePath(QStringLiteral("%1%2.fdb").arg(comAJanela ? "janela" : "terminal").arg(r));
            TTempo t;
            if (comAJanela) {
                TInterfaceBench interfaceJanela(janela);
                t = Executa(origem, banco, interfaceJanela, barraQt, rotuloQt);
            } else {
                TInterfaceTerminal terminal;
                t = Executa(origem, banco, terminal, terminal, terminal);
            }
            QFile::remove(banco);
            return t;
        };
        roda(true, -1);
        roda(false, -1);
        for (int r = 0; r < repeticoes; ++r) {
            for (const bool comAJanela : {r % 2 == 0, r % 2 != 0}) {
                const TTempo t = roda(comAJanela, r);
                (comAJanela ? comJanela : semJanela).push_back(t.parede);
                (comAJanela ? cpuJanela : cpuSemJanela).push_back(t.cpu);
            }
        }
    } catch (const std::exception& e) {
        erro << MensagemDe(e) << "\n";
        return 1;
    }
    const double janelaS = Mediana(comJanela);
    const double terminalS = Mediana(semJanela);
    // The two runs of a repetition follow each other, so they share whatever else the machine is
    // doing: the overhead is the median of each repetition's own, not the ratio of the medians.
    std::vector<double> acrescimos;
    std::vector<double> acrescimosCpu;
    for (std::size_t i = 0; i < comJanela.size(); ++i) {
        acrescimos.push_back((comJanela[i] - semJanela[i]) / semJanela[i]);
        acrescimosCpu.push_back((cpuJanela[i] - cpuSemJanela[i]) / cpuSemJanela[i]);
    }
    const double acrescimo = Mediana(acrescimos);
    const double acrescimoCpu = Mediana(acrescimosCpu);
    QTextStream saida(stdout);
    saida << "Janela: " << QString::number(janelaS, 'f', 2) << " s; sem janela: " << QString::number(terminalS, 'f', 2)
          << " s; acréscimo " << QString::number(acrescimo * 100.0, 'f', 1) << " % (mediana de " << repeticoes << " pares"
          << "; meta <= 10 %: " << (acrescimo <= 0.10 ? "ok" : "NÃO") << "); em tempo de processador "
          << QString::number(acrescimoCpu * 100.0, 'f', 1) << " %\n";
    QJsonArray a;
    QJsonArray b;
    for (std::size_t i = 0; i < comJanela.size(); ++i) {
        a.append(comJanela[i]);
        b.append(semJanela[i]);
    }
    saida << QJsonDocument(QJsonObject{{QStringLiteral("janelaSegundos"), janelaS},
                                       {QStringLiteral("semJanelaSegundos"), terminalS},
                                       {QStringLiteral("acrescimo"), acrescimo},
                                       {QStringLiteral("meta"), acrescimo <= 0.10},
                                       {QStringLiteral("acrescimoCpu"), acrescimoCpu},
                                       {QStringLiteral("medidasJanela"), a},
                                       {QStringLiteral("medidasSemJanela"), b}})
                 .toJson(QJsonDocument::Compact)
          << "\n";
    return 0;
}
