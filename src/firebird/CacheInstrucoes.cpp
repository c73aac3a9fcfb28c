#include "CacheInstrucoes.h"

#include "InstrucaoPreparada.h"

#include <algorithm>

std::shared_ptr<TInstrucaoPreparada> TCacheInstrucoes::Busca(const QString& sql) {
    const auto it = m_guardadas.find(sql);
    if (it == m_guardadas.end()) {
        return nullptr;
    }
    it->second.uso = ++m_relogio;
    return it->second.instrucao;
}

void TCacheInstrucoes::Guarda(const std::shared_ptr<TInstrucaoPreparada>& instrucao) {
    if (m_guardadas.size() >= m_maximo && !m_guardadas.contains(instrucao->sql)) {
        const auto velha = std::min_element(m_guardadas.begin(), m_guardadas.end(),
                                            [](const auto& a, const auto& b) { return a.second.uso < b.second.uso; });
        m_guardadas.erase(velha);
    }
    m_guardadas[instrucao->sql] = Guardada{instrucao, ++m_relogio};
}

void TCacheInstrucoes::Descarta() {
    m_guardadas.clear();
    ++m_geracao;
}
