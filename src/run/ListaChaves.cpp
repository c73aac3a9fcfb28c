#include "ListaChaves.h"

#include <algorithm>
#include <utility>

namespace {

// Places for that many keys with at most four fifths of them taken.
std::size_t Lugares(std::size_t chaves) {
    return std::max<std::size_t>(16, chaves + chaves / 4 + 1);
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

std::size_t TListaChaves::Inicio(std::uint32_t hash) const {
    // The hash without its mark, spread over the places by multiplication: any number of places will do.
    return static_cast<std::size_t>((std::uint64_t(hash >> 1) * m_hashes.size()) >> 31);
}

void TListaChaves::Redimensiona(std::size_t lugares) {
    std::vector<std::uint32_t> hashes = std::exchange(m_hashes, std::vector<std::uint32_t>(lugares));
    std::vector<std::uint32_t> registros = std::exchange(m_registros, std::vector<std::uint32_t>(lugares));
    for (std::size_t i = 0; i < hashes.size(); ++i) {
        if (hashes[i] != 0) {
            Coloca(hashes[i], registros[i]);
        }
    }
}

void TListaChaves::Coloca(std::uint32_t hash, std::uint32_t registro) {
    std::size_t i = Inicio(hash);
    while (m_hashes[i] != 0) {
        i = i + 1 == m_hashes.size() ? 0 : i + 1;
    }
    m_hashes[i] = hash;
    m_registros[i] = registro;
}

std::optional<TListaChaves::TPrimeira> TListaChaves::Nota(std::uint64_t hash64, qint64 registro,
                                                          const std::function<bool(qint64 outro)>& mesmaChave) {
    auto hash = static_cast<std::uint32_t>(hash64 ^ (hash64 >> 32)) & ~kRepetida;
    hash = hash == 0 ? 2 : hash;
    if (Lugares(m_quantidade + 1) > m_hashes.size()) {
        Redimensiona(std::max(Lugares(m_quantidade + 1), 2 * m_hashes.size()));
    }
    std::size_t i = Inicio(hash);
    for (; m_hashes[i] != 0; i = i + 1 == m_hashes.size() ? 0 : i + 1) {
        if ((m_hashes[i] & ~kRepetida) != hash || !mesmaChave(m_registros[i])) {
            continue;
        }
        const TPrimeira primeira{m_registros[i], (m_hashes[i] & kRepetida) != 0};
        m_hashes[i] |= kRepetida;
        return primeira;
    }
    m_hashes[i] = hash;
    m_registros[i] = static_cast<std::uint32_t>(registro);
    ++m_quantidade;
    return std::nullopt;
}
