#pragma once

#include <QString>
#include <QStringList>

class QProcess;

/// What one run of the built conversor-tavrin printed and returned.
struct TResultadoCli {
    int codigo = -1;
    QString saida; ///< stdout
    QString erro;  ///< stderr
};

/// "converter --origem <origem> --destino <destino>" followed by the extra switches.
QStringList ArgumentosConverter(const QString& origem, const QString& destino, const QStringList& extras = {});

/// Runs the headless command with the arguments (no stdin), waiting at most the given time.
TResultadoCli ExecutaCli(const QStringList& argumentos, int limiteMs = 300000);

/// The same in a process the caller has set up (environment, what the child does before it runs).
TResultadoCli ExecutaCli(QProcess& processo, const QStringList& argumentos, int limiteMs = 300000);
