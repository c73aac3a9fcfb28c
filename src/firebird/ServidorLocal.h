#pragma once

#include <QString>

/// True when a Firebird server process of this machine holds the local database file open (its
/// lock on the file, as the kernel lists it in /proc/locks). The embedded engine cannot open such
/// a file; it must be reached through that server (NomePeloServidorLocal()). False when the file
/// does not exist, nobody holds it, or the holder is another kind of program.
bool AbertoPeloServidorLocal(const QString& caminho);
