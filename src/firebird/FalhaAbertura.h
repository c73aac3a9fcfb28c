#pragma once

#include "EBancoDestino.h"

/// What went wrong when the engine refused to open a database, as far as a person can act on it.
enum class MotivoFalhaAbertura {
    EmUso,               ///< another process holds the file (another engine instance or a server)
    NaoEBanco,           ///< the file is not a Firebird database, or is damaged
    VersaoIncompativel,  ///< a database of another on-disk structure version
    SemEscrita,          ///< the file cannot be opened for writing by this user
    PastaTravas,         ///< the engine's lock folder cannot be used by this user
    ServidorInacessivel, ///< no Firebird server answers at that host and port (or the host is unknown)
    AcessoRecusado,      ///< the server refused the user name or the password
    ArquivoNaoAbre,      ///< the engine could not open the file (on a server: missing there, or no permission)
    Outro,
};

/// Classifies an error raised by TConexaoDestino::Abre() from the engine's status codes.
MotivoFalhaAbertura ClassificaFalhaAbertura(const EBancoDestino& erro);
