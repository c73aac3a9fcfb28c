#include "ClientesController.h"

#include "Cliente.h"
#include "ComplClientes.h"
#include "TQueryOrigem.h"
#include "TextoPrimitivas.h"
#include "classConversao.h"
#include "ui/InterfaceUsuario.h"

#include <memory>

TQueryOrigem& TClassPreencheDadosClientes::BuscaClientesBDOrigem(TQueryOrigem& qryBusca) {
    qryBusca.LimpaSQL();
    qryBusca.SetSQL(QStringLiteral("SELECT *        FROM TABCLI "));
    qryBusca.Abre();
    return qryBusca;
}

void TClassPreencheDadosClientes::PreencheDadosClientes(const QString& DbOrigem, TConexaoDestino& DbDestino,
                                                        IBarraProgresso& Barra, IRotulo& lblInfo) {
    ProcessaMensagensPendentes();
    auto ConverteClientes = std::make_unique<TConverteCliente>(DbDestino);
    auto ConverteComplClientes = std::make_unique<TConverteCompClie>(DbDestino);
    auto FConversao = std::make_unique<TConversao>(DbDestino);
    auto qryBusca = std::make_unique<TQueryOrigem>();
    qryBusca->SetNomeBanco(DbOrigem);
    int vContaRegistro = 1;

    // The source is opened first (header read, memo file found): a table that cannot be read
    // fails the kind before its target tables are emptied.
    BuscaClientesBDOrigem(*qryBusca);
    ConverteClientes->LimpaTabela();
    ConverteComplClientes->LimpaTabela();
    Barra.SetMaximo(qryBusca->QuantRegistros());

    const auto S = [&qryBusca](const char* campo) { return qryBusca->CampoPorNome(QLatin1String(campo)).ComoTexto(); };

    while (!qryBusca->Eof()) {
        lblInfo.SetCaption(QStringLiteral("Convertendo Clientes - Registro ") + QString::number(vContaRegistro) +
                           QStringLiteral(" de ") + QString::number(Barra.Maximo()));
        ProcessaMensagensPendentes();

        TConverteCliente& cliente = *ConverteClientes;
        cliente.SetCodCliente(S("CODIGO"));
        cliente.SetNome(MaiusculasAscii(FConversao->FRemoveCaracter(FConversao->FRetiraAcento(S("NOME")))));
        cliente.SetNomeFantasia(cliente.Nome());
        cliente.SetEndereco(S("ENDERECO"));
        cliente.SetBairro(S("BAIRRO"));
        cliente.SetEstado(S("ESTADO"));
        const QString cidade = S("CIDADE");
        if (!Trim(cidade).isEmpty()) {
            cliente.SetCodCidade(FConversao->FCidade(cidade, cliente.Estado(), QString()));
        }
        cliente.SetCep(S("CEP"));
        cliente.SetCgcCpf(S("CGC"));
        cliente.SetInscEst(S("INSC"));
        cliente.SetObsercacao(S("OBS"));
        cliente.SetContato(S("CONTATO"));
        cliente.SetFone(S("TELEFONE"));
        cliente.SetFax(S("FAX"));
        cliente.SetCodVendend1(S("LKVENDEDOR"));
        // The segment survives the record's reset, so a customer without one clears it here.
        const QString atividade = S("ATIVIDADE");
        if (!Trim(atividade).isEmpty()) {
            cliente.SetCodSegmento(FConversao->FSegmento(Copia(atividade, 1, 20)));
        } else {
            cliente.SetCodSegmento(QString());
        }
        const QString data = S("DATA");
        if (!Trim(data).isEmpty()) {
            cliente.SetDT_Cadastro(data);
        }
        const QString nascimento = S("NASCIMENTO");
        if (!Trim(nascimento).isEmpty()) {
            cliente.SetDT_Nascimento(nascimento);
        }
        // The flag says "natural person"; the reader renders a logical false as FALSO.
        cliente.SetPessoa_FJ(Trim(S("TAGFISICA")) == QLatin1String("FALSO") ? QStringLiteral("J")
                                                                            : QStringLiteral("F"));

        ConverteComplClientes->SetCodclienteDoCliente(cliente.CodCliente());
        ConverteComplClientes->SetEnderecoNfe(cliente.Endereco());
        ConverteComplClientes->SetNumeroNfe(NumeroDaCasa(S("ENDERECO")));

        cliente.SetEnderecoCob(cliente.Endereco());
        cliente.SetBairroCob(cliente.Bairro());
        cliente.SetEstadoCob(cliente.Estado());
        cliente.SetCodCidadeCob(cliente.CodCidade());
        cliente.SetCepCob(cliente.Cep());
        cliente.SetEnderecoEntr(cliente.Endereco());
        cliente.SetBairroEntr(cliente.Bairro());
        cliente.SetEstadoEntr(cliente.Estado());
        cliente.SetCodCidadeEntr(cliente.CodCidade());
        cliente.SetCepEntr(cliente.Cep());

        cliente.ExecutaSql(1);
        ConverteComplClientes->ExecutaSql();

        ++vContaRegistro;
        qryBusca->Proximo();
        Barra.Avanca(1);
    }

    lblInfo.SetCaption(QString());
    Barra.SetPosicao(0);
    Barra.SetMaximo(0);

    ConverteClientes.reset();
    ConverteComplClientes.reset();
    qryBusca.reset();
    FConversao.reset();
}
