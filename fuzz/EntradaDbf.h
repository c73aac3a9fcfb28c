#pragma once
// One fuzz input for the dBASE reader: a table file and, optionally, its memo file, packed as
//   byte 0     options: bits 0-1 memo file written (0 none, 1 .DBT, 2 .FPT, 3 both),
//              bits 2-4 code page forced on the reader (0 none, 1 CP437, 2 CP850, 3 CP860, 4 CP1252,
//              5 CP866, 6 UTF-8, 7 CP932)
//   bytes 1-4  length of the table file, little-endian (cut to what the input holds)
//   then       the table file's bytes, then the memo file's bytes.
// The seed generator packs and the fuzz target unpacks with the same code.

#include "PaginaCodigo.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

struct TEntradaDbf {
    enum Memo : std::uint8_t { SemMemo = 0, Dbt = 1, Fpt = 2, Ambos = 3 };

    /// The pages bits 2-4 choose from 1 on: ours, one iconv builds a table for, and two multi-byte ones.
    static constexpr PaginaCodigo kPaginas[] = {PaginaCodigo::CP437,
                                                PaginaCodigo::CP850,
                                                PaginaCodigo::CP860,
                                                PaginaCodigo::CP1252,
                                                static_cast<PaginaCodigo>(866),
                                                PaginaCodigo::UTF8,
                                                static_cast<PaginaCodigo>(932)};

    static std::optional<PaginaCodigo> PaginaPorOpcao(int opcao) {
        if (opcao < 1 || opcao > 7) {
            return std::nullopt;
        }
        return kPaginas[opcao - 1];
    }

    Memo memo = SemMemo;
    std::optional<PaginaCodigo> paginaForcada;
    QByteArray tabela;
    QByteArray arquivoMemo;

    QByteArray Empacota() const {
        std::uint8_t opcoes = memo;
        for (int opcao = 1; paginaForcada && opcao <= 7; ++opcao) {
            if (kPaginas[opcao - 1] == *paginaForcada) {
                opcoes |= static_cast<std::uint8_t>(opcao << 2);
            }
        }
        QByteArray r;
        r.append(static_cast<char>(opcoes));
        const auto n = static_cast<std::uint32_t>(tabela.size());
        for (int i = 0; i < 4; ++i) {
            r.append(static_cast<char>((n >> (8 * i)) & 0xFF));
        }
        r.append(tabela);
        r.append(arquivoMemo);
        return r;
    }

    static TEntradaDbf Desempacota(const std::uint8_t* dados, std::size_t tamanho) {
        TEntradaDbf e;
        if (tamanho < 5) {
            e.tabela = QByteArray(reinterpret_cast<const char*>(dados), static_cast<qsizetype>(tamanho));
            return e;
        }
        e.memo = static_cast<Memo>(dados[0] & 0x03);
        e.paginaForcada = PaginaPorOpcao((dados[0] >> 2) & 0x07);
        const std::size_t declarado = std::size_t(dados[1]) | (std::size_t(dados[2]) << 8) |
                                      (std::size_t(dados[3]) << 16) | (std::size_t(dados[4]) << 24);
        const std::size_t resto = tamanho - 5;
        const std::size_t n = declarado < resto ? declarado : resto;
        e.tabela = QByteArray(reinterpret_cast<const char*>(dados + 5), static_cast<qsizetype>(n));
        e.arquivoMemo = QByteArray(reinterpret_cast<const char*>(dados + 5 + n), static_cast<qsizetype>(resto - n));
        return e;
    }
};
