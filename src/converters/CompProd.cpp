#include "CompProd.h"

#include "Renderizacao.h"
#include "TQueryDestino.h"

#include <QStringList>

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

QString TConverteCompProd::MontaSql() const {
    const QString colunas = QStringLiteral(
        " Insert Into compprod ( compprod.codprod, compprod.codempresa, compprod.codgrade, compprod.estoque, "
        "compprod.estoqueDisponivel, compprod.estminimo, compprod.estmaximo, compprod.precomedio, "
        "compprod.precocusto, compprod.preconf)");
    const QStringList valores = {
        LiteralTexto(FCodProd),      LiteralTexto(FCodEmpresa),  LiteralTexto(FCodGrade),
        LiteralReal(FEstoque),       LiteralReal(FEstoqueDisp),  LiteralReal(FEstMinimo),
        LiteralReal(FEstMaximo),     LiteralReal(FPrecoMedio),   LiteralReal(FPrecoCusto),
        LiteralReal(FPrecoNF),
    };
    return colunas + QStringLiteral("Values ( ") + valores.join(QStringLiteral(", ")) + QStringLiteral(") ");
}

bool TConverteCompProd::ExecutaSql() {
    QDestino->SetSQL(MontaSql());
    QDestino->Executa();
    return true;
}
