#pragma once

#include <QString>

class TConexaoDestino;
class TQueryOrigem;
class IBarraProgresso;
class IRotulo;

/// Converts the product groups: TABEST8 into GRUPROD. Stateless; the run creates one per call.
class TGruposProdutosController {
public:
    /// Points the source query at its table and opens it; returns the same query.
    TQueryOrigem& BuscaGruposProdutosBDOrigem(TQueryOrigem& qryBusca);
    /// The whole conversion of this kind; failure reaches the caller only as an exception.
    void PreencheDadosGruposProdutos(const QString& DbOrigem, TConexaoDestino& DbDestino, IBarraProgresso& Barra, IRotulo& lblInfo);
};
