// The opening stock movement: one MVGERAL row per converted product, dated today.

#include "classConversao.h"

#include "ConfiguracaoRegional.h"
#include "Renderizacao.h"
#include "SqlMontada.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"
#include "TextoPrimitivas.h"

#include <QDate>

namespace {

// Today's date as the movement writes it: the document number and the movement date. Every
// product of a run asks for them, so they are formatted once and reused while the day and the
// regional date separator (which the document number is built through) stay the same; a run
// that crosses midnight dates the later products anew.
struct TDataMovimento {
    QDate dia;
    QChar separador;
    QString documento;
    QString dtMovimento;
};

const TDataMovimento& DataMovimento() {
    thread_local TDataMovimento cache;
    const QDate dia = Hoje();
    const QChar separador = Regional().separadorData;
    if (cache.documento.isEmpty() || cache.dia != dia || cache.separador != separador) {
        const TDateTime hoje = DataParaTDateTime(dia);
        // The document number is today's date in digits only.
        cache.documento = TConversao::FRemoveCaracter(FormataDataHora(QStringLiteral("DD/MM/YYYY"), hoje));
        // Written day.month.year with points whatever the regional date separator: with "-" the
        // database would read the text month first and store another day (or refuse it).
        cache.dtMovimento = FormataDataHora(QStringLiteral("DD.MM.YYYY"), hoje);
        cache.dia = dia;
        cache.separador = separador;
    }
    return cache;
}

} // namespace

void TConversao::PGravaEstoqueProduto(TConexaoDestino& banco, const QString& codEmpresa, const QString& codProduto,
                                      double estoque, double precoCusto, double precoMedio) {
    TQueryDestino qryGravaDados(banco);

    const QString empresa = Trim(codEmpresa).isEmpty() ? QStringLiteral("00") : codEmpresa;
    const TDataMovimento& data = DataMovimento();

    const QLatin1StringView virgula(", ");
    TSqlMontada sql;
    sql.Sql(QLatin1StringView("INSERT INTO MVGERAL (CODEMPRESA, TIPOAGENTE, CODIGOAGENTE, DOCUMENTO, CODPROD, "
                              "CODGRADE, DT_MOVIMENTO, TIPOMOV, QUANTIDADE, PRECOCUSTO, PRECOMEDIO) VALUES ("));
    sql.Texto(empresa).Sql(virgula).Texto(QStringLiteral("F")).Sql(virgula).Texto(QStringLiteral("000000"));
    sql.Sql(virgula).Texto(data.documento).Sql(virgula).Texto(codProduto).Sql(virgula).Texto(QStringLiteral("0000"));
    sql.Sql(virgula).Texto(data.dtMovimento).Sql(virgula).Texto(QStringLiteral("04"));
    sql.Sql(virgula).Numero(LiteralReal(estoque)).Sql(virgula).Numero(LiteralReal(precoCusto));
    sql.Sql(virgula).Numero(LiteralReal(precoMedio)).Sql(QLatin1StringView(") "));
    qryGravaDados.SetSQL(sql);
    qryGravaDados.Executa();
}
