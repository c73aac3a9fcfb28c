#include "MapeamentoAnalise.h"

#include "ClientesController.h"
#include "FornecedoresController.h"
#include "GruposProdutosController.h"
#include "ProdutosController.h"
#include "VendedorDAO.h"
#include "VendedoresController.h"

namespace {

// The mapping and how its writers name the record's key once filled.
template <typename M, typename F> TMapeamentoAnalise Mapeamento(const char* coluna, F chave) {
    auto mapeamento = std::make_unique<M>(nullptr);
    const M& m = *mapeamento;
    return {std::move(mapeamento), QLatin1String(coluna), [&m, chave]() -> std::optional<QString> { return chave(m); }};
}

} // namespace

TMapeamentoAnalise CriaMapeamentoAnalise(const QString& tipo) {
    if (tipo == QLatin1String("VENDEDORES")) {
        return Mapeamento<TMapeamentoVendedores>("VENDEND.CODVENDEDOR", [](const TMapeamentoVendedores& m) {
            return TVendedorDAO::CodigoInserido(m.Vendedor());
        });
    }
    if (tipo == QLatin1String("CLIENTES")) {
        return Mapeamento<TMapeamentoClientes>("CLIENTE.CODCLIENTE",
                                               [](const TMapeamentoClientes& m) { return m.Cliente().CodCliente(); });
    }
    if (tipo == QLatin1String("FORNECEDORES")) {
        return Mapeamento<TMapeamentoFornecedores>(
            "FORNECE.CODFORNEC", [](const TMapeamentoFornecedores& m) { return m.Fornecedor().CodFornec(); });
    }
    if (tipo == QLatin1String("GRUPOSPRODUTOS")) {
        return Mapeamento<TMapeamentoGruposProdutos>(
            "GRUPROD.CODGRUPO", [](const TMapeamentoGruposProdutos& m) -> std::optional<QString> {
                // A group without a description writes no row, so its code takes no key.
                return m.Gravavel() ? std::optional<QString>(m.Grupo().Codigo()) : std::nullopt;
            });
    }
    if (tipo == QLatin1String("PRODUTOS")) {
        return Mapeamento<TMapeamentoProdutos>("PRODUTO.CODPROD",
                                               [](const TMapeamentoProdutos& m) { return m.Produto().CodProd(); });
    }
    return {};
}
