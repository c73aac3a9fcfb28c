#include "CompProd.h"

#include "TQueryDestino.h"

TConverteCompProd::TConverteCompProd(TConexaoDestino* cBanco) : TConversao(cBanco) {
    LimpaVariavel();
}

void TConverteCompProd::SetCodProd(const QString& value) {
    FCodProd = StrZero(value, 6);
}

void TConverteCompProd::LimpaVariavel() {
    SetCodProd(QString());
    SetCodEmpresa(QStringLiteral("00"));
    SetCodGrade(QStringLiteral("0000"));
    SetEstoque(0);
    SetPrecoCusto(0);
}

void TConverteCompProd::LimpaTabela() {
    EsvaziaTabela(QStringLiteral("COMPPROD"));
}

std::span<const TColunaLinha<TConverteCompProd>> TConverteCompProd::Colunas() {
    using C = TConverteCompProd;
    using namespace linha;
    static const TColunaLinha<C> colunas[] = {
        Texto<&C::FCodProd>("compprod.codprod"),
        Texto<&C::FCodEmpresa>("compprod.codempresa"),
        Texto<&C::FCodGrade>("compprod.codgrade"),
        Real<&C::FEstoque>("compprod.estoque"),
        Real<&C::FEstoqueDisp>("compprod.estoqueDisponivel"),
        Real<&C::FEstMinimo>("compprod.estminimo"),
        Real<&C::FEstMaximo>("compprod.estmaximo"),
        Real<&C::FPrecoMedio>("compprod.precomedio"),
        Real<&C::FPrecoCusto>("compprod.precocusto"),
        Real<&C::FPrecoNF>("compprod.preconf"),
    };
    return colunas;
}

bool TConverteCompProd::ExecutaSql() {
    m_linha.Insere(Destino(), *this);
    return true;
}
