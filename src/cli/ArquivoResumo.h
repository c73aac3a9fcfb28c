#pragma once

#include <QString>

#include <optional>

struct TResumoExecucao;

/// Why `--resumo` may not name `arquivo`, or nothing when it may. Refused: the target database
/// (`bancoLocal`, empty for a database on a server; links resolved), any file in the source
/// folder, and an existing file that is not a summary this program wrote.
std::optional<QString> ProblemaArquivoResumo(const QString& arquivo, const QString& bancoLocal,
                                             const QString& pastaOrigem);

/// The same for `--alteracoes`: an existing file must be a change log this program wrote.
std::optional<QString> ProblemaArquivoAlteracoes(const QString& arquivo, const QString& bancoLocal,
                                                 const QString& pastaOrigem);

/// Writes the summary as JSON through a temporary file renamed over `arquivo`, so a failed write
/// leaves the earlier file (or none), never half of one. Says why on stderr and returns false
/// when it cannot.
bool GravaResumoJson(const QString& arquivo, const TResumoExecucao& resumo);
