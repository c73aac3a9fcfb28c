// bench_servidor --cli CONVERSOR --origem PASTA --pasta DIR [--repeticoes 3]
// Every kind converted in one run (converter --todos) into a fresh test database, once through a
// Firebird server of the benchmark's own on a loopback port (localhost/PORT:/caminho) and once by
// the embedded engine, the two in alternating order; each timed by the run itself (the seconds of its
// summary, from the attach done to the final commit). Medians; a line, then one JSON line.
#include "EConversao.h"
#include "ServidorFirebird.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

const QString kSenha = QStringLiteral("Bench-Servidor-Local-5512");

double Mediana(std::vector<double> v) {
    if (v.empty()) {
        return 0.0;
    }
    std::sort(v.begin(), v.end());
    return v.size() % 2 == 1 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2.0;
}

// Runs the command as a person with Firebird's variables set; raises on failure.
QString Roda(const QString& cli, const QStringList& argumentos) {
    QProcess p;
    p.setProcessEnvironment(TServidorFirebird::AmbienteCliente(QStringLiteral("SYSDBA"), kSenha));
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(cli, argumentos);
    p.waitForFinished(-1);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        throw EConversao(QStringLiteral("%1 falhou: %2")
                             .arg(argumentos.join(QLatin1Char(' ')), QString::fromUtf8(p.readAllStandardError())));
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream erro(stderr);
    QTextStream saida(stdout);
    QString cli;
    QString origem;
    QString pasta;
    int repeticoes = 3;
    for (qsizetype i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--cli")) {
            cli = args[i + 1];
        } else if (args[i] == QLatin1String("--origem")) {
            origem = args[i + 1];
        } else if (args[i] == QLatin1String("--pasta")) {
            pasta = args[i + 1];
        } else if (args[i] == QLatin1String("--repeticoes")) {
            repeticoes = std::max(1, args[i + 1].toInt());
        }
    }
    if (cli.isEmpty() || origem.isEmpty() || pasta.isEmpty() || args.size() % 2 != 0) {
        erro << "Uso: bench_servidor --cli CONVERSOR --origem PASTA --pasta DIR [--repeticoes 3]\n";
        return 2;
    }
    if (const QString motivo = TServidorFirebird::Indisponivel(); !motivo.isEmpty()) {
        erro << "Sem servidor Firebird: " << motivo << "\n";
        return 1;
    }
    try {
        TServidorFirebird servidor(kSenha);
        if (!servidor.Ativo()) {
            throw EConversao(QStringLiteral("o servidor não iniciou: ") + servidor.Falha());
        }
        QDir().mkpath(pasta);
        const QDir dir(pasta);
        // The seconds of one `converter --todos` run, from its summary.
        const auto converte = [&](bool peloServidor, int r) {
            const QString banco = dir.filePath(QStringLiteral("servidor%1-%2.fdb").arg(peloServidor).arg(r));
            const QString resumo = dir.filePath(QStringLiteral("resumo.json"));
            QFile::remove(banco);
            QFile::remove(resumo);
            Roda(cli, {QStringLiteral("criar-destino"), banco});
            Roda(cli, {QStringLiteral("converter"), QStringLiteral("--origem"), origem, QStringLiteral("--destino"),
                       peloServidor ? servidor.Nome(banco) : banco, QStringLiteral("--todos"),
                       QStringLiteral("--resumo"), resumo});
            QFile arquivo(resumo);
            if (!arquivo.open(QIODevice::ReadOnly)) {
                throw EConversao(QStringLiteral("sem o resumo ") + resumo);
            }
            const QJsonObject sumario = QJsonDocument::fromJson(arquivo.readAll()).object();
            QFile::remove(banco);
            return sumario.value(u"total").toObject().value(u"segundos").toDouble();
        };
        std::vector<double> peloServidor;
        std::vector<double> embarcado;
        for (int r = 0; r < repeticoes; ++r) {
            // Alternating order, so that a slower stretch of the machine weighs on both alike.
            const bool servidorPrimeiro = r % 2 == 0;
            for (const bool vez : {servidorPrimeiro, !servidorPrimeiro}) {
                (vez ? peloServidor : embarcado).push_back(converte(vez, r));
            }
            erro << "repetição " << (r + 1) << " de " << repeticoes << " concluída\n";
            erro.flush();
        }
        const double s = Mediana(peloServidor);
        const double e = Mediana(embarcado);
        saida << "Todos os tipos pelo servidor (localhost/" << servidor.Porta() << "): " << QString::number(s, 'f', 2)
              << " s; motor embarcado: " << QString::number(e, 'f', 2) << " s; razão "
              << QString::number(e > 0 ? s / e : 0.0, 'f', 2) << "\n";
        QJsonArray medidasServidor;
        QJsonArray medidasEmbarcado;
        for (std::size_t i = 0; i < peloServidor.size(); ++i) {
            medidasServidor.append(peloServidor[i]);
            medidasEmbarcado.append(embarcado[i]);
        }
        saida << QJsonDocument(QJsonObject{{QStringLiteral("servidorSegundos"), s},
                                           {QStringLiteral("embarcadoSegundos"), e},
                                           {QStringLiteral("razao"), e > 0 ? s / e : 0.0},
                                           {QStringLiteral("medidasServidor"), medidasServidor},
                                           {QStringLiteral("medidasEmbarcado"), medidasEmbarcado}})
                     .toJson(QJsonDocument::Compact)
              << "\n";
    } catch (const std::exception& e) {
        erro << MensagemDe(e) << "\n";
        return 1;
    }
    return 0;
}
