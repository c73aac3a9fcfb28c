// The opening stock movement: one MVGERAL row per converted product, dated today.

#include "classConversao.h"

#include "ConfiguracaoRegional.h"
#include "Renderizacao.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"
#include "TextoPrimitivas.h"

#include <QDate>

namespace {

// Today's date as the movement writes it: the document number and the movement date, both
// already as SQL literals. Every product of a run asks for them, so they are formatted once
// and reused while the day and the regional date separator (which the document number is
// built through) stay the same; a run that crosses midnight dates the later products anew.
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
        cache.documento =
            LiteralTexto(TConversao::FRemoveCaracter(FormataDataHora(QStringLiteral("DD/MM/YYYY"), hoje)));
        // Written day.month.year with points whatever the regional date separator: with "-" the
        // database would read the text month first and store another day (or refuse it).
        cache.dtMovimento = LiteralTexto(FormataDataHora(QStringLiteral("DD.MM.YYYY"), hoje));
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

    const QString literalEmpresa = LiteralTexto(empresa);
    const QString literalProduto = LiteralTexto(codProduto);
    const QString quantidade = LiteralReal(estoque);
    const QString custo = LiteralReal(precoCusto);
    const QString medio = LiteralReal(precoMedio);

    const QLatin1String inicio("INSERT INTO MVGERAL (CODEMPRESA, TIPOAGENTE, CODIGOAGENTE, DOCUMENTO, CODPROD, "
                               "CODGRADE, DT_MOVIMENTO, TIPOMOV, QUANTIDADE, PRECOCUSTO, PRECOMEDIO) VALUES (");
    const QLatin1String agente(", 'F', '000000', ");
    const QLatin1String grade(", '0000', ");
    const QLatin1String tipo(", '04', ");
    const QLatin1String virgula(", ");
    const QLatin1String fim(") ");

    QString sql;
    sql.reserve(inicio.size() + literalEmpresa.size() + agente.size() + data.documento.size() + 2 +
                literalProduto.size() + grade.size() + data.dtMovimento.size() + tipo.size() + quantidade.size() + 2 +
                custo.size() + 2 + medio.size() + fim.size());
    sql += inicio;
    sql += literalEmpresa;
    sql += agente;
    sql += data.documento;
    sql += virgula;
    sql += literalProduto;
    sql += grade;
    sql += data.dtMovimento;
    sql += tipo;
    sql += quantidade;
    sql += virgula;
    sql += custo;
    sql += virgula;
    sql += medio;
    sql += fim;
    qryGravaDados.SetSQL(sql);
    qryGravaDados.Executa();
}
