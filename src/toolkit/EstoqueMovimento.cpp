// The opening stock movement: one MVGERAL row per converted product, dated today.

#include "classConversao.h"

#include "ConfiguracaoRegional.h"
#include "Renderizacao.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"
#include "TextoPrimitivas.h"

#include <QStringList>

void TConversao::PGravaEstoqueProduto(TConexaoDestino& banco, const QString& codEmpresa, const QString& codProduto,
                                      double estoque, double precoCusto, double precoMedio) {
    TQueryDestino qryGravaDados(banco);

    const QString empresa = Trim(codEmpresa).isEmpty() ? QStringLiteral("00") : codEmpresa;
    const TDateTime hoje = DataParaTDateTime(Hoje());
    // The document number is today's date in digits only.
    const QString documento = FRemoveCaracter(FormataDataHora(QStringLiteral("DD/MM/YYYY"), hoje));
    // Written day.month.year with points whatever the regional date separator: with "-" the
    // database would read the text month first and store another day (or refuse it).
    const QString dtMovimento = FormataDataHora(QStringLiteral("DD.MM.YYYY"), hoje);

    const QStringList valores = {
        LiteralTexto(empresa),
        LiteralTexto(QStringLiteral("F")),
        LiteralTexto(QStringLiteral("000000")),
        LiteralTexto(documento),
        LiteralTexto(codProduto),
        LiteralTexto(QStringLiteral("0000")),
        LiteralTexto(dtMovimento),
        LiteralTexto(QStringLiteral("04")),
        LiteralReal(estoque),
        LiteralReal(precoCusto),
        LiteralReal(precoMedio),
    };
    qryGravaDados.SetSQL(QStringLiteral("INSERT INTO MVGERAL (CODEMPRESA, TIPOAGENTE, CODIGOAGENTE, DOCUMENTO, CODPROD, "
                                        "CODGRADE, DT_MOVIMENTO, TIPOMOV, QUANTIDADE, PRECOCUSTO, PRECOMEDIO) VALUES (") +
                         valores.join(QStringLiteral(", ")) + QStringLiteral(") "));
    qryGravaDados.Executa();
}
