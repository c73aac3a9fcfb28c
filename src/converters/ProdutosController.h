#pragma once

#include <QString>

class TConexaoDestino;
class TQueryOrigem;
class IBarraProgresso;
class IRotulo;

/// Converts the products: TABEST1 into PRODUTO, COMPPROD and MVGERAL. Stateless; the run creates one per call.
class TClassPreencheDadosProdutos {
public:
    /// Points the source query at its table and opens it; returns the same query.
    TQueryOrigem& BuscaProdutosBDOrigem(TQueryOrigem& qryBusca);
    /// The whole conversion of this kind; failure reaches the caller only as an exception.
    void PreencheDadosProdutos(const QString& DbOrigem, TConexaoDestino& DbDestino, IBarraProgresso& Barra, IRotulo& lblInfo);
};
