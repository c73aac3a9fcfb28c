// The statements of the customer record: literal SQL for a dialect-1 database, where "N"
// is a string literal.
#include "Cliente.h"

#include "Renderizacao.h"
#include "SqlMontada.h"
#include "TQueryDestino.h"

namespace {

constexpr QLatin1StringView kNaoDialeto1("\"N\"");

} // namespace

// Every fixed column of the insert, in order; the update assigns all but the first.
const std::array<TConverteCliente::TColuna, 49>& TConverteCliente::ColunasFixas() {
    using C = TConverteCliente;
    static const std::array<TColuna, 49> colunas = {{
        {"cliente.codCliente", &C::FCodCliente},
        {"cliente.nome", &C::FNome},
        {"cliente.nomefantasia", &C::FNomeFantasia},
        {"cliente.endereco", &C::FEndereco},
        {"cliente.bairro", &C::FBairro},
        {"cliente.codcidade", &C::FCodCidade},
        {"cliente.estado", &C::FEstado},
        {"cliente.cep", &C::FCep},
        {"cliente.cgccpf", &C::FCgcCpf},
        {"cliente.inscest", &C::FInscEst},
        {"cliente.pessoa_fj", &C::FPessoa_FJ},
        {"cliente.fone", &C::FFone},
        {"cliente.fax", &C::FFax},
        {"cliente.prefixcelular", &C::FPrefixCelular},
        {"cliente.celular", &C::FCelular},
        {"cliente.campolivre1", &C::FCampoLivre1},
        {"cliente.campolivre2", &C::FCampoLivre2},
        {"cliente.campolivre3", &C::FCampoLivre3},
        {"cliente.campolivre4", &C::FCampoLivre4},
        {"cliente.campolivre5", &C::FCampoLivre5},
        {"cliente.campolivre6", &C::FCampoLivre6},
        {"cliente.campolivre7", &C::FCampoLivre7},
        {"cliente.campolivre8", &C::FCampoLivre8},
        {"cliente.campolivre9", &C::FCampoLivre9},
        {"cliente.campolivre10", &C::FCampoLivre10},
        {"cliente.observacao", &C::FObservacao},
        {"cliente.RetemISS", &C::FRetemISS},
        {"cliente.email", &C::FEmail},
        {"cliente.homepage", &C::FHomePage},
        {"cliente.enderecocob", &C::FEnderecoCob},
        {"cliente.bairrocob", &C::FBairroCob},
        {"cliente.cepcob", &C::FCepCob},
        {"cliente.codcidadecob", &C::FCodCidadeCob},
        {"cliente.estadocob", &C::FEstadoCob},
        {"cliente.enderecoent", &C::FEnderecoEntr},
        {"cliente.bairroent", &C::FBairroEntr},
        {"cliente.cepent", &C::FCepEntr},
        {"cliente.codcidadeent", &C::FCodCidadeEntr},
        {"cliente.estadoent", &C::FEstadoEntr},
        {"cliente.codfornec", &C::FCodFornec},
        {"Cliente.contato", &C::FContato},
        {"Cliente.CodSegmento", &C::FCodSegmento},
        {"Cliente.CodClasCli", &C::FCodClasCli},
        {"Cliente.CodVendend1", &C::FCodVendend1},
        {"Cliente.CodPrazo", &C::FCodPrazo},
        {"Cliente.LimiteCredito", nullptr},
        {"Cliente.CodPais", &C::FCodPais},
        {"Cliente.CodMunicipio", &C::FCodMunicipio},
        {"cliente.nomesocio", &C::FNomeSocio},
    }};
    return colunas;
}

// The date columns, in the order the statements write them (not the order of the fields).
const std::array<TConverteCliente::TColuna, 5>& TConverteCliente::ColunasData() {
    using C = TConverteCliente;
    static const std::array<TColuna, 5> colunas = {{
        {"cliente.dt_nascimento", &C::FDT_Nascimento},
        {"cliente.dt_ultvenda", &C::FDT_Ult_Venda},
        {"Cliente.Data_Ult_Alteracao", &C::FDT_Ult_Alteracao},
        {"cliente.dt_cadastro", &C::FDT_Cadastro},
        {"cliente.DT_ValCad", &C::FDT_Valcad},
    }};
    return colunas;
}

QString TConverteCliente::ValorColuna(const TColuna& coluna) const {
    return coluna.campo ? LiteralTexto(this->*coluna.campo) : LiteralReal(FLimiteCredito);
}

TSqlMontada TConverteCliente::MontaSqlInsere() const {
    // The target has no "unknown date" value: an empty date is simply not written. The column
    // list therefore depends on which dates are present only, and is built once for each case.
    unsigned presentes = 0;
    for (std::size_t i = 0; i < ColunasData().size(); ++i) {
        presentes |= (this->*ColunasData()[i].campo).isEmpty() ? 0u : 1u << i;
    }
    constexpr std::size_t kDatas = std::tuple_size_v<std::remove_cvref_t<decltype(ColunasData())>>;
    thread_local std::array<QByteArray, std::size_t{1} << kDatas> listas;
    QByteArray& colunas = listas[presentes];
    if (colunas.isEmpty()) {
        colunas = "Insert Into Cliente (";
        for (const TColuna& coluna : ColunasFixas()) {
            colunas += coluna.nome;
            colunas += ',';
        }
        for (std::size_t i = 0; i < ColunasData().size(); ++i) {
            if ((presentes & (1u << i)) != 0) {
                colunas += ColunasData()[i].nome;
                colunas += ',';
            }
        }
        colunas += "cliente.Ativo,cliente.CliBloqueado,cliente.maladiretaeletr,cliente.protestarcliente) Values (";
    }

    TSqlMontada sql;
    sql.Reserva(colunas.size() + 256, 64);
    sql.Sql(QLatin1StringView(colunas));
    for (const TColuna& coluna : ColunasFixas()) {
        if (coluna.campo) {
            sql.Texto(this->*coluna.campo);
        } else {
            sql.Numero(LiteralReal(FLimiteCredito));
        }
        sql.Sql(QLatin1StringView(", "));
    }
    for (const TColuna& coluna : ColunasData()) {
        const QString& data = this->*coluna.campo;
        if (!data.isEmpty()) {
            sql.Texto(data).Sql(QLatin1StringView(","));
        }
    }
    sql.Texto(FAtivo).Sql(QLatin1StringView(",")).Texto(FCliBloqueado);
    const QLatin1StringView virgula(",");
    sql.Sql(virgula).Sql(kNaoDialeto1).Sql(virgula).Sql(kNaoDialeto1).Sql(QLatin1StringView(")"));
    return sql;
}

QString TConverteCliente::AtualizaCliente() const {
    QString MCampoSql = QStringLiteral("Update Cliente set ");
    MCampoSql.reserve(4096);
    const auto& fixas = ColunasFixas();
    for (std::size_t i = 1; i < fixas.size(); ++i) {
        const QString nome = i == 1 ? QStringLiteral("cliente.Nome") : QLatin1String(fixas[i].nome);
        MCampoSql += nome + QLatin1String(" = ") + ValorColuna(fixas[i]) + QLatin1String(", ");
    }
    for (const TColuna& coluna : ColunasData()) {
        const QString& data = this->*coluna.campo;
        MCampoSql += QLatin1String(coluna.nome) + QLatin1String(" = ") +
                     (data.isEmpty() ? QStringLiteral("NULL") : LiteralTexto(data)) + QLatin1String(", ");
    }
    MCampoSql += QStringLiteral("cliente.Ativo = ") + LiteralTexto(FAtivo) +
                 QStringLiteral(", cliente.CliBloqueado = ") + kNaoDialeto1 +
                 QStringLiteral(", cliente.maladiretaeletr = ") + kNaoDialeto1 +
                 QStringLiteral(", cliente.protestarcliente = ") + kNaoDialeto1;
    MCampoSql += QStringLiteral(" where cliente.codcliente = ") + LiteralTexto(FCodCliente);
    return MCampoSql;
}

// Any other Acao executes the statement already in QDestino again.
bool TConverteCliente::ExecutaSql(int Acao) {
    if (Acao == 1) {
        QDestino->SetSQL(MontaSqlInsere());
    } else if (Acao == 2) {
        QDestino->SetSQL(AtualizaCliente());
    }
    QDestino->Executa();
    LimpaVariavel();
    return true;
}

void TConverteCliente::GravaNCliente(int Quant) {
    QDestino->Fecha();
    QDestino->SetSQL(QStringLiteral("insert into ncliente ( ncliente.codempresa, ncliente.numeroclientes) Values (") +
                     QStringLiteral("\"00\", ") + QString::number(Quant) + QLatin1Char(')'));
    QDestino->Executa();
}

void TConverteCliente::LimpaTabela() {
    QAuxiliar->Fecha();
    QAuxiliar->SetSQL(QStringLiteral("Delete from CLIENTE"));
    QAuxiliar->Executa();
    QAuxiliar->Fecha();
    QAuxiliar->SetSQL(QStringLiteral("Commit;"));
    QAuxiliar->Executa();
}
