#pragma once

#include "Fornecedor.h"
#include "LacoConversao.h"
#include "classConversao.h"

#include <QString>

#include <optional>

class TConexaoDestino;
class IBarraProgresso;
class IRotulo;

/// The suppliers' mapping: TABFOR into FORNECE.
class TMapeamentoFornecedores final : public TMapeamento {
public:
    /// Without a connection (null) only Preenche may be used.
    explicit TMapeamentoFornecedores(TConexaoDestino* banco);

    void LimpaDestino() override;
    void Preenche(const TQueryOrigem& qry) override;
    void Grava() override;
    void Descarta() override;

    const TConverteFornece& Fornecedor() const { return m_fornecedor; }

private:
    TConverteFornece m_fornecedor;
    TConversao m_conversao;
};

/// Converts the suppliers: TABFOR into FORNECE.
class TFornecedoresController {
public:
    void PreencheDadosFornecedores(const QString& DbOrigem, TConexaoDestino& DbDestino, IBarraProgresso& Barra,
                                   IRotulo& lblInfo, const TAjustesConversao& ajustes = {});
};
