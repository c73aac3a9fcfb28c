// bench_analise --cli conversor-tavrin --pasta TRABALHO [--registros 100000] [--repeticoes 3]
// The analysis of customers and products against the reader alone on the same tables. Generates a
// sample of N customers and N products, times the reader reading every field of TABCLI and TABEST1 as
// text by name (as the controllers do), then `analisar --clientes --produtos --relatorio` on them;
// prints both, their ratio (target <= 2) and the analysis's peak memory for N and for N/10 (flat: the
// two close). Medians of the repetitions; one JSON line at the end.
#include "EConversao.h"
#include "TQueryOrigem.h"
#include "TTabelaDbf.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <vector>

#include <sys/resource.h>

namespace {

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

bool Executa(const QString& cli, const QStringList& argumentos) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(cli, argumentos);
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() <= 1;
}

// Seconds the reader alone takes over both tables.
double Leitor(const QString& pasta) {
    QElapsedTimer relogio;
    relogio.start();
    qint64 caracteres = 0;
    for (const QString& tabela : {QStringLiteral("TABCLI"), QStringLiteral("TABEST1")}) {
        QStringList campos;
        {
            const TTabelaDbf t(pasta, tabela);
            for (int i = 0; i < t.QuantCampos(); ++i) {
                campos << t.Campo(i).nome;
            }
        }
        TQueryOrigem q;
        q.SetNomeBanco(pasta);
        q.SetSQL(QStringLiteral("SELECT * FROM ") + tabela);
        q.Abre();
        for (; !q.Eof(); q.Proximo()) {
            for (const QString& campo : campos) {
                caracteres += q.CampoPorNome(campo).ComoTexto().size();
            }
        }
    }
    const double segundos = static_cast<double>(relogio.nsecsElapsed()) / 1e9;
    return caracteres >= 0 ? segundos : 0.0;
}

// The analysis's seconds and the peak memory (MB) of the process that ran it.
std::pair<double, double> Analise(const QString& cli, const QString& pasta, const QString& csv) {
    QElapsedTimer relogio;
    relogio.start();
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(cli, {QStringLiteral("analisar"), QStringLiteral("--origem"), pasta, QStringLiteral("--clientes"),
                  QStringLiteral("--produtos"), QStringLiteral("--relatorio"), csv});
    p.waitForFinished(-1);
    const double segundos = static_cast<double>(relogio.nsecsElapsed()) / 1e9;
    rusage uso{};
    getrusage(RUSAGE_CHILDREN, &uso); // the largest child so far: run the small sample first
    return {segundos, static_cast<double>(uso.ru_maxrss) / 1024.0};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString cli;
    QString trabalho;
    int registros = 100000;
    int repeticoes = 3;
    for (qsizetype i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--cli")) {
            cli = args[i + 1];
        } else if (args[i] == QLatin1String("--pasta")) {
            trabalho = args[i + 1];
        } else if (args[i] == QLatin1String("--registros")) {
            registros = std::max(10, args[i + 1].toInt());
        } else if (args[i] == QLatin1String("--repeticoes")) {
            repeticoes = std::max(1, args[i + 1].toInt());
        }
    }
    QTextStream erro(stderr);
    if (cli.isEmpty() || trabalho.isEmpty()) {
        erro << "Uso: bench_analise --cli CONVERSOR --pasta TRABALHO [--registros 100000] [--repeticoes 3]\n";
        return 2;
    }
    const QDir dir(trabalho);
    const QString pequena = dir.filePath(QStringLiteral("analise-pequena"));
    const QString grande = dir.filePath(QStringLiteral("analise-grande"));
    const QString csv = dir.filePath(QStringLiteral("analise.csv"));
    for (const auto& [pasta, n] : {std::pair{pequena, registros / 10}, std::pair{grande, registros}}) {
        QDir().mkpath(pasta);
        if (!Executa(cli, {QStringLiteral("gerar-exemplo"), pasta, QStringLiteral("--registros"), QString::number(n),
                           QStringLiteral("--semente"), QStringLiteral("1"), QStringLiteral("--substituir")})) {
            erro << "gerar-exemplo falhou\n";
            return 1;
        }
    }
    try {
        const double picoPequena = Analise(cli, pequena, csv).second;
        std::vector<double> leitor;
        std::vector<double> analise;
        double picoGrande = 0;
        for (int r = 0; r < repeticoes; ++r) {
            leitor.push_back(Leitor(grande));
            const auto [segundos, pico] = Analise(cli, grande, csv);
            analise.push_back(segundos);
            picoGrande = pico;
        }
        const double sLeitor = Mediana(leitor);
        const double sAnalise = Mediana(analise);
        const double razao = sAnalise / sLeitor;
        QTextStream saida(stdout);
        saida << "Análise de " << registros << " clientes + " << registros
              << " produtos: " << QString::number(sAnalise, 'f', 2)
              << " s; o leitor sozinho nas mesmas tabelas: " << QString::number(sLeitor, 'f', 2) << " s; razão "
              << QString::number(razao, 'f', 2) << " (meta <= 2: " << (razao <= 2.0 ? "ok" : "NÃO") << ")\n";
        saida << "Memória da análise: " << QString::number(picoPequena, 'f', 1) << " MB com " << registros / 10
              << " registros, " << QString::number(picoGrande, 'f', 1) << " MB com " << registros << "\n";
        saida << QJsonDocument(QJsonObject{{QStringLiteral("registros"), registros},
                                           {QStringLiteral("segundosAnalise"), sAnalise},
                                           {QStringLiteral("segundosLeitor"), sLeitor},
                                           {QStringLiteral("razao"), razao},
                                           {QStringLiteral("meta"), razao <= 2.0},
                                           {QStringLiteral("memoriaPequenaMB"), picoPequena},
                                           {QStringLiteral("memoriaGrandeMB"), picoGrande}})
                     .toJson(QJsonDocument::Compact)
              << "\n";
    } catch (const EConversao& e) {
        erro << e.Mensagem() << "\n";
        return 1;
    }
    return 0;
}
