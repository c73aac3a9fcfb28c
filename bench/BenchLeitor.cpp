// bench_leitor PASTA [--tabela TABEST1] [--repeticoes 3]
// The reader alone: every record of the table read through the source query, every field read as
// text by its name, as the controllers do. Prints records per second (median) and a JSON line.
#include "EConversao.h"
#include "TQueryOrigem.h"
#include "TTabelaDbf.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <algorithm>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream erro(stderr);
    if (args.isEmpty()) {
        erro << "Uso: bench_leitor PASTA [--tabela TABEST1] [--repeticoes 3]\n";
        return 2;
    }
    const QString pasta = args[0];
    QString tabela = QStringLiteral("TABEST1");
    int repeticoes = 3;
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--tabela")) {
            tabela = args[i + 1];
        } else if (args[i] == QLatin1String("--repeticoes")) {
            repeticoes = std::max(1, args[i + 1].toInt());
        }
    }
    try {
        QStringList campos;
        {
            const TTabelaDbf t(pasta, tabela);
            for (int i = 0; i < t.QuantCampos(); ++i) {
                campos << t.Campo(i).nome;
            }
        }
        std::vector<double> taxas;
        qint64 registros = 0;
        qint64 caracteres = 0; // keeps the reads from being optimised away
        for (int r = 0; r < repeticoes; ++r) {
            QElapsedTimer relogio;
            relogio.start();
            TQueryOrigem q;
            q.SetNomeBanco(pasta);
            q.SetSQL(QStringLiteral("SELECT * FROM ") + tabela);
            q.Abre();
            registros = 0;
            for (; !q.Eof(); q.Proximo()) {
                for (const QString& campo : campos) {
                    caracteres += q.CampoPorNome(campo).ComoTexto().size();
                }
                ++registros;
            }
            q.Fecha();
            taxas.push_back(static_cast<double>(registros) / (static_cast<double>(relogio.nsecsElapsed()) / 1e9));
        }
        std::vector<double> ordenadas = taxas;
        std::sort(ordenadas.begin(), ordenadas.end());
        const double mediana = ordenadas[ordenadas.size() / 2];
        QTextStream saida(stdout);
        saida << "Leitor: " << tabela << ", " << registros << " registros, " << campos.size()
              << " campos: " << QString::number(mediana, 'f', 0) << " registros/s (mediana de " << repeticoes
              << "; meta >= 500000: " << (mediana >= 500000.0 ? "ok" : "NÃO") << ")\n";
        QJsonArray todas;
        for (double t : taxas) {
            todas.append(t);
        }
        saida << QJsonDocument(QJsonObject{{QStringLiteral("tabela"), tabela},
                                           {QStringLiteral("registros"), registros},
                                           {QStringLiteral("campos"), campos.size()},
                                           {QStringLiteral("registrosPorSegundo"), mediana},
                                           {QStringLiteral("medidas"), todas},
                                           {QStringLiteral("meta"), mediana >= 500000.0},
                                           {QStringLiteral("caracteres"), caracteres}})
                     .toJson(QJsonDocument::Compact)
              << "\n";
    } catch (const EConversao& e) {
        erro << e.Mensagem() << "\n";
        return 1;
    }
    return 0;
}
