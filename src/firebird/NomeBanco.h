#pragma once

#include <QString>

/// True when Firebird reaches the database through a server instead of opening a local file: the
/// client library takes any name with a ':' after its first character and before its last as
/// "server:path" ("servidor:/dados/BANCO.FB", "servidor/3051:/dados/BANCO.FB", "[::1]:/dados/BANCO.FB",
/// "inet://servidor:3051//dados/BANCO.FB"). Such a name is never a file of this machine to look at.
bool BancoNoServidor(const QString& nomeBanco);

/// The name that reaches the local file `caminho` through the Firebird server of this machine:
/// "localhost:" and the file's absolute path (the server resolves paths from its own folder).
QString NomePeloServidorLocal(const QString& caminho);

/// The file of this machine a database name stands for: the name itself for a local file, the
/// path of a "localhost:" name; empty for a database on another machine.
QString ArquivoLocalDoBanco(const QString& nomeBanco);
