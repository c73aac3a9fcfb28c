#pragma once

#include <QString>

#include <cstdint>
#include <optional>

/// A code page by its number (850, 1252, 65001 for UTF-8). The names below are the ones the program
/// itself uses; any page of the catalogue (PaginaCodigoPorNome) is a valid value too.
enum class PaginaCodigo : int { CP437 = 437, CP850 = 850, CP860 = 860, CP1252 = 1252, UTF8 = 65001 };

/// "CP850", "CP1252", "UTF-8", ... as the user reads and types it.
QString NomePaginaCodigo(PaginaCodigo pagina);

/// The name iconv knows the page by; empty for a page outside the catalogue.
const char* NomeIconvPaginaCodigo(PaginaCodigo pagina);

/// True for pages whose characters take more than one byte (UTF-8, CP932, CP936, CP949, CP950).
bool PaginaCodigoMultibyte(PaginaCodigo pagina);

/// True when the page is in the catalogue and this machine's iconv can decode it.
bool PaginaCodigoDisponivel(PaginaCodigo pagina);

/// Reads a code page as the command line or a .cpg file gives it: "CP850", "cp1252", "850",
/// "ANSI 1252", "OEM 850", "WINDOWS-1251", "UTF-8", "ISO-8859-1". Empty when unknown or not available.
std::optional<PaginaCodigo> PaginaCodigoPorNome(const QString& nome);

/// The names PaginaCodigoPorNome accepts on this machine, one per page, for the command's help.
QString PaginasCodigoDisponiveis();

/// The code page a table's language-driver byte (header offset 29) names; empty for 0 and for bytes
/// this program does not know. The page may still be unavailable (PaginaCodigoDisponivel).
std::optional<PaginaCodigo> PaginaCodigoDoLdid(std::uint8_t ldid);

/// The language-driver byte our writer stores for a code page (0x25 "PTB cp850" for CP850); 0 when none.
std::uint8_t LdidDaPaginaCodigo(PaginaCodigo pagina);
