#include "GrupoProduto.h"

#include "TQueryDestino.h"
#include "TextoPrimitivas.h"

TConverteGruposProd::TConverteGruposProd(TConexaoDestino* cBanco) : TConversao(cBanco) {
    LimpaVariavel();
}

void TConverteGruposProd::SetCodigo(const QString& value) {
    FCodigo = StrZero(Copia(value, value.size() - 2, 3), 3);
    Confere("GRUPROD.CODGRUPO", value.size(), 3, FCodigo);
}

void TConverteGruposProd::SetDescricao(const QString& value) {
    const QString t = Trim(value);
    FDescricao = Copia(t, 1, 30);
    Confere("GRUPROD.DESCRICAO", t.size(), 30, FDescricao);
}

void TConverteGruposProd::LimpaVariavel() {
    FCodigo.clear();
    FDescricao.clear();
    FDiasEstoqueMaximo = 0;
    FDiasEstoqueMinimo = 0;
}

void TConverteGruposProd::LimpaTabela() {
    EsvaziaTabela(QStringLiteral("GRUPROD"));
}

std::span<const TColunaLinha<TConverteGruposProd>> TConverteGruposProd::Colunas() {
    using G = TConverteGruposProd;
    using namespace linha;
    static const TColunaLinha<G> colunas[] = {
        Texto<&G::FCodigo>("CODGRUPO"),
        Texto<&G::FDescricao>("DESCRICAO"),
        Inteiro<&G::FDiasEstoqueMaximo>("DIASESTMAXIMO"),
        Inteiro<&G::FDiasEstoqueMinimo>("DIASESTMINIMO"),
    };
    return colunas;
}

bool TConverteGruposProd::ExecutaSql() {
    m_linha.Insere(Destino(), *this);
    LimpaVariavel();
    return true;
}
