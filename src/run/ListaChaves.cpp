#include "ListaChaves.h"

#include <bit>
#include <functional>
#include <limits>

namespace {

std::uint32_t Hash(std::string_view chave) {
    const std::size_t h = std::hash<std::string_view>{}(chave);
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

} // namespace

void TListaChaves::Reserva(qint64 chaves) {
    const auto n = static_cast<std::size_t>(std::max<qint64>(chaves, 0));
    m_entradas.reserve(n);
    m_bytes.reserve(n * 12);
    if (2 * n > m_lugares.size()) {
        Redimensiona(std::bit_ceil(std::max<std::size_t>(2 * n, 16)));
    }
}

void TListaChaves::Esvazia() {
    m_bytes = {};
    m_entradas = {};
    m_lugares = {};
}

std::string_view TListaChaves::ChaveDe(const TEntrada& entrada) const {
    return std::string_view(m_bytes).substr(entrada.inicio, entrada.tamanhoChave);
}

void TListaChaves::Redimensiona(std::size_t lugares) {
    std::vector<TLugar> novos(lugares);
    const std::size_t mascara = lugares - 1;
    for (const TLugar& lugar : m_lugares) {
        if (lugar.entrada == 0) {
            continue;
        }
        std::size_t i = lugar.hash & mascara;
        while (novos[i].entrada != 0) {
            i = (i + 1) & mascara;
        }
        novos[i] = lugar;
    }
    m_lugares = std::move(novos);
}

std::optional<TListaChaves::TPrimeira> TListaChaves::Nota(std::string_view chave, qint64 registro,
                                                          std::string_view codigo) {
    // Source fields are at most 254 characters, and so are keys and codes: they fit the entry's sizes.
    constexpr std::size_t kMaximo = std::numeric_limits<std::uint16_t>::max();
    chave = chave.substr(0, kMaximo);
    codigo = codigo.substr(0, kMaximo);
    if (2 * (m_entradas.size() + 1) > m_lugares.size()) {
        Redimensiona(std::max<std::size_t>(16, 2 * m_lugares.size()));
    }
    const std::uint32_t hash = Hash(chave);
    const std::size_t mascara = m_lugares.size() - 1;
    std::size_t i = hash & mascara;
    for (; m_lugares[i].entrada != 0; i = (i + 1) & mascara) {
        if (m_lugares[i].hash != hash) {
            continue;
        }
        TEntrada& outra = m_entradas[m_lugares[i].entrada - 1];
        if (ChaveDe(outra) != chave) {
            continue;
        }
        const std::string_view bytesCodigo =
            std::string_view(m_bytes).substr(outra.inicio + outra.tamanhoChave, outra.tamanhoCodigo);
        TPrimeira primeira{outra.registro, QString::fromUtf8(bytesCodigo.data(), static_cast<qsizetype>(bytesCodigo.size())),
                           outra.repetida};
        outra.repetida = true;
        return primeira;
    }
    TEntrada entrada;
    entrada.registro = static_cast<std::uint32_t>(registro);
    entrada.inicio = static_cast<std::uint32_t>(m_bytes.size());
    entrada.tamanhoChave = static_cast<std::uint16_t>(chave.size());
    entrada.tamanhoCodigo = static_cast<std::uint16_t>(codigo.size());
    m_bytes.append(chave);
    m_bytes.append(codigo);
    m_entradas.push_back(entrada);
    m_lugares[i] = {hash, static_cast<std::uint32_t>(m_entradas.size())};
    return std::nullopt;
}
