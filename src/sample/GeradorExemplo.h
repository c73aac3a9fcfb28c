#pragma once

#include <QString>

#include <cstdint>
#include <vector>

/// What `gerar-exemplo` writes. `registros` (N) is the number of customers and of products; the
/// other tables follow from it (QuantidadesExemplo).
struct TOpcoesExemplo {
    qint64 registros = 100;
    std::uint64_t semente = 1;
    /// Every character field and memo filled with text meant to break quoting, parameters and
    /// encodings, instead of ordinary business data. Code, number, date and logical fields stay valid.
    bool hostil = false;
};

/// Live records of each table for N customers and products; deleted records come on top.
struct TQuantidadesExemplo {
    qint64 vendedores = 0;   ///< N/20 rounded up, at most 99
    qint64 clientes = 0;     ///< N
    qint64 fornecedores = 0; ///< N/10 rounded up
    qint64 grupos = 0;       ///< N/10 rounded up, at most 999
    qint64 produtos = 0;     ///< N
};
TQuantidadesExemplo QuantidadesExemplo(qint64 registros);

/// Deleted records written among `vivos` live ones: one right after each live record whose
/// 0-based position p has p % 37 == 3. It repeats that record's code, as a superseded entry would.
constexpr qint64 ExcluidosExemplo(qint64 vivos) {
    return vivos > 3 ? (vivos - 4) / 37 + 1 : 0;
}

/// The largest N: customer codes are numeric fields of 8 digits.
constexpr qint64 kMaximoRegistrosExemplo = 99'999'999;

/// One table written: its file name and its live and deleted records.
struct TTabelaExemplo {
    QString arquivo;
    qint64 registros = 0;
    qint64 excluidos = 0;
};

/// Writes TABVEND, TABCLI (with its memo file TABCLI.DBT), TABFOR, TABEST8 and TABEST1 into `pasta`,
/// which must exist, replacing files of those names. Tables are dBASE III (Clipper) files in cp850 with
/// the "PTB cp850" language-driver byte; records are written one at a time, so memory does not grow
/// with N. The same options always give the same bytes. Raises EConversao when a file cannot be written.
std::vector<TTabelaExemplo> GeraExemplo(const QString& pasta, const TOpcoesExemplo& opcoes);
