#include "ClientesController.h"

#include "TQueryOrigem.h"
#include "TextoPrimitivas.h"
#include "ui/InterfaceUsuario.h"

#include <QStringList>

#include <algorithm>

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

TMapeamentoClientes::TMapeamentoClientes(TConexaoDestino* banco)
    : TMapeamento("CLIENTES", "TABCLI", "CODIGO", "Clientes"), m_cliente(banco), m_complemento(banco),
      m_conversao(banco) {
    m_cliente.SetContexto(&Contexto());
    m_complemento.SetContexto(&Contexto());
}

void TMapeamentoClientes::LimpaDestino() {
    m_cliente.LimpaTabela();
    m_complemento.LimpaTabela();
}

void TMapeamentoClientes::Preenche(const TQueryOrigem& qry) {
    TContextoRegistro& ctx = Contexto();
    // Each field read becomes the one the changes the setters record are filed under.
    const auto S = [&qry, &ctx](const char* campo) -> QString {
        return ctx.Campo(QLatin1StringView(campo), qry.CampoPorNome(QLatin1String(campo)).ComoTexto());
    };
    TConverteCliente& cliente = m_cliente;
    // The code is the customer's key: one with letters would be padded and masked into another
    // customer's ("12a" into 0000012).
    const TCampoOrigem codigo = qry.CampoPorNome(QLatin1String("CODIGO"));
    const QString textoCodigo = ctx.Campo(QLatin1StringView("CODIGO"), codigo.ComoTexto());
    if (!Trim(textoCodigo).isEmpty() && !TConversao::EhCodigoNumerico(textoCodigo)) {
        codigo.Recusa(QStringLiteral("\"%1\" não é um código de cliente (só algarismos, separados ou não por "
                                     "ponto, hífen, barra ou espaço)")
                          .arg(textoCodigo));
    }
    cliente.SetCodCliente(textoCodigo);
    // The name's setter upper-cases it.
    cliente.SetNome(TConversao::FRemoveCaracter(TConversao::FRetiraAcento(S("NOME"))));
    cliente.SetNomeFantasia(cliente.Nome());
    const QString endereco = S("ENDERECO");
    cliente.SetEndereco(endereco);
    cliente.SetBairro(S("BAIRRO"));
    cliente.SetEstado(S("ESTADO"));
    const QString cidade = S("CIDADE");
    if (!Trim(cidade).isEmpty()) {
        cliente.SetCodCidade(m_conversao.FCidade(cidade, cliente.Estado(), QString()));
        ConfereWin1252(&ctx, QLatin1StringView("CIDADES.CIDADE"), MaiusculasAscii(cidade));
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
        m_vendedoresIlegiveis << Contexto().registro;
    }
    // The segment survives the record's reset, so a customer without one clears it here.
    const QString atividade = S("ATIVIDADE");
    if (!Trim(atividade).isEmpty()) {
        const QString segmento = Copia(atividade, 1, 20);
        ConfereValor(&ctx, QLatin1StringView("CADSEGM.DESCRICAO"), atividade.size(), 20, MaiusculasAscii(segmento));
        cliente.SetCodSegmento(m_conversao.FSegmento(segmento));
    } else {
        cliente.SetCodSegmento(QString());
    }
    // A date the database cannot read would fail the insert with no word of where it came from.
    const TCampoOrigem data = qry.CampoPorNome(QLatin1String("DATA"));
    if (const QString texto = data.ComoTexto(); !Trim(texto).isEmpty()) {
        cliente.SetDT_Cadastro(texto);
        if (!TConverteCliente::DataLegivel(cliente.DT_Cadastro())) {
            data.Recusa(QStringLiteral("\"%1\" não é uma data").arg(texto));
        }
    }
    const TCampoOrigem nascimento = qry.CampoPorNome(QLatin1String("NASCIMENTO"));
    if (const QString texto = nascimento.ComoTexto(); !Trim(texto).isEmpty()) {
        cliente.SetDT_Nascimento(texto);
        if (!TConverteCliente::DataLegivel(cliente.DT_Nascimento())) {
            nascimento.Recusa(QStringLiteral("\"%1\" não é uma data").arg(texto));
        }
    }
    // The flag says "natural person"; the reader renders a logical false as FALSO.
    cliente.SetPessoa_FJ(Trim(S("TAGFISICA")) == QLatin1String("FALSO") ? QStringLiteral("J") : QStringLiteral("F"));

    m_complemento.SetCodclienteDoCliente(cliente.CodCliente());
    m_complemento.SetEnderecoNfe(cliente.Endereco());
    // The address is the current field again for what the house number's setter records.
    m_complemento.SetNumeroNfe(NumeroDaCasa(ctx.Campo(QLatin1StringView("ENDERECO"), endereco)));

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
}

void TMapeamentoClientes::Grava() {
    m_cliente.ExecutaSql(1);
    m_complemento.ExecutaSql();
}

void TMapeamentoClientes::Descarta() {
    m_cliente.LimpaVariavel();
    m_complemento.LimpaVariavel();
}

void TMapeamentoClientes::Conclui() {
    if (!m_vendedoresIlegiveis.isEmpty()) {
        MostraAviso(AvisoVendedoresIlegiveis(m_vendedoresIlegiveis));
    }
}

void TClassPreencheDadosClientes::PreencheDadosClientes(const QString& DbOrigem, TConexaoDestino& DbDestino,
                                                        IBarraProgresso& Barra, IRotulo& lblInfo,
                                                        const TAjustesConversao& ajustes) {
    ProcessaMensagensPendentes();
    TMapeamentoClientes mapeamento(&DbDestino);
    ConverteTabela(mapeamento, DbOrigem, ajustes, Barra, lblInfo);
}
