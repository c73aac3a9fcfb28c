// bench_limite CONVERTIDO.fdb NOVO.fdb GRUPO=TABELA:N[,TABELA:N...] ...
// The engine's limit for the rows a conversion wrote; prints one line per group and a JSON line.
#include "EConversao.h"
#include "LimiteMotor.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream erro(stderr);
    if (args.size() < 3) {
        erro << "Uso: bench_limite CONVERTIDO.fdb NOVO.fdb GRUPO=TABELA:N[,TABELA:N...] ...\n";
        return 2;
    }
    std::vector<TGrupoLimite> grupos;
    for (const QString& a : args.mid(2)) {
        const qsizetype igual = a.indexOf(u'=');
        if (igual <= 0) {
            erro << "Grupo sem '=': " << a << "\n";
            return 2;
        }
        TGrupoLimite g;
        g.nome = a.left(igual);
        for (const QString& item : a.mid(igual + 1).split(u',', Qt::SkipEmptyParts)) {
            const QStringList partes = item.split(u':');
            bool ok = partes.size() == 2;
            const qint64 n = ok ? partes[1].toLongLong(&ok) : 0;
            if (!ok) {
                erro << "Tabela sem quantidade: " << item << "\n";
                return 2;
            }
            g.tabelas.emplace_back(partes[0].toUpper(), n);
        }
        grupos.push_back(g);
    }
    try {
        MedeLimite(args[0], args[1], grupos);
    } catch (const EConversao& e) {
        erro << e.Mensagem() << "\n";
        return 1;
    }
    QTextStream saida(stdout);
    QJsonArray lista;
    for (const TGrupoLimite& g : grupos) {
        saida << qSetFieldWidth(20) << Qt::left << g.nome << qSetFieldWidth(0) << g.linhas << " linhas  "
              << QString::number(g.segundos, 'f', 3) << " s  "
              << QString::number(g.segundos > 0 ? g.linhas / g.segundos : 0.0, 'f', 0) << " linhas/s\n";
        lista.append(QJsonObject{{QStringLiteral("grupo"), g.nome},
                                 {QStringLiteral("linhas"), g.linhas},
                                 {QStringLiteral("segundos"), g.segundos}});
    }
    saida << QJsonDocument(QJsonObject{{QStringLiteral("limite"), lista}}).toJson(QJsonDocument::Compact) << "\n";
    return 0;
}
