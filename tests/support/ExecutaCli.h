#pragma once

#include <QString>
#include <QStringList>

/// What one run of the built conversor-tavrin printed and returned.
struct TResultadoCli {
    int codigo = -1;
    QString saida; ///< stdout
    QString erro;  ///< stderr
};

/// Runs the headless command with the arguments (no stdin), waiting at most the given time.
TResultadoCli ExecutaCli(const QStringList& argumentos, int limiteMs = 300000);
