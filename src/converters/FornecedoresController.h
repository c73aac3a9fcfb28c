#pragma once

#include <QString>

class TConexaoDestino;
class TQueryOrigem;
class IBarraProgresso;
class IRotulo;

/// Converts the suppliers: TABFOR into FORNECE. Stateless; the run creates one per call.
class TFornecedoresController {
public:
    /// Points the source query at its table and opens it; returns the same query.
    TQueryOrigem& BuscaFornecedoresBDOrigem(TQueryOrigem& qryBusca);
    /// The whole conversion of this kind; failure reaches the caller only as an exception.
    void PreencheDadosFornecedores(const QString& DbOrigem, TConexaoDestino& DbDestino, IBarraProgresso& Barra, IRotulo& lblInfo);
};
