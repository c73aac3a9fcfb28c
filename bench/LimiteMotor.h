#pragma once
// The engine's own speed for the rows a conversion wrote: the same rows inserted into a fresh
// database through statements prepared once, with bound parameters in the columns' own types.

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

/// Rows to insert for one kind of the run: (table, how many of its rows), in order.
struct TGrupoLimite {
    QString nome;
    qint64 lidos = 0; ///< source records of the kind (informative)
    std::vector<std::pair<QString, qint64>> tabelas;
    qint64 linhas = 0;     ///< filled by MedeLimite
    double segundos = 0.0; ///< filled by MedeLimite: the inserts and the commit
    double cpu = 0.0;      ///< filled by MedeLimite: processor seconds of the same
};

/// Reads every row of the tables the groups name from `bancoConvertido` (not timed), creates a
/// fresh test database at `bancoNovo` with its triggers switched off as a run switches them, and
/// inserts each group's rows in one transaction of its own, committed; times each group. A
/// table's rows are handed out in storage order, so two groups naming one table get different
/// rows. Raises EConversao on failure.
void MedeLimite(const QString& bancoConvertido, const QString& bancoNovo, std::vector<TGrupoLimite>& grupos);
