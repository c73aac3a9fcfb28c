#pragma once

#include <QString>

class TConexaoDestino;
class TQueryOrigem;
class IBarraProgresso;
class IRotulo;

/// Converts the customers: TABCLI into CLIENTE and COMPCLIE. Stateless; the run creates one per call.
class TClassPreencheDadosClientes {
public:
    /// Points the source query at its table and opens it; returns the same query.
    TQueryOrigem& BuscaClientesBDOrigem(TQueryOrigem& qryBusca);
    /// The whole conversion of this kind; failure reaches the caller only as an exception.
    void PreencheDadosClientes(const QString& DbOrigem, TConexaoDestino& DbDestino, IBarraProgresso& Barra,
                               IRotulo& lblInfo);
};
