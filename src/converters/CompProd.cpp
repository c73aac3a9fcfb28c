#include "CompProd.h"

#include "Renderizacao.h"
#include "TQueryDestino.h"


TConverteCompProd::TConverteCompProd(TConexaoDestino& cBanco) : TConversao(cBanco) { LimpaVariavel(); }

void TConverteCompProd::SetCodProd(const QString& value) { FCodProd = StrZero(value, 6); }

void TConverteCompProd::LimpaVariavel() {
    SetCodProd(QString());
    SetCodEmpresa(QStringLiteral("00"));
    SetCodGrade(QStringLiteral("0000"));
    SetEstoque(0);
    SetPrecoCusto(0);
}

void TConverteCompProd::LimpaTabela() {
    QAuxiliar->Fecha();
    QAuxiliar->SetSQL(QStringLiteral("Delete from COMPPROD"));
    QAuxiliar->Executa();
    QAuxiliar->Fecha();
    QAuxiliar->SetSQL(QStringLiteral("Commit;"));
    QAuxiliar->Executa();
}

TSqlMontada TConverteCompProd::MontaSql() const {
    TSqlMontada sql;
    sql.Sql(QLatin1StringView(
        " Insert Into compprod ( compprod.codprod, compprod.codempresa, compprod.codgrade, compprod.estoque, "
        "compprod.estoqueDisponivel, compprod.estminimo, compprod.estmaximo, compprod.precomedio, "
        "compprod.precocusto, compprod.preconf)Values ( "));
    sql.Texto(FCodProd).Sql(QLatin1StringView(", ")).Texto(FCodEmpresa).Sql(QLatin1StringView(", ")).Texto(FCodGrade);
    for (const double valor : {FEstoque, FEstoqueDisp, FEstMinimo, FEstMaximo, FPrecoMedio, FPrecoCusto, FPrecoNF}) {
        sql.Sql(QLatin1StringView(", ")).Numero(LiteralReal(valor));
    }
    sql.Sql(QLatin1StringView(") "));
    return sql;
}

bool TConverteCompProd::ExecutaSql() {
    QDestino->SetSQL(MontaSql());
    QDestino->Executa();
    return true;
}
