// bench_conversao --cli CONVERSOR --pasta DIR [--registros 20000] [--semente 1] [--repeticoes 3] [--sem-limite]
// Generates a sample with gerar-exemplo and converts it through the headless command:
// - each kind alone on a fresh database, timed by the run itself (the seconds of its summary, from the
//   attach done to the final commit and the triggers on again) minus the least such time of a run with
//   no kind ticked (the triggers off and on, their commits), so a kind's time includes the commit of
//   its rows, exactly as the engine's limit measured on that run's rows does, and none of the start of
//   the process, whose tens of milliseconds of noise would drown the smallest kinds;
// - every kind in one run (--todos) under /usr/bin/time -v, for the peak memory and the total.
// Medians over the repetitions; a table, then one JSON line. Besides the wall-time ratio the table
// shows the ratio of processor times (conversion process against the limit's inserts and commit),
// which other work on the machine disturbs far less.
#include "EConversao.h"
#include "LimiteMotor.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTextStream>

#include <sys/resource.h>

#include <algorithm>
#include <map>
#include <vector>

namespace {

struct TExecucao {
    int codigo = -1;
    QString saida;
    QString erro;
    double cpu = 0.0; ///< processor seconds of the process and what it waited for
};

double SegundosCpuFilhos() {
    rusage uso{};
    getrusage(RUSAGE_CHILDREN, &uso);
    const auto segundos = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return segundos(uso.ru_utime) + segundos(uso.ru_stime);
}

TExecucao Roda(const QString& programa, const QStringList& argumentos) {
    QProcess p;
    p.setProgram(programa);
    p.setArguments(argumentos);
    p.setStandardInputFile(QProcess::nullDevice());
    const double cpuAntes = SegundosCpuFilhos();
    p.start();
    p.waitForFinished(-1);
    TExecucao r;
    r.cpu = SegundosCpuFilhos() - cpuAntes;
    r.codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.saida = QString::fromUtf8(p.readAllStandardOutput());
    r.erro = QString::fromUtf8(p.readAllStandardError());
    return r;
}

double Mediana(std::vector<double> v) {
    if (v.empty()) {
        return 0.0;
    }
    std::sort(v.begin(), v.end());
    return v.size() % 2 == 1 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2.0;
}

struct TMedidasTipo {
    QString nome;
    qint64 registros = 0;
    std::vector<double> paredes; // wall seconds of the run with this kind alone, measured by the command
    std::vector<double> cpus;    // its processor seconds
    std::vector<double> limiteCpu;
    std::vector<double> razaoCpu;
    std::vector<double> segundos;
    std::vector<double> limite;
    std::vector<double> razao;
    qint64 linhas = 0;
};

[[noreturn]] void Falha(const QString& texto) {
    throw EConversao(texto);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream erro(stderr);
    QTextStream saida(stdout);
    QString cli;
    QString pasta;
    qint64 registros = 20000;
    QString semente = QStringLiteral("1");
    int repeticoes = 3;
    bool comLimite = true;
    bool porTipo = true;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const QString valor = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == QLatin1String("--cli")) {
            cli = valor;
            ++i;
        } else if (a == QLatin1String("--pasta")) {
            pasta = valor;
            ++i;
        } else if (a == QLatin1String("--registros")) {
            registros = valor.toLongLong();
            ++i;
        } else if (a == QLatin1String("--semente")) {
            semente = valor;
            ++i;
        } else if (a == QLatin1String("--repeticoes")) {
            repeticoes = std::max(1, valor.toInt());
            ++i;
        } else if (a == QLatin1String("--sem-limite")) {
            comLimite = false;
        } else if (a == QLatin1String("--so-todos")) {
            porTipo = false;
        } else {
            erro << "Opção desconhecida: " << a << "\n";
            return 2;
        }
    }
    if (cli.isEmpty() || pasta.isEmpty() || registros <= 0) {
        erro << "Uso: bench_conversao --cli CONVERSOR --pasta DIR [--registros 20000] [--semente 1] "
                "[--repeticoes 3] [--sem-limite] [--so-todos]\n";
        return 2;
    }

    try {
        const QDir dir(pasta);
        const QString origem = dir.filePath(QStringLiteral("origem"));
        QDir().mkpath(origem);
        const TExecucao geracao = Roda(cli, {QStringLiteral("gerar-exemplo"), origem, QStringLiteral("--registros"),
                                             QString::number(registros), QStringLiteral("--semente"), semente,
                                             QStringLiteral("--substituir")});
        if (geracao.codigo != 0) {
            Falha(QStringLiteral("gerar-exemplo falhou: ") + geracao.erro);
        }
        const bool temTime = QFileInfo(QStringLiteral("/usr/bin/time")).isExecutable();
        const std::pair<const char*, const char*> kTipos[] = {
            {"Vendedores", "--vendedores"},     {"Clientes", "--clientes"},
            {"Fornecedores", "--fornecedores"}, {"Grupos de Produtos", "--grupos-produtos"},
            {"Produtos", "--produtos"},
        };
        std::vector<TMedidasTipo> tipos;
        for (const auto& [nome, opcao] : kTipos) {
            tipos.push_back({QLatin1String(nome), 0, {}, {}, {}, {}, {}, {}, {}, 0});
        }
        std::vector<double> memoriaKb;
        std::vector<double> totais;
        std::vector<double> limitesTotais;
        std::vector<double> bases;
        std::vector<double> basesCpu;

        // One run of the command on a fresh database: its wall seconds, the groups of rows it wrote
        // and the seconds of the run itself (from its summary: from the attach done to the final
        // commit and the triggers on again, without the start of the process) and, under
        // /usr/bin/time, its peak memory.
        auto converte = [&](const QStringList& tiposMarcados, int r, std::vector<TGrupoLimite>* grupos, double* picoKb,
                            double* cpu = nullptr, double* execucao = nullptr) {
            const QString banco = dir.filePath(QStringLiteral("convertido%1.fdb").arg(r));
            const QString resumo = dir.filePath(QStringLiteral("resumo%1.json").arg(r));
            QFile::remove(banco);
            QFile::remove(resumo);
            if (Roda(cli, {QStringLiteral("criar-destino"), banco}).codigo != 0) {
                Falha(QStringLiteral("criar-destino falhou"));
            }
            const QStringList conversao = QStringList{QStringLiteral("converter"),
                                                      QStringLiteral("--origem"),
                                                      origem,
                                                      QStringLiteral("--destino"),
                                                      banco,
                                                      QStringLiteral("--resumo"),
                                                      resumo} +
                                          tiposMarcados;
            const bool medeMemoria = picoKb != nullptr && temTime;
            QElapsedTimer relogio;
            relogio.start();
            const TExecucao run =
                medeMemoria ? Roda(QStringLiteral("/usr/bin/time"), QStringList{QStringLiteral("-v"), cli} + conversao)
                            : Roda(cli, conversao);
            const double segundos = static_cast<double>(relogio.nsecsElapsed()) / 1e9;
            if (cpu != nullptr) {
                *cpu = run.cpu;
            }
            if (run.codigo != 0) {
                Falha(QStringLiteral("a conversão falhou (%1): %2").arg(run.codigo).arg(run.erro.right(2000)));
            }
            if (picoKb != nullptr) {
                if (medeMemoria) {
                    static const QRegularExpression kPico(
                        QStringLiteral(R"(Maximum resident set size \(kbytes\): (\d+))"));
                    const auto m = kPico.match(run.erro);
                    *picoKb = m.hasMatch() ? m.captured(1).toDouble() : 0.0;
                } else {
                    rusage uso{};
                    getrusage(RUSAGE_CHILDREN, &uso);
                    *picoKb = static_cast<double>(uso.ru_maxrss);
                }
            }
            QFile arquivo(resumo);
            if (!arquivo.open(QIODevice::ReadOnly)) {
                Falha(QStringLiteral("sem o resumo ") + resumo);
            }
            const QJsonObject sumario = QJsonDocument::fromJson(arquivo.readAll()).object();
            if (execucao != nullptr) {
                *execucao = sumario.value(u"total").toObject().value(u"segundos").toDouble();
            }
            const QJsonArray lista = sumario.value(u"tipos").toArray();
            for (const QJsonValue& v : lista) {
                const QJsonObject t = v.toObject();
                TGrupoLimite g;
                g.nome = t.value(u"nome").toString();
                g.lidos = t.value(u"lidos").toInteger();
                for (const char* chave : {"linhas", "referenciasCriadas"}) {
                    const QJsonObject tabelas = t.value(QLatin1String(chave)).toObject();
                    for (auto it = tabelas.begin(); it != tabelas.end(); ++it) {
                        g.tabelas.emplace_back(it.key(), it.value().toInteger());
                    }
                }
                if (grupos != nullptr) {
                    grupos->push_back(g);
                }
            }
            if (comLimite && grupos != nullptr && !grupos->empty()) {
                const QString novo = dir.filePath(QStringLiteral("limite%1.fdb").arg(r));
                QFile::remove(novo);
                MedeLimite(banco, novo, *grupos);
                QFile::remove(novo);
            }
            QFile::remove(banco);
            return segundos;
        };

        for (int r = 0; r < repeticoes; ++r) {
            // The run's fixed cost (triggers off and on, their commits): a run with no kind.
            if (porTipo) {
                double cpu = 0.0;
                double execucao = 0.0;
                converte({}, r, nullptr, nullptr, &cpu, &execucao);
                bases.push_back(execucao);
                basesCpu.push_back(cpu);
            }
            for (std::size_t k = 0; porTipo && k < tipos.size(); ++k) {
                std::vector<TGrupoLimite> grupos;
                TMedidasTipo& t = tipos[k];
                double cpu = 0.0;
                double execucao = 0.0;
                converte({QLatin1String(kTipos[k].second)}, r, &grupos, nullptr, &cpu, &execucao);
                t.paredes.push_back(execucao);
                t.cpus.push_back(cpu);
                if (!grupos.empty()) {
                    t.registros = grupos.front().lidos;
                    t.linhas = grupos.front().linhas;
                    t.limite.push_back(grupos.front().segundos);
                    t.limiteCpu.push_back(grupos.front().cpu);
                }
            }
            std::vector<TGrupoLimite> todos;
            double picoKb = 0.0;
            totais.push_back(converte({QStringLiteral("--todos")}, r, &todos, &picoKb));
            memoriaKb.push_back(picoKb);
            double limiteTotal = 0.0;
            for (const TGrupoLimite& g : todos) {
                limiteTotal += g.segundos;
            }
            limitesTotais.push_back(limiteTotal);
            erro << "repetição " << (r + 1) << " de " << repeticoes << " concluída\n";
            erro.flush();
        }

        // The fixed cost is a floor: its least measure is the one least disturbed by other work.
        const double base = bases.empty() ? 0.0 : *std::min_element(bases.begin(), bases.end());
        const double baseCpu = basesCpu.empty() ? 0.0 : *std::min_element(basesCpu.begin(), basesCpu.end());
        for (TMedidasTipo& t : tipos) {
            for (std::size_t i = 0; i < t.paredes.size(); ++i) {
                t.segundos.push_back(t.paredes[i] - base);
                if (i < t.limite.size() && t.limite[i] > 0) {
                    t.razao.push_back(t.segundos.back() / t.limite[i]);
                }
                if (i < t.limiteCpu.size() && t.limiteCpu[i] > 0) {
                    t.razaoCpu.push_back((t.cpus[i] - baseCpu) / t.limiteCpu[i]);
                }
            }
        }
        QJsonArray jsonTipos;
        bool metasTipos = true;
        if (porTipo) {
            saida << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9\n")
                         .arg(QStringLiteral("Tipo"), -20)
                         .arg(QStringLiteral("Registros"), 10)
                         .arg(QStringLiteral("Segundos"), 9)
                         .arg(QStringLiteral("Reg/s"), 8)
                         .arg(QStringLiteral("Linhas"), 8)
                         .arg(QStringLiteral("Limite s"), 9)
                         .arg(QStringLiteral("Razão"), 6)
                         .arg(QStringLiteral("Meta"), 5)
                         .arg(QStringLiteral("Razão CPU"), 10);
            for (const TMedidasTipo& t : tipos) {
                const double s = Mediana(t.segundos);
                const double l = Mediana(t.limite);
                const double razao = Mediana(t.razao);
                const bool ok = !comLimite || razao <= 1.5; // each kind within 1.5 x its engine limit
                metasTipos = metasTipos && ok;
                const double razaoCpu = Mediana(t.razaoCpu);
                saida << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9\n")
                             .arg(t.nome, -20)
                             .arg(t.registros, 10)
                             .arg(s, 9, 'f', 2)
                             .arg(s > 0 ? t.registros / s : 0.0, 8, 'f', 0)
                             .arg(t.linhas, 8)
                             .arg(l, 9, 'f', 2)
                             .arg(razao, 6, 'f', 2)
                             .arg(comLimite ? (ok ? QStringLiteral("ok") : QStringLiteral("NÃO")) : QStringLiteral("-"),
                                  5)
                             .arg(razaoCpu, 10, 'f', 2);
                QJsonArray ms;
                QJsonArray ls;
                for (std::size_t i = 0; i < t.segundos.size(); ++i) {
                    ms.append(t.segundos[i]);
                    if (i < t.limite.size()) {
                        ls.append(t.limite[i]);
                    }
                }
                jsonTipos.append(QJsonObject{{QStringLiteral("nome"), t.nome},
                                             {QStringLiteral("registros"), t.registros},
                                             {QStringLiteral("segundos"), s},
                                             {QStringLiteral("registrosPorSegundo"), s > 0 ? t.registros / s : 0.0},
                                             {QStringLiteral("linhasGravadas"), t.linhas},
                                             {QStringLiteral("limiteSegundos"), l},
                                             {QStringLiteral("razao"), razao},
                                             {QStringLiteral("razaoCpu"), razaoCpu},
                                             {QStringLiteral("medidas"), ms},
                                             {QStringLiteral("medidasLimite"), ls}});
            }
        }
        const double picoMb = *std::max_element(memoriaKb.begin(), memoriaKb.end()) / 1024.0;
        saida << "Todos os tipos numa execução: " << QString::number(Mediana(totais), 'f', 2) << " s";
        if (comLimite) {
            saida << " (limite " << QString::number(Mediana(limitesTotais), 'f', 2) << " s)";
        }
        saida << "; custo fixo da execução " << QString::number(base, 'f', 3) << " s\n";
        const bool metaMemoria = picoMb <= 150.0;
        saida << "Memória máxima: " << QString::number(picoMb, 'f', 1) << " MB" << (temTime ? "" : " (getrusage)")
              << (metaMemoria ? " (meta <= 150 MB: ok)" : " (meta <= 150 MB: NÃO)") << "\n";
        saida << QJsonDocument(QJsonObject{{QStringLiteral("registros"), registros},
                                           {QStringLiteral("repeticoes"), repeticoes},
                                           {QStringLiteral("tipos"), jsonTipos},
                                           {QStringLiteral("memoriaMaximaMB"), picoMb},
                                           {QStringLiteral("todosSegundos"), Mediana(totais)},
                                           {QStringLiteral("todosLimiteSegundos"), Mediana(limitesTotais)},
                                           {QStringLiteral("custoFixoSegundos"), base},
                                           {QStringLiteral("metaRazao"), metasTipos},
                                           {QStringLiteral("metaMemoria"), metaMemoria}})
                     .toJson(QJsonDocument::Compact)
              << "\n";
    } catch (const std::exception& e) {
        erro << MensagemDe(e) << "\n";
        return 1;
    }
    return 0;
}
