#pragma once

#include "EConversao.h"

#include <vector>

/// An error reported by the target database. The message is the engine's own status text;
/// the status codes (isc_* numbers) let callers recognise cases such as a database in use.
class EBancoDestino : public EConversao {
public:
    EBancoDestino(QString mensagem, std::vector<long> codigos)
        : EConversao(std::move(mensagem)), m_codigos(std::move(codigos)) {}

    const std::vector<long>& Codigos() const noexcept { return m_codigos; }
    bool Contem(long codigo) const noexcept {
        for (long c : m_codigos) {
            if (c == codigo) {
                return true;
            }
        }
        return false;
    }

private:
    std::vector<long> m_codigos;
};
