#include "GruposProdutosController.h"

#include "GrupoProduto.h"
#include "TQueryOrigem.h"
#include "TextoPrimitivas.h"
#include "ui/InterfaceUsuario.h"

#include <memory>

TQueryOrigem& TGruposProdutosController::BuscaGruposProdutosBDOrigem(TQueryOrigem& qryBusca) {
    qryBusca.LimpaSQL();
    qryBusca.SetSQL(QStringLiteral("SELECT *         FROM TABEST8 "));
    qryBusca.Abre();
    return qryBusca;
}

void TGruposProdutosController::PreencheDadosGruposProdutos(const QString& DbOrigem, TConexaoDestino& DbDestino,
                                                            IBarraProgresso& Barra, IRotulo& lblInfo) {
    auto ConverteGruposProdutos = std::make_unique<TConverteGruposProd>(DbDestino);
    auto qryBusca = std::make_unique<TQueryOrigem>();
    qryBusca->SetNomeBanco(DbOrigem);
    auto FConversao = std::make_unique<TConversao>(DbDestino);
    int vContaRegistro = 1;

    // The source is opened first (header read, memo file found): a table that cannot be read
    // fails the kind before its target tables are emptied.
    BuscaGruposProdutosBDOrigem(*qryBusca);
    ConverteGruposProdutos->LimpaTabela();
    qryBusca->Ultimo();
    Barra.SetMaximo(qryBusca->QuantRegistros());
    qryBusca->Primeiro();

    while (!qryBusca->Eof()) {
        lblInfo.SetCaption(QStringLiteral("Convertendo Grupos de Produtos - Registro %1 de %2")
                               .arg(vContaRegistro)
                               .arg(Barra.Maximo()));
        ProcessaMensagensPendentes();
        ConverteGruposProdutos->SetCodigo(qryBusca->CampoPorNome(QStringLiteral("CONTROLE")).ComoTexto());
        const QString setor = qryBusca->CampoPorNome(QStringLiteral("SETOR")).ComoTexto();
        ConverteGruposProdutos->SetDescricao(
            MaiusculasAscii(FConversao->FRemoveCaracter(FConversao->FRetiraAcento(setor))));
        // A group without a description is skipped without a message.
        if (!Trim(ConverteGruposProdutos->Descricao()).isEmpty()) {
            ConverteGruposProdutos->ExecutaSql();
        }
        ++vContaRegistro;
        qryBusca->Proximo();
        Barra.Avanca(1);
    }

    lblInfo.SetCaption(QString());
    Barra.SetPosicao(0);
    Barra.SetMaximo(0);
    ConverteGruposProdutos.reset();
    qryBusca.reset();
    FConversao.reset();
}
