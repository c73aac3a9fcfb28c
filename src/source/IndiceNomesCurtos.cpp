#include "IndiceNomesCurtos.h"

#include <cstring>
#include <utility>

TIndiceNomesCurtos::TNome TIndiceNomesCurtos::Empacota(std::string_view nome) {
    char bytes[kMaximo] = {};
    std::memcpy(bytes, nome.data(), nome.size());
    TNome pacote;
    std::memcpy(&pacote.a, bytes, sizeof pacote.a);
    std::memcpy(&pacote.b, bytes + sizeof pacote.a, sizeof pacote.b);
    return pacote;
}

std::size_t TIndiceNomesCurtos::Inicio(const TNome& nome) const {
    const std::uint64_t h = (nome.a * 0x9E3779B97F4A7C15ULL) ^ (nome.b * 0xC2B2AE3D27D4EB4FULL);
    return static_cast<std::size_t>(h ^ (h >> 29)) & (m_lugares.size() - 1);
}

void TIndiceNomesCurtos::Coloca(const TLugar& lugar) {
    std::size_t i = Inicio(lugar.nome);
    while (m_lugares[i].indice >= 0) {
        i = (i + 1) & (m_lugares.size() - 1);
    }
    m_lugares[i] = lugar;
}

void TIndiceNomesCurtos::Insere(std::string_view nome, int indice) {
    if (nome.empty() || nome.size() > kMaximo || Procura(nome) >= 0) {
        return;
    }
    if (2 * (m_quantidade + 1) > m_lugares.size()) {
        const std::vector<TLugar> antigos =
            std::exchange(m_lugares, std::vector<TLugar>(std::max<std::size_t>(16, 2 * m_lugares.size())));
        for (const TLugar& lugar : antigos) {
            if (lugar.indice >= 0) {
                Coloca(lugar);
            }
        }
    }
    Coloca({Empacota(nome), indice});
    ++m_quantidade;
}

int TIndiceNomesCurtos::Procura(std::string_view nome) const {
    if (m_lugares.empty() || nome.size() > kMaximo) {
        return -1;
    }
    const TNome pacote = Empacota(nome);
    for (std::size_t i = Inicio(pacote);; i = (i + 1) & (m_lugares.size() - 1)) {
        const TLugar& lugar = m_lugares[i];
        if (lugar.indice < 0) {
            return -1;
        }
        if (lugar.nome == pacote) {
            return lugar.indice;
        }
    }
}
