#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The target keys the records of one table get, each with the first record that got it: what finds
/// two records the rules would write under one key. This is what grows with the table, so it is kept
/// flat: the keys' and codes' UTF-8 bytes in one buffer, a fixed-size entry per key and an index of
/// open addresses, about 45 bytes a key.
class TListaChaves {
public:
    /// The record that got a key first.
    struct TPrimeira {
        qint64 registro = 0;
        QString codigo;
        bool jaRepetida = false; ///< an earlier record after it had the key too
    };

    /// Room for `chaves` keys without growing.
    void Reserva(qint64 chaves);
    /// Notes that record `registro` (source code `codigo`) gets `chave`. When an earlier record got it,
    /// says which, and marks the key as repeated from then on.
    std::optional<TPrimeira> Nota(std::string_view chave, qint64 registro, std::string_view codigo);
    /// Forgets every key and gives its memory back.
    void Esvazia();

private:
    struct TEntrada {
        std::uint32_t registro = 0;
        std::uint32_t inicio = 0; ///< of the key's bytes, the code's following
        std::uint16_t tamanhoChave = 0;
        std::uint16_t tamanhoCodigo = 0;
        bool repetida = false;
    };
    struct TLugar {
        std::uint32_t hash = 0;
        std::uint32_t entrada = 0; ///< 1 + the entry's index; 0 for a free place
    };

    void Redimensiona(std::size_t lugares);
    std::string_view ChaveDe(const TEntrada& entrada) const;

    std::string m_bytes;
    std::vector<TEntrada> m_entradas;
    std::vector<TLugar> m_lugares; ///< a power of two, at most half taken
};
