#include "Vendedor.h"

#include "EConversao.h"
#include "classConversao.h"

TRegistroVendedor::TRegistroVendedor() {
    SetCodvendedor(QString());
}

// The padding depends only on its arguments, so no toolkit object (and no connection) is
// needed for it.
void TRegistroVendedor::SetCodvendedor(const QString& Value) {
    vCodvendedor = TConversao::StrZero(Value, 4);
}

TRegistroVendedor* TColVendend::FRetornaObjRegistroVendend(int pIndex) const {
    if (pIndex < 0 || pIndex >= Count()) {
        throw EConversao(QStringLiteral("List index out of bounds (%1)").arg(pIndex));
    }
    return m_itens[static_cast<std::size_t>(pIndex)];
}

void TColVendend::PAdicionaObjRegistroVendend(TRegistroVendedor* pObjRegistroVendend) {
    m_itens.push_back(pObjRegistroVendend);
}
