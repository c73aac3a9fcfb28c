#pragma once

#include <QStringList>

/// Exit statuses of the headless command; a run stopped by SIGINT or SIGTERM exits, as a shell
/// reports such a process, with 128 + the signal's number (130, 143).
enum CodigoSaida : int {
    kSaidaSucesso = 0,      ///< the run ended with its success message (or the command did its job)
    kSaidaErroExecucao = 1, ///< the run ended with its error message
    kSaidaUsoIncorreto = 2, ///< wrong usage, or a refusal before the run
};

/// Each subcommand takes the arguments after its name and returns the exit status.
/// Messages go to stderr; results a script may read go to stdout.
int ComandoConverter(const QStringList& argumentos);
int ComandoAnalisar(const QStringList& argumentos);
int ComandoCriarDestino(const QStringList& argumentos);
int ComandoGerarExemplo(const QStringList& argumentos);
int ComandoAtivarTriggers(const QStringList& argumentos);
