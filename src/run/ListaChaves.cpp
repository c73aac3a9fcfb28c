#include "ListaChaves.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace {

std::size_t Lugares(std::size_t chaves) {
    return std::bit_ceil(std::max<std::size_t>(16, chaves + chaves / 4 + 1));
}

// Where a key's places start, whether its hash is marked repeated or not.
std::size_t Inicio(std::uint64_t hash) {
    hash >>= 1;
    return static_cast<std::size_t>(hash ^ (hash >> 31));
}

} // namespace

void TListaChaves::Reserva(qint64 chaves) {
    const std::size_t lugares = Lugares(static_cast<std::size_t>(std::max<qint64>(chaves, 0)));
    if (lugares > m_hashes.size()) {
        Redimensiona(lugares);
    }
}

void TListaChaves::Esvazia() {
    m_hashes = {};
    m_registros = {};
    m_quantidade = 0;
}

void TListaChaves::Redimensiona(std::size_t lugares) {
    std::vector<std::uint64_t> hashes = std::exchange(m_hashes, std::vector<std::uint64_t>(lugares));
    std::vector<std::uint32_t> registros = std::exchange(m_registros, std::vector<std::uint32_t>(lugares));
    for (std::size_t i = 0; i < hashes.size(); ++i) {
        if (hashes[i] != 0) {
            Coloca(hashes[i], registros[i]);
        }
    }
}

void TListaChaves::Coloca(std::uint64_t hash, std::uint32_t registro) {
    const std::size_t mascara = m_hashes.size() - 1;
    std::size_t i = Inicio(hash) & mascara;
    while (m_hashes[i] != 0) {
        i = (i + 1) & mascara;
    }
    m_hashes[i] = hash;
    m_registros[i] = registro;
}

std::optional<TListaChaves::TPrimeira> TListaChaves::Nota(std::uint64_t hash, qint64 registro,
                                                          const std::function<bool(qint64 outro)>& mesmaChave) {
    hash &= ~kRepetida;
    hash = hash == 0 ? 2 : hash;
    if (m_hashes.empty()) {
        Redimensiona(Lugares(0));
    }
    const std::size_t mascara = m_hashes.size() - 1;
    std::size_t i = Inicio(hash) & mascara;
    for (; m_hashes[i] != 0; i = (i + 1) & mascara) {
        if ((m_hashes[i] & ~kRepetida) != hash || !mesmaChave(m_registros[i])) {
            continue;
        }
        const TPrimeira primeira{m_registros[i], (m_hashes[i] & kRepetida) != 0};
        m_hashes[i] |= kRepetida;
        return primeira;
    }
    if (Lugares(m_quantidade + 1) > m_hashes.size()) {
        Redimensiona(2 * m_hashes.size());
    }
    Coloca(hash, static_cast<std::uint32_t>(registro));
    ++m_quantidade;
    return std::nullopt;
}
