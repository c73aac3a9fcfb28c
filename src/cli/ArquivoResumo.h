#pragma once

#include <QString>

#include <functional>
#include <optional>

class QJsonObject;

struct TResumoExecucao;

/// A file an option of the command writes: its path, what it is called in messages ("resumo"), the
/// option ("--resumo"), and how to tell that an existing file is one this program wrote.
struct TArquivoSaida {
    QString caminho;
    QString nome;
    QString opcao;
    std::function<bool(const QString&)> ehNosso;
};

/// Why the option may not name its file, or nothing when it may. Refused: the target database
/// (`bancoLocal`, empty for a database on a server or none; links resolved), any file in the source
/// folder, and an existing file that is not one this program wrote.
std::optional<QString> ProblemaArquivoSaida(const TArquivoSaida& saida, const QString& bancoLocal,
                                            const QString& pastaOrigem);

/// True for a file that starts as the change log and the analysis's CSV start (mark and header).
bool EhRelatorioCsv(const QString& caminho);

/// Writes JSON through a temporary file renamed over `arquivo`; says on stderr why the `nome`
/// ("resumo") could not be written and returns false when it cannot.
bool GravaArquivoJson(const QString& arquivo, const QJsonObject& json, const QString& nome);

/// Why `--resumo` may not name `arquivo`, or nothing when it may. Refused: the target database
/// (`bancoLocal`, empty for a database on a server; links resolved), any file in the source
/// folder, and an existing file that is not a summary this program wrote.
std::optional<QString> ProblemaArquivoResumo(const QString& arquivo, const QString& bancoLocal,
                                             const QString& pastaOrigem);

/// The same for `--alteracoes`: an existing file must be a change log this program wrote.
std::optional<QString> ProblemaArquivoAlteracoes(const QString& arquivo, const QString& bancoLocal,
                                                 const QString& pastaOrigem);

/// The same for `analisar --relatorio` (no database): an existing file must be a change log or a
/// list of problems this program wrote.
std::optional<QString> ProblemaArquivoRelatorio(const QString& arquivo, const QString& pastaOrigem);

/// Writes JSON through a temporary file renamed over `arquivo`; says on stderr why `nome` ("o
/// resumo") could not be written and returns false when it cannot.
bool GravaArquivoJson(const QString& arquivo, const QJsonObject& json, const QString& nome);

/// Writes the summary as JSON through a temporary file renamed over `arquivo`, so a failed write
/// leaves the earlier file (or none), never half of one. Says why on stderr and returns false
/// when it cannot.
bool GravaResumoJson(const QString& arquivo, const TResumoExecucao& resumo);
