#pragma once

#include "Cliente.h"
#include "ComplClientes.h"
#include "LacoConversao.h"
#include "classConversao.h"

#include <QList>
#include <QString>

#include <optional>

class TConexaoDestino;
class IBarraProgresso;
class IRotulo;

/// The customers' mapping: TABCLI into CLIENTE and COMPCLIE.
class TMapeamentoClientes final : public TMapeamento {
public:
    /// Without a connection (null) only Preenche may be used.
    explicit TMapeamentoClientes(TConexaoDestino* banco);

    void LimpaDestino() override;
    void Preenche(const TQueryOrigem& qry) override;
    void Grava() override;
    void Descarta() override;
    void Conclui() override;

    const TConverteCliente& Cliente() const { return m_cliente; }
    const TConverteCompClie& Complemento() const { return m_complemento; }

private:
    TConverteCliente m_cliente;
    TConverteCompClie m_complemento;
    TConversao m_conversao;
    /// Records whose seller is not a code: converted without one, and named in one warning at the end.
    QList<qint64> m_vendedoresIlegiveis;
};

/// Converts the customers: TABCLI into CLIENTE and COMPCLIE. Stateless; the run creates one per call.
class TClassPreencheDadosClientes {
public:
    /// The whole conversion of this kind; failure reaches the caller only as an exception.
    void PreencheDadosClientes(const QString& DbOrigem, TConexaoDestino& DbDestino, IBarraProgresso& Barra,
                               IRotulo& lblInfo, const TAjustesConversao& ajustes = {});
};
