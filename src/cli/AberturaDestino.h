#pragma once

#include <QString>

class TConexaoDestino;

/// Connects as the window's "Abrir" does (open, test, start the transaction) after checking the file,
/// and refuses a database in read-only mode. When no command may work on the database it says why on
/// stderr (the reason, then the window's connection warning), leaves the connection closed and returns
/// false. `nomeMostrado` is the name the messages give the database.
bool AbreDestino(TConexaoDestino& conexao, const QString& banco, const QString& nomeMostrado);
