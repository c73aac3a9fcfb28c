#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

/// The index of a table's field names of up to 16 ASCII bytes (every name a dBASE III-IV header
/// holds), looked up by bytes as the controllers write them. Each name is packed into two 64-bit
/// words, so a lookup is a hash of two words and one compare, without copying the name or walking a
/// chain of nodes: the controllers ask for each field of every record.
class TIndiceNomesCurtos {
public:
    static constexpr std::size_t kMaximo = 16;

    /// Adds `nome` (upper-case ASCII, at most kMaximo bytes) for field `indice`; the first of equal
    /// names stays.
    void Insere(std::string_view nome, int indice);
    /// The field of exactly that name (same case), -1 when none or when the name is longer than kMaximo.
    int Procura(std::string_view nome) const;

private:
    struct TNome {
        std::uint64_t a = 0;
        std::uint64_t b = 0;
        bool operator==(const TNome&) const = default;
    };
    struct TLugar {
        TNome nome;
        int indice = -1; ///< -1 for a free place
    };

    static TNome Empacota(std::string_view nome);
    std::size_t Inicio(const TNome& nome) const;
    void Coloca(const TLugar& lugar);

    std::vector<TLugar> m_lugares; ///< a power of two, at most half taken
    std::size_t m_quantidade = 0;
};
