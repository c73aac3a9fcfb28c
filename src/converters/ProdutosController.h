#pragma once

#include "CompProd.h"
#include "LacoConversao.h"
#include "Produto.h"
#include "ProdutoDetalhe.h"
#include "classConversao.h"

#include <QString>

#include <optional>

class TConexaoDestino;
class IBarraProgresso;
class IRotulo;

/// The products' mapping: TABEST1 into PRODUTO, COMPPROD and the opening stock movement (MVGERAL).
class TMapeamentoProdutos final : public TMapeamento {
public:
    /// Without a connection (null) only Preenche may be used.
    explicit TMapeamentoProdutos(TConexaoDestino* banco);

    void LimpaDestino() override;
    void Preenche(const TQueryOrigem& qry) override;
    void Grava() override;
    void Descarta() override;

    const TConverteProduto& Produto() const { return m_produto; }
    const TConverteCompProd& Estoque() const { return m_estoque; }

private:
    TConverteProduto m_produto;
    /// Not reset between products; all four fields it is fed are set for every record, so
    /// nothing leaks from one product to the next.
    TConverteCompProd m_estoque;
    TConverteProdutoDetalhe m_detalhe;
    TConversao m_conversao;
};

/// Converts the products: TABEST1 into PRODUTO, COMPPROD and MVGERAL.
class TClassPreencheDadosProdutos {
public:
    void PreencheDadosProdutos(const QString& DbOrigem, TConexaoDestino& DbDestino, IBarraProgresso& Barra,
                               IRotulo& lblInfo, const TAjustesConversao& ajustes = {});
};
