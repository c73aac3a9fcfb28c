#include "ClientesController.h"

#include "Cliente.h"
#include "ComplClientes.h"
#include "TQueryOrigem.h"
#include "TextoPrimitivas.h"
#include "classConversao.h"
#include "ui/InterfaceUsuario.h"

#include <QList>
#include <QStringList>

#include <algorithm>
#include <memory>

namespace {

QString AvisoVendedoresIlegiveis(const QList<qint64>& registros) {
    constexpr qsizetype kMostrados = 10;
    QStringList numeros;
    for (qsizetype i = 0; i < std::min(registros.size(), kMostrados); ++i) {
        numeros << QString::number(registros[i]);
    }
    if (registros.size() > kMostrados) {
        numeros << QStringLiteral("…");
    }
    return QStringLiteral("Tabela TABCLI: %1 cliente(s) com o campo LKVENDEDOR que não é um código de vendedor "
                          "foram convertidos sem vendedor (registros %2).")
        .arg(registros.size())
        .arg(numeros.join(QStringLiteral(", ")));
}

} // namespace

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
    // Records whose seller is not a code: converted without one, and named in one warning at the end.
    QList<qint64> vendedoresIlegiveis;

    while (!qryBusca->Eof()) {
        lblInfo.SetCaption(QStringLiteral("Convertendo Clientes - Registro ") + QString::number(vContaRegistro) +
                           QStringLiteral(" de ") + QString::number(Barra.Maximo()));
        ProcessaMensagensPendentes();

        TConverteCliente& cliente = *ConverteClientes;
        // The code is the customer's key: one with letters would be padded and masked into another
        // customer's ("12a" into 0000012).
        const TCampoOrigem codigo = qryBusca->CampoPorNome(QLatin1String("CODIGO"));
        const QString textoCodigo = codigo.ComoTexto();
        if (!Trim(textoCodigo).isEmpty() && !TConversao::EhCodigoNumerico(textoCodigo)) {
            codigo.Recusa(QStringLiteral("\"%1\" não é um código de cliente (só algarismos, separados ou não por "
                                         "ponto, hífen, barra ou espaço)")
                              .arg(textoCodigo));
        }
        cliente.SetCodCliente(textoCodigo);
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
        const QString vendedor = S("LKVENDEDOR");
        cliente.SetCodVendend1(vendedor);
        if (!Trim(vendedor).isEmpty() && cliente.CodVendend1().isEmpty()) {
            vendedoresIlegiveis << qryBusca->NumeroRegistro();
        }
        // The segment survives the record's reset, so a customer without one clears it here.
        const QString atividade = S("ATIVIDADE");
        if (!Trim(atividade).isEmpty()) {
            cliente.SetCodSegmento(FConversao->FSegmento(Copia(atividade, 1, 20)));
        } else {
            cliente.SetCodSegmento(QString());
        }
        // A date the database cannot read would fail the insert with no word of where it came from.
        const TCampoOrigem data = qryBusca->CampoPorNome(QLatin1String("DATA"));
        if (const QString texto = data.ComoTexto(); !Trim(texto).isEmpty()) {
            cliente.SetDT_Cadastro(texto);
            if (!TConverteCliente::DataLegivel(cliente.DT_Cadastro())) {
                data.Recusa(QStringLiteral("\"%1\" não é uma data").arg(texto));
            }
        }
        const TCampoOrigem nascimento = qryBusca->CampoPorNome(QLatin1String("NASCIMENTO"));
        if (const QString texto = nascimento.ComoTexto(); !Trim(texto).isEmpty()) {
            cliente.SetDT_Nascimento(texto);
            if (!TConverteCliente::DataLegivel(cliente.DT_Nascimento())) {
                nascimento.Recusa(QStringLiteral("\"%1\" não é uma data").arg(texto));
            }
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
    if (!vendedoresIlegiveis.isEmpty()) {
        MostraAviso(AvisoVendedoresIlegiveis(vendedoresIlegiveis));
    }

    ConverteClientes.reset();
    ConverteComplClientes.reset();
    qryBusca.reset();
    FConversao.reset();
}
