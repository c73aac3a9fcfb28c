#pragma once

#include <QString>
#include <QStringList>

#include <map>

/// Every user table of a target database, each as a header line (its columns) followed by its rows
/// sorted, one line per row; plus one entry per generator with its value. Values are written by
/// column type so that two databases compare equal exactly when they hold the same data: texts
/// with '\\', '|' and control characters escaped, reals with 17 significant digits, dates as ISO
/// date-times. Today's date, wherever it appears (a date column or a text holding it as
/// dd/mm/yyyy, dd.mm.yyyy or ddmmyyyy), reads "<HOJE>", so a dump taken another day compares equal.
std::map<QString, QStringList> DespejaBanco(const QString& caminho);

/// The dump as one text, tables in name order, each introduced by "== <TABLE>".
QString DespejoComoTexto(const std::map<QString, QStringList>& despejo);

/// The text form read back.
std::map<QString, QStringList> DespejoDeTexto(const QString& texto);
