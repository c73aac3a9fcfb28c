#pragma once
// Checks made before a run, shared by the window and the headless command: each returns the
// message to show, in words a person can act on, or nothing when all is well.

#include <QString>

#include <exception>
#include <optional>

class TConexaoDestino;

/// Why the source folder cannot be read: missing, not a folder, or not readable by this user.
std::optional<QString> ProblemaPastaOrigem(const QString& pasta);

/// Why a local database file cannot be opened for the conversion, checked before the engine sees it:
/// missing, a folder, held by the Firebird server of this machine (MensagemAbertoPeloServidor()), not
/// readable or not writable by this user. Nothing for a name the engine reaches through a server.
std::optional<QString> ProblemaArquivoDestino(const QString& caminho);

/// The message for a local file that the Firebird server of this machine holds: convert through it,
/// with the name it gives.
QString MensagemAbertoPeloServidor(const QString& caminho);

/// The message for a failure of TConexaoDestino::Abre() on `caminho`: what is wrong (in use by
/// another program, not a database, read-only, the engine's lock folder, ...) followed by the
/// engine's own text.
QString MensagemFalhaAbertura(const QString& caminho, const std::exception& erro);

/// Why an open database cannot take a run: not SQL dialect 1, in read-only mode, or already open by
/// another run of this program (the window or the headless command, in another process); raises
/// EBancoDestino when the question cannot be asked.
std::optional<QString> ProblemaBancoAberto(TConexaoDestino& conexao);
