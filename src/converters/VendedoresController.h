#pragma once

#include "LacoConversao.h"
#include "Vendedor.h"
#include "classConversao.h"

#include <QString>

#include <optional>

class TConexaoDestino;
class IBarraProgresso;
class IRotulo;

/// The sellers' mapping: TABVEND into VENDEND.
class TMapeamentoVendedores final : public TMapeamento {
public:
    /// Without a connection (null) only Preenche may be used.
    explicit TMapeamentoVendedores(TConexaoDestino* banco);

    void LimpaDestino() override;
    void Preenche(const TQueryOrigem& qry) override;
    void Grava() override;
    void Descarta() override {}

    /// One record reused for every row: each row sets the same seven properties, the others keep
    /// their neutral values.
    const TRegistroVendedor& Vendedor() const { return m_vendedor; }

private:
    TRegistroVendedor m_vendedor;
    TConversao m_conversao;
};

/// Converts the sellers: TABVEND into VENDEND.
class TVendedoresController {
public:
    void PreencheDadosVendedores(const QString& DbOrigem, TConexaoDestino& DbDestino, IBarraProgresso& Barra,
                                 IRotulo& lblInfo, const TAjustesConversao& ajustes = {});
};
