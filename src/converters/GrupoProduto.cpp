#include "GrupoProduto.h"

#include "TQueryDestino.h"
#include "TextoPrimitivas.h"

TConverteGruposProd::TConverteGruposProd(TConexaoDestino& cBanco) : TConversao(cBanco) { LimpaVariavel(); }

void TConverteGruposProd::SetCodigo(const QString& value) {
    FCodigo = StrZero(Copia(value, value.size() - 2, 3), 3);
}

void TConverteGruposProd::SetDescricao(const QString& value) { FDescricao = Copia(Trim(value), 1, 30); }

void TConverteGruposProd::LimpaVariavel() {
    FCodigo.clear();
    FDescricao.clear();
    FDiasEstoqueMaximo = 0;
    FDiasEstoqueMinimo = 0;
}

void TConverteGruposProd::LimpaTabela() {
    EsvaziaTabela(QStringLiteral("GRUPROD"));
}

bool TConverteGruposProd::ExecutaSql() {
    QDestino->SetSQL(QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO, DIASESTMAXIMO, DIASESTMINIMO) "
                                    "VALUES (:pCODGRUPO, :pDESCRICAO, :pDIASESTMAXIMO, :pDIASESTMINIMO)"));
    QDestino->ParamTexto(QStringLiteral("pCODGRUPO"), FCodigo);
    QDestino->ParamTexto(QStringLiteral("pDESCRICAO"), FDescricao);
    QDestino->ParamInteiro(QStringLiteral("pDIASESTMAXIMO"), FDiasEstoqueMaximo);
    QDestino->ParamInteiro(QStringLiteral("pDIASESTMINIMO"), FDiasEstoqueMinimo);
    QDestino->Executa();
    LimpaVariavel();
    return true;
}
