#include "ExecutaCli.h"

#include <QProcess>

QStringList ArgumentosConverter(const QString& origem, const QString& destino, const QStringList& extras) {
    return QStringList{QStringLiteral("converter"), QStringLiteral("--origem"), origem, QStringLiteral("--destino"),
                       destino} +
           extras;
}

TResultadoCli ExecutaCli(const QStringList& argumentos, int limiteMs) {
    QProcess processo;
    return ExecutaCli(processo, argumentos, limiteMs);
}

TResultadoCli ExecutaCli(QProcess& processo, const QStringList& argumentos, int limiteMs) {
    processo.setProgram(QStringLiteral(TAVRIN_CLI));
    processo.setArguments(argumentos);
    processo.setStandardInputFile(QProcess::nullDevice());
    processo.start();
    TResultadoCli r;
    if (!processo.waitForFinished(limiteMs)) {
        processo.kill();
        processo.waitForFinished();
        r.erro = QStringLiteral("<tempo esgotado>");
        return r;
    }
    r.codigo = processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1;
    r.saida = QString::fromUtf8(processo.readAllStandardOutput());
    r.erro = QString::fromUtf8(processo.readAllStandardError());
    return r;
}
