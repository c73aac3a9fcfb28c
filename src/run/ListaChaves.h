#pragma once

#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

/// The target keys the records of one table get, each with the first record that got it: what finds
/// two records the rules would write under one key. This is what grows with the table, so a key is
/// kept as a 31-bit hash and its first record's number, 10 bytes with the free places; the key itself
/// is asked for again only when two hashes match, which is when two records do share a key (or, a few
/// times in a million keys, two keys share a hash).
class TListaChaves {
public:
    /// The record that got a key first.
    struct TPrimeira {
        qint64 registro = 0;
        bool jaRepetida = false; ///< an earlier record after it had the key too
    };

    /// Room for `chaves` keys without growing.
    void Reserva(qint64 chaves);
    /// Notes that record `registro` gets a key whose hash is `hash`. Each earlier record whose key has
    /// the same hash is handed to `mesmaChave`, which says whether its key is this record's. The first
    /// that is comes back, marked as repeated from then on; when none is, this record is noted as the
    /// first with its key.
    std::optional<TPrimeira> Nota(std::uint64_t hash, qint64 registro, const std::function<bool(qint64 outro)>& mesmaChave);
    /// Forgets every key and gives its memory back.
    void Esvazia();

private:
    /// The lowest bit of a place's hash: another record had the key too.
    static constexpr std::uint32_t kRepetida = 1;

    std::size_t Inicio(std::uint32_t hash) const;
    void Redimensiona(std::size_t lugares);
    void Coloca(std::uint32_t hash, std::uint32_t registro);

    /// Open addressing, at most four fifths of the places taken. A key's hash is kept without its
    /// lowest bit, which is kRepetida; 0 is a free place (a key whose hash would be 0 is kept as 2).
    std::vector<std::uint32_t> m_hashes;
    std::vector<std::uint32_t> m_registros; ///< as the file's header counts them, in 32 bits
    std::size_t m_quantidade = 0;
};
