#include "ProdutosController.h"

#include "CompProd.h"
#include "Produto.h"
#include "ProdutoDetalhe.h"
#include "TQueryOrigem.h"
#include "TextoPrimitivas.h"
#include "ui/InterfaceUsuario.h"

#include <memory>

namespace {

// A source field counts as present when its text, trimmed, is not empty.
bool Presente(const TCampoOrigem& campo) { return !Trim(campo.ComoTexto()).isEmpty(); }

double NumeroOuZero(const TCampoOrigem& campo) { return Presente(campo) ? campo.ComoDouble() : 0.0; }

} // namespace

TQueryOrigem& TClassPreencheDadosProdutos::BuscaProdutosBDOrigem(TQueryOrigem& qryBusca) {
    qryBusca.LimpaSQL();
    qryBusca.SetSQL(QStringLiteral("SELECT *         FROM TABEST1 "));
    qryBusca.Abre();
    return qryBusca;
}

void TClassPreencheDadosProdutos::PreencheDadosProdutos(const QString& DbOrigem, TConexaoDestino& DbDestino,
                                                        IBarraProgresso& Barra, IRotulo& lblInfo) {
    auto ConverteProdutos = std::make_unique<TConverteProduto>(DbDestino);
    auto ConverteCompProd = std::make_unique<TConverteCompProd>(DbDestino);
    auto ConverteProdDetalhe = std::make_unique<TConverteProdutoDetalhe>(DbDestino);
    auto FConversao = std::make_unique<TConversao>(DbDestino);
    auto qryBusca = std::make_unique<TQueryOrigem>();
    qryBusca->SetNomeBanco(DbOrigem);
    int vContaRegistro = 1;

    // The source is opened first (header read, memo file found): a table that cannot be read
    // fails the kind before its target tables are emptied.
    BuscaProdutosBDOrigem(*qryBusca);
    // Each emptying commits; the rows below then share one transaction with the run.
    ConverteProdutos->LimpaTabela();
    ConverteCompProd->LimpaTabela();
    ConverteProdDetalhe->LimpaTabela();
    FConversao->PLimpaTabela(QStringLiteral("MVGERAL"));

    Barra.SetMaximo(qryBusca->QuantRegistros());

    auto campo = [&](const char* nome) { return qryBusca->CampoPorNome(QLatin1String(nome)); };
    while (!qryBusca->Eof()) {
        lblInfo.SetCaption(
            QStringLiteral("Convertendo Produtos - Registro %1 de %2").arg(vContaRegistro).arg(Barra.Maximo()));
        ProcessaMensagensPendentes();

        ConverteProdutos->SetCodProd(campo("CODIGO").ComoTexto());
        ConverteProdutos->SetDescricao(MaiusculasAscii(TConversao::FRetiraAcento(campo("PRODUTO").ComoTexto())));
        if (Presente(campo("LKSETOR"))) {
            ConverteProdutos->SetCodGrupo(Copia(campo("LKSETOR").ComoTexto(), 1, 3));
        }
        if (Presente(campo("LKFORNEC"))) {
            ConverteProdutos->SetPrincipalFornecedor(Copia(campo("LKFORNEC").ComoTexto(), 1, 6));
        }
        ConverteProdutos->SetUnidEntrada(FConversao->FUnidade(campo("UNIDADE").ComoTexto()));
        ConverteProdutos->SetUnidSaida(ConverteProdutos->UnidEntrada());
        ConverteProdutos->SetPreco(NumeroOuZero(campo("PRECOVENDA")));
        ConverteProdutos->SetEstMinimo(NumeroOuZero(campo("ESTMINIMO")));
        ConverteProdutos->SetLucro(NumeroOuZero(campo("LUCRO")));
        if (Presente(campo("ULTREAJ"))) {
            ConverteProdutos->SetData_Ult_Rea(campo("ULTREAJ").ComoDataHora());
        }
        if (!campo("BASECALCULO").Nulo()) {
            ConverteProdutos->SetBaseicmsReg00(campo("BASECALCULO").ComoDouble());
        }

        // The stock writer is not reset between products; all four fields it is fed are set
        // for every record, so nothing leaks from one product to the next.
        ConverteCompProd->SetCodProd(ConverteProdutos->CodProd());
        ConverteCompProd->SetPrecoCusto(NumeroOuZero(campo("PRECOCUSTO")));
        ConverteCompProd->setPrecoMedio(NumeroOuZero(campo("CUSTOMEDIO")));
        ConverteCompProd->SetEstoque(NumeroOuZero(campo("QUANTIDADE")));

        FConversao->PGravaEstoqueProduto(DbDestino, QStringLiteral("00"), ConverteCompProd->CodProd(),
                                         ConverteCompProd->Estoque(), ConverteCompProd->PrecoCusto(),
                                         ConverteCompProd->PrecoMedio());

        ConverteProdutos->SetAtivado(QStringLiteral("S"));
        ConverteProdutos->SetCodTipoProduto(QStringLiteral("00"));
        ConverteProdutos->SetTipoProd(QStringLiteral("R"));

        ConverteProdutos->ExecutaSql();
        ConverteCompProd->ExecutaSql();

        ++vContaRegistro;
        qryBusca->Proximo();
        Barra.Avanca(1);
    }

    lblInfo.SetCaption(QString());
    Barra.SetPosicao(0);
    Barra.SetMaximo(0);
    ConverteProdutos.reset();
    ConverteCompProd.reset();
    ConverteProdDetalhe.reset();
    qryBusca.reset();
    FConversao.reset();
}
