// The opening stock movement: one MVGERAL row per converted product, dated today.

#include "classConversao.h"

#include "ConfiguracaoRegional.h"
#include "DataHora.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"
#include "TextoPrimitivas.h"

#include <QDate>

void TConversao::PGravaEstoqueProduto(TConexaoDestino& banco, const QString& codEmpresa, const QString& codProduto,
                                      double estoque, double precoCusto, double precoMedio) {
    TQueryDestino qryGravaDados(banco);

    const QString empresa = Trim(codEmpresa).isEmpty() ? QStringLiteral("00") : codEmpresa;
    const QDate hoje = Hoje();
    qryGravaDados.SetSQL(QStringLiteral(
        "INSERT INTO MVGERAL (CODEMPRESA, TIPOAGENTE, CODIGOAGENTE, DOCUMENTO, CODPROD, CODGRADE, DT_MOVIMENTO, "
        "TIPOMOV, QUANTIDADE, PRECOCUSTO, PRECOMEDIO) VALUES (:CODEMPRESA, 'F', '000000', :DOCUMENTO, :CODPROD, "
        "'0000', :DT_MOVIMENTO, '04', :QUANTIDADE, :PRECOCUSTO, :PRECOMEDIO)"));
    qryGravaDados.ParamTexto(QStringLiteral("CODEMPRESA"), empresa);
    // The document number is today's date in digits only.
    TDocumentoDoDia& documento = m_documentoDoDia;
    if (documento.numero.isEmpty() || documento.dia != hoje || documento.separador != Regional().separadorData) {
        documento.numero = FRemoveCaracter(FormataDataHora(QStringLiteral("DD/MM/YYYY"), DataParaTDateTime(hoje)));
        documento.dia = hoje;
        documento.separador = Regional().separadorData;
    }
    qryGravaDados.ParamTexto(QStringLiteral("DOCUMENTO"), documento.numero);
    qryGravaDados.ParamTexto(QStringLiteral("CODPROD"), codProduto);
    qryGravaDados.ParamData(QStringLiteral("DT_MOVIMENTO"), hoje);
    qryGravaDados.ParamReal(QStringLiteral("QUANTIDADE"), estoque);
    qryGravaDados.ParamReal(QStringLiteral("PRECOCUSTO"), precoCusto);
    qryGravaDados.ParamReal(QStringLiteral("PRECOMEDIO"), precoMedio);
    qryGravaDados.Executa();
}
