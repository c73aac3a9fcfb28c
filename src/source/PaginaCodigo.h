#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

/// The single-byte code pages the source tables are written in.
enum class PaginaCodigo { CP437, CP850, CP860, CP1252 };

/// "CP437", "CP850", "CP860" or "CP1252".
QString NomePaginaCodigo(PaginaCodigo pagina);

/// Reads a code page name as the command line gives it ("CP850", "cp1252", "850"); empty when unknown.
std::optional<PaginaCodigo> PaginaCodigoPorNome(const QString& nome);

/// The code page a table's language-driver byte (header offset 29) names; empty for 0 and for drivers
/// whose code page we cannot decode, which the reader then detects from the bytes.
std::optional<PaginaCodigo> PaginaCodigoDoLdid(std::uint8_t ldid);

/// The language-driver byte our writer stores for a code page (0x25 "PTB cp850" for CP850).
std::uint8_t LdidDaPaginaCodigo(PaginaCodigo pagina);

/// Decodes single-byte text; every byte maps to exactly one character, so no input can fail.
QString DecodificaTexto(const char* dados, qsizetype tamanho, PaginaCodigo pagina);
QString DecodificaTexto(const QByteArray& dados, PaginaCodigo pagina);

/// Encodes text for a table; characters the code page lacks become '?'.
QByteArray CodificaTexto(const QString& texto, PaginaCodigo pagina);

/// The process-wide code page that overrides every table's own (the command's --pagina-codigo);
/// empty restores reading each table's language-driver byte.
void DefinePaginaCodigoForcada(std::optional<PaginaCodigo> pagina);
std::optional<PaginaCodigo> PaginaCodigoForcada();

/// Tells CP850 from CP1252 in text of unknown code page by the Portuguese letters each would yield.
/// Owns only its two counters; feed it bytes, then ask.
class TDetectorPaginaCodigo {
public:
    void Examina(const char* dados, qsizetype tamanho);
    /// True once enough evidence has been seen that more bytes would not change the answer.
    bool Decidido() const;
    /// CP1252 when its letters clearly win, otherwise CP850 (the DOS-era default).
    PaginaCodigo Resultado() const;

private:
    long m_pontos850 = 0;
    long m_pontos1252 = 0;
};
