#pragma once

#include "GrupoProduto.h"
#include "LacoConversao.h"

#include <QString>

#include <optional>

class TConexaoDestino;
class IBarraProgresso;
class IRotulo;

/// The product groups' mapping: TABEST8 into GRUPROD.
class TMapeamentoGruposProdutos final : public TMapeamento {
public:
    /// Without a connection (null) only Preenche may be used.
    explicit TMapeamentoGruposProdutos(TConexaoDestino* banco);

    void LimpaDestino() override;
    void Preenche(const TQueryOrigem& qry) override;
    void Grava() override;
    void Descarta() override;

    const TConverteGruposProd& Grupo() const { return m_grupo; }
    /// False for a group the conversion skips (no description).
    bool Gravavel() const;

private:
    TConverteGruposProd m_grupo;
};

/// Converts the product groups: TABEST8 into GRUPROD.
class TGruposProdutosController {
public:
    void PreencheDadosGruposProdutos(const QString& DbOrigem, TConexaoDestino& DbDestino, IBarraProgresso& Barra,
                                     IRotulo& lblInfo, const TAjustesConversao& ajustes = {});
};
