#include "ProdutoDetalhe.h"

#include "ConfiguracaoRegional.h"
#include "Renderizacao.h"
#include "TQueryDestino.h"

#include <QStringList>

#include <utility>
#include <vector>

namespace {

using TColuna = std::pair<const char*, QString>;

} // namespace

TConverteProdutoDetalhe::TConverteProdutoDetalhe(TConexaoDestino& cBanco) : TConversao(cBanco) {
    Regional().formatoDataCurta = QStringLiteral("dd/mm/yyyy");
    LimpaVariavel();
}

void TConverteProdutoDetalhe::LimpaVariavel() {
    FCODPROD.clear();
    FCONTROLERECEITUARIO.clear();
    FCODIGOATIVIDADE.clear();
    FCODIGOLISTASERVICO.clear();
    FESPELHOMERCSERV.clear();
    FIMPORTADOPORTOSEGURO.clear();
    FCODPROMOCAO = 0;
    FALIQPIS = 0.0;
    FPIS_CST.clear();
    FPISENT_CST.clear();
    FPIS_ST = 0;
    FALIQCOFINS = 0.0;
    FCOFINS_CST.clear();
    FCOFINSENT_CST.clear();
    FCOFINS_ST = 0;
    FCODCSOSN.clear();
    FPRECOMAXVENDA = 0.0;
    FPONTOBONUS = 0;
}

void TConverteProdutoDetalhe::LimpaTabela() {
    QAuxiliar->Fecha();
    QAuxiliar->SetSQL(QStringLiteral("Delete from PRODUTODETALHE"));
    QAuxiliar->Executa();
    QAuxiliar->Fecha();
    QAuxiliar->SetSQL(QStringLiteral("Commit;"));
    QAuxiliar->Executa();
}

QString TConverteProdutoDetalhe::MontaSqlInsercao() const {
    const std::vector<TColuna> colunas = {
        {"CODPROD", LiteralTexto(FCODPROD)},
        {"CONTROLERECEITUARIO", LiteralTexto(FCONTROLERECEITUARIO)},
        {"CODIGOATIVIDADE", LiteralTexto(FCODIGOATIVIDADE)},
        {"CODIGOLISTASERVICO", LiteralTexto(FCODIGOLISTASERVICO)},
        {"ESPELHOMERCSERV", LiteralTexto(FESPELHOMERCSERV)},
        {"IMPORTADOPORTOSEGURO", LiteralTexto(FIMPORTADOPORTOSEGURO)},
        {"CODPROMOCAO", QString::number(FCODPROMOCAO)},
        {"ALIQPIS", LiteralReal(FALIQPIS)},
        {"PIS_CST", LiteralTexto(FPIS_CST)},
        {"PISENT_CST", LiteralTexto(FPISENT_CST)},
        {"PIS_ST", QString::number(FPIS_ST)},
        {"ALIQCOFINS", LiteralReal(FALIQCOFINS)},
        {"ALIQPISENT", LiteralReal(FALIQPISENT)},
        {"ALIQCOFINSENT", LiteralReal(FALIQCOFINSENT)},
        {"COFINS_CST", LiteralTexto(FCOFINS_CST)},
        {"COFINSENT_CST", LiteralTexto(FCOFINSENT_CST)},
        {"COFINS_ST", QString::number(FCOFINS_ST)},
        {"CODCSOSN", LiteralTexto(FCODCSOSN)},
        {"PRECOMAXVENDA", LiteralReal(FPRECOMAXVENDA)},
        {"PONTOBONUS", QString::number(FPONTOBONUS)},
    };
    QStringList nomes;
    QStringList valores;
    for (const auto& [nome, valor] : colunas) {
        nomes << QLatin1String(nome);
        valores << valor;
    }
    return QStringLiteral(" Insert Into ProdutoDetalhe (") + nomes.join(QLatin1Char(',')) +
           QStringLiteral(")  Values (") + valores.join(QStringLiteral(", ")) + QStringLiteral(") ");
}

QString TConverteProdutoDetalhe::MontaSqlAtualizacao() const {
    const std::vector<TColuna> colunas = {
        {"CONTROLERECEITUARIO", LiteralTexto(FCONTROLERECEITUARIO)},
        {"CODIGOATIVIDADE", LiteralTexto(FCODIGOATIVIDADE)},
        {"CODIGOLISTASERVICO", LiteralTexto(FCODIGOLISTASERVICO)},
        {"ESPELHOMERCSERV", LiteralTexto(FESPELHOMERCSERV)},
        {"IMPORTADOPORTOSEGURO", LiteralTexto(FIMPORTADOPORTOSEGURO)},
        {"CODPROMOCAO", QString::number(FCODPROMOCAO)},
        {"ALIQPIS", LiteralReal(FALIQPIS)},
        {"PIS_CST", LiteralTexto(FPIS_CST)},
        {"PISENT_CST", LiteralTexto(FPISENT_CST)},
        {"PIS_ST", QString::number(FPIS_ST)},
        {"ALIQCOFINS", LiteralReal(FALIQCOFINS)},
        {"ALIQPISENT", LiteralReal(FALIQPISENT)},
        {"ALIQCOFINSENT", LiteralReal(FALIQCOFINSENT)},
        {"COFINS_CST", LiteralTexto(FCOFINS_CST)},
        {"COFINSENT_CST", LiteralTexto(FCOFINSENT_CST)},
        {"COFINS_ST", QString::number(FCOFINS_ST)},
        {"CODCSOSN", LiteralTexto(FCODCSOSN)},
        {"PRECOMAXVENDA", LiteralReal(FPRECOMAXVENDA)},
        {"PONTOBONUS", QString::number(FPONTOBONUS)},
    };
    QStringList atribuicoes;
    for (const auto& [nome, valor] : colunas) {
        atribuicoes << QLatin1String("ProdutoDetalhe.") + QLatin1String(nome) + QLatin1Char('=') + valor;
    }
    return QStringLiteral(" Update ProdutoDetalhe SET ") + atribuicoes.join(QStringLiteral(", ")) +
           QStringLiteral(" Where ProdutoDetalhe.CODPROD=") + LiteralTexto(FCODPROD);
}

bool TConverteProdutoDetalhe::ExecutaSql() {
    QDestino->SetSQL(MontaSqlInsercao());
    QDestino->Executa();
    LimpaVariavel();
    return true;
}

bool TConverteProdutoDetalhe::AtualizaProdutoDetalhe() {
    QDestino->SetSQL(MontaSqlAtualizacao());
    QDestino->Executa();
    LimpaVariavel();
    return true;
}
