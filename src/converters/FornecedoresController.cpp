#include "FornecedoresController.h"

#include "Fornecedor.h"
#include "TQueryOrigem.h"
#include "TextoPrimitivas.h"
#include "ui/InterfaceUsuario.h"

#include <memory>

TQueryOrigem& TFornecedoresController::BuscaFornecedoresBDOrigem(TQueryOrigem& qryBusca) {
    qryBusca.LimpaSQL();
    qryBusca.SetSQL(QStringLiteral("SELECT *        FROM TABFOR "));
    qryBusca.Abre();
    return qryBusca;
}

void TFornecedoresController::PreencheDadosFornecedores(const QString& DbOrigem, TConexaoDestino& DbDestino,
                                                        IBarraProgresso& Barra, IRotulo& lblInfo) {
    auto ConverteFornecedores = std::make_unique<TConverteFornece>(DbDestino);
    auto qryBusca = std::make_unique<TQueryOrigem>();
    qryBusca->SetNomeBanco(DbOrigem);
    auto FConversao = std::make_unique<TConversao>(DbDestino);
    int vContaRegistro = 1;

    // The source is opened first (header read, memo file found): a table that cannot be read
    // fails the kind before its target tables are emptied.
    BuscaFornecedoresBDOrigem(*qryBusca);
    ConverteFornecedores->LimpaTabela();
    Barra.SetMaximo(qryBusca->QuantRegistros());

    const auto texto = [&qryBusca](const char* campo) {
        return qryBusca->CampoPorNome(QLatin1String(campo)).ComoTexto();
    };

    while (!qryBusca->Eof()) {
        lblInfo.SetCaption(
            QStringLiteral("Convertendo Fornecedores - Registro %1 de %2").arg(vContaRegistro).arg(Barra.Maximo()));
        ProcessaMensagensPendentes();

        TConverteFornece& f = *ConverteFornecedores;
        f.SetCodFornec(texto("CONTROLE"));
        f.SetNome(MaiusculasAscii(FConversao->FRemoveCaracter(FConversao->FRetiraAcento(texto("EMPRESA")))));
        f.SetNomeFantasia(f.Nome());
        f.SetEndereco(texto("ENDERECO"));
        f.SetBairro(texto("BAIRRO"));
        f.SetEstado(texto("ESTADO"));
        // A blank city is not looked up: the supplier keeps the empty code of the reset.
        const QString cidade = texto("CIDADE");
        if (!Trim(cidade).isEmpty()) {
            f.SetCodCidade(FConversao->FCidade(cidade, f.Estado(), QString()));
        }
        f.SetCep(texto("CEP"));
        f.SetCgcCpf(texto("CGC"));
        f.SetInscEst(texto("INSC"));
        f.SetEmail(texto("EMAIL"));
        f.SetContato(texto("CONTATO"));
        f.SetFone(texto("TELEFONE"));
        f.SetFax(texto("FAX"));
        // Every supplier is a legal person, whatever its document looks like.
        f.SetPessoa_FJ(QStringLiteral("J"));

        f.GravaFornecedor();

        ++vContaRegistro;
        qryBusca->Proximo();
        Barra.Avanca(1);
    }

    lblInfo.SetCaption(QString());
    Barra.SetPosicao(0);
    Barra.SetMaximo(0);
    ConverteFornecedores.reset();
    qryBusca.reset();
    FConversao.reset();
}
