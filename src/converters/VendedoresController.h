#pragma once

#include <QString>

class TConexaoDestino;
class TQueryOrigem;
class IBarraProgresso;
class IRotulo;

/// Converts the sellers: TABVEND into VENDEND. Stateless; the run creates one per call.
class TVendedoresController {
public:
    /// Points the source query at its table and opens it; returns the same query.
    TQueryOrigem& BuscaVendedoresBDOrigem(TQueryOrigem& qryBusca);
    /// The whole conversion of this kind; failure reaches the caller only as an exception.
    void PreencheDadosVendedores(const QString& DbOrigem, TConexaoDestino& DbDestino, IBarraProgresso& Barra, IRotulo& lblInfo);
};
