#include "VendedoresController.h"

#include "TQueryOrigem.h"
#include "TextoPrimitivas.h"
#include "Vendedor.h"
#include "VendedorDAO.h"
#include "classConversao.h"
#include "ui/InterfaceUsuario.h"

#include <memory>

TQueryOrigem& TVendedoresController::BuscaVendedoresBDOrigem(TQueryOrigem& qryBusca) {
    qryBusca.LimpaSQL();
    qryBusca.SetSQL(QStringLiteral(" SELECT *          FROM TABVEND "));
    qryBusca.Abre();
    return qryBusca;
}

void TVendedoresController::PreencheDadosVendedores(const QString& DbOrigem, TConexaoDestino& DbDestino,
                                                    IBarraProgresso& Barra, IRotulo& lblInfo) {
    // One record reused for every row: each row sets the same seven properties, the others keep
    // their neutral values.
    auto ConverteVendedores = std::make_unique<TRegistroVendedor>();
    auto ConverteVendedoresDAO = std::make_unique<TVendedorDAO>(DbDestino);
    auto qryBusca = std::make_unique<TQueryOrigem>();
    qryBusca->SetNomeBanco(DbOrigem);
    auto FConversao = std::make_unique<TConversao>(DbDestino);
    int vContaRegistro = 1;

    // The source is opened first (header read, memo file found): a table that cannot be read
    // fails the kind before its target tables are emptied.
    BuscaVendedoresBDOrigem(*qryBusca);
    FConversao->PLimpaTabela(QStringLiteral("VENDEND"));
    Barra.SetMaximo(qryBusca->QuantRegistros());

    while (!qryBusca->Eof()) {
        lblInfo.SetCaption(
            QStringLiteral("Convertendo Vendedores - Registro %1 de %2").arg(vContaRegistro).arg(Barra.Maximo()));
        ProcessaMensagensPendentes();

        TRegistroVendedor& v = *ConverteVendedores;
        v.SetCodvendedor(qryBusca->CampoPorNome(QStringLiteral("CONTROLE")).ComoTexto());
        const QString nome = qryBusca->CampoPorNome(QStringLiteral("NOME")).ComoTexto();
        v.SetNome(MaiusculasAscii(FConversao->FRemoveCaracter(FConversao->FRetiraAcento(nome))));
        const TCampoOrigem comissao = qryBusca->CampoPorNome(QStringLiteral("COMISSAO"));
        v.SetComissao(Trim(comissao.ComoTexto()).isEmpty() ? 0.0 : comissao.ComoDouble());
        v.SetAtivo(QStringLiteral("S"));
        v.SetTipovendedor(QStringLiteral("V"));
        v.SetMudaprecopdv(QStringLiteral("N"));
        v.SetPrecovendedor(1);

        // A seller the target rejects has been reported by the data access; the others go on.
        ConverteVendedoresDAO->FInsereRegistro(v);

        ++vContaRegistro;
        qryBusca->Proximo();
        Barra.Avanca(1);
    }

    lblInfo.SetCaption(QString());
    Barra.SetPosicao(0);
    Barra.SetMaximo(0);
    ConverteVendedores.reset();
    ConverteVendedoresDAO.reset();
    qryBusca.reset();
    FConversao.reset();
}
