#include "VendedorDAO.h"

#include "EConversao.h"
#include "TQueryDestino.h"
#include "TextoPrimitivas.h"
#include "classConversao.h"
#include "ui/InterfaceUsuario.h"

#include <QChar>
#include <QStringList>

#include <functional>

namespace {

const QLatin1String kClasse("TVendedorDAO");

using T = TConversao;

QString Corta(const QString& valor, int qtd) {
    return Copia(valor, 1, qtd);
}

// The insert's cleaning of a text: cut to the column, sometimes padded or stripped of a mask.
using Limpeza = std::function<QString(const QString&)>;

Limpeza Corte(int qtd) {
    return [qtd](const QString& v) { return Corta(v, qtd); };
}

Limpeza CorteComZeros(int qtd) {
    return [qtd](const QString& v) { return T::StrZero(Corta(v, qtd), qtd); };
}

Limpeza Documento(int qtd) {
    return [qtd](const QString& v) { return T::FRemoveCaracter(Corta(T::TiraMascara(v), qtd)); };
}

// One column of VENDEND and the record property it belongs to: how a row's value is read into
// the record, and how the property is bound, as it is (the update) or cleaned (the insert).
struct TColunaVendend {
    QString nome;
    std::function<void(TRegistroVendedor&, const TQueryDestino&)> le;
    std::function<void(const TRegistroVendedor&, TQueryDestino&, bool limpa)> vincula;
};

TColunaVendend Texto(const char* nome, const QString& (TRegistroVendedor::*get)() const,
                     void (TRegistroVendedor::*set)(const QString&), Limpeza limpeza = {}) {
    const QString n = QLatin1String(nome);
    return {n, [n, set](TRegistroVendedor& r, const TQueryDestino& q) { (r.*set)(q.CampoTexto(n)); },
            [n, get, limpeza](const TRegistroVendedor& r, TQueryDestino& q, bool limpa) {
                q.ParamTexto(n, limpa && limpeza ? limpeza((r.*get)()) : (r.*get)());
            }};
}

TColunaVendend Real(const char* nome, double (TRegistroVendedor::*get)() const,
                    void (TRegistroVendedor::*set)(double)) {
    const QString n = QLatin1String(nome);
    return {n, [n, set](TRegistroVendedor& r, const TQueryDestino& q) { (r.*set)(q.CampoDouble(n)); },
            [n, get](const TRegistroVendedor& r, TQueryDestino& q, bool) { q.ParamDouble(n, (r.*get)()); }};
}

TColunaVendend Data(const char* nome, TDateTime (TRegistroVendedor::*get)() const,
                    void (TRegistroVendedor::*set)(TDateTime)) {
    const QString n = QLatin1String(nome);
    return {n, [n, set](TRegistroVendedor& r, const TQueryDestino& q) { (r.*set)(q.CampoDataHora(n)); },
            [n, get](const TRegistroVendedor& r, TQueryDestino& q, bool) {
                q.ParamData(n, TDateTimeParaData((r.*get)()));
            }};
}

TColunaVendend Inteiro(const char* nome, int (TRegistroVendedor::*get)() const, void (TRegistroVendedor::*set)(int)) {
    const QString n = QLatin1String(nome);
    return {n,
            [n, set](TRegistroVendedor& r, const TQueryDestino& q) { (r.*set)(static_cast<int>(q.CampoInteiro(n))); },
            [n, get](const TRegistroVendedor& r, TQueryDestino& q, bool) { q.ParamInteiro(n, (r.*get)()); }};
}

// The columns in the order every statement lists them (the record's field order).
const std::vector<TColunaVendend>& Colunas() {
    using R = TRegistroVendedor;
    // A CNPJ of the alphanumeric form would lose its letters to the digit-only cleaning.
    const Limpeza cgcCpf = [](const QString& v) {
        const QString cnpj = T::CnpjAlfanumerico(v);
        return cnpj.isEmpty() ? Documento(18)(v) : cnpj;
    };
    static const std::vector<TColunaVendend> colunas = {
        Texto("CODVENDEDOR", &R::Codvendedor, &R::SetCodvendedor, CorteComZeros(TVendedorDAO::kLarguraCodigo)),
        Texto("NOME", &R::Nome, &R::SetNome, Corte(TVendedorDAO::kLarguraNome)),
        Texto("ENDERECO", &R::Endereco, &R::SetEndereco, Corte(50)),
        Texto("BAIRRO", &R::Bairro, &R::SetBairro, Corte(30)),
        Texto("CODCIDADE", &R::Codcidade, &R::SetCodcidade, CorteComZeros(5)),
        Texto("ESTADO", &R::Estado, &R::SetEstado, Corte(2)),
        Texto("CEP", &R::Cep, &R::SetCep, [](const QString& v) { return Corta(T::FSoNumero(v), 8); }),
        Texto("TELEFONE", &R::Telefone, &R::SetTelefone,
              [](const QString& v) { return T::FSoNumero(Corta(T::TiraMascara(v), 16)); }),
        Real("COMISSAO", &R::Comissao, &R::SetComissao),
        Texto("EMAIL", &R::Email, &R::SetEmail, Corte(60)),
        Texto("CODPRACA", &R::Codpraca, &R::SetCodpraca, Corte(4)),
        Texto("ATIVO", &R::Ativo, &R::SetAtivo, Corte(1)),
        Texto("CODROTA", &R::Codrota, &R::SetCodrota, Corte(5)),
        Texto("CODROTA2", &R::Codrota2, &R::SetCodrota2, Corte(5)),
        Texto("CODROTA3", &R::Codrota3, &R::SetCodrota3, Corte(5)),
        Texto("CODROTA4", &R::Codrota4, &R::SetCodrota4, Corte(5)),
        Texto("CODROTA5", &R::Codrota5, &R::SetCodrota5, Corte(5)),
        Texto("CODROTA6", &R::Codrota6, &R::SetCodrota6, Corte(5)),
        Texto("CODROTA7", &R::Codrota7, &R::SetCodrota7, Corte(5)),
        Texto("CODROTA8", &R::Codrota8, &R::SetCodrota8, Corte(5)),
        Texto("CODROTA9", &R::Codrota9, &R::SetCodrota9, Corte(5)),
        Texto("CODROTA10", &R::Codrota10, &R::SetCodrota10, Corte(5)),
        Texto("TIPOVENDEDOR", &R::Tipovendedor, &R::SetTipovendedor, Corte(5)),
        Data("DATAULTIMAVISITA", &R::Dataultimavisita, &R::SetDataultimavisita),
        Texto("CGCCPF", &R::Cgccpf, &R::SetCgccpf, cgcCpf),
        Texto("INSCEST", &R::Inscest, &R::SetInscest, Documento(15)),
        Texto("RG", &R::Rg, &R::SetRg, Documento(15)),
        Texto("MUDAPRECOPDV", &R::Mudaprecopdv, &R::SetMudaprecopdv),
        Texto("SENHATRANSF", &R::Senhatransf, &R::SetSenhatransf),
        Texto("CODSUPERVISOR", &R::Codsupervisor, &R::SetCodsupervisor),
        Texto("HORAINI", &R::Horaini, &R::SetHoraini),
        Texto("HORAFIM", &R::Horafim, &R::SetHorafim),
        Texto("CODEMPRESA", &R::Codempresa, &R::SetCodempresa, CorteComZeros(2)),
        Texto("CODFORNEC", &R::Codfornec, &R::SetCodfornec, CorteComZeros(6)),
        Inteiro("PRECOVENDEDOR", &R::Precovendedor, &R::SetPrecovendedor),
        Data("ULTIMAVISITAMARCADA", &R::Ultimavisitamarcada, &R::SetUltimavisitamarcada),
        Texto("CODFID", &R::Codfid, &R::SetCodfid, Corte(16)),
        Texto("CODBARRASVEND", &R::Codbarrasvend, &R::SetCodbarrasvend, Corte(15)),
        Texto("SENHAFARMPOP", &R::Senhafarmpop, &R::SetSenhafarmpop, Corte(8)),
        Data("VERSION", &R::Version, &R::SetVersion),
        Texto("COD_VENDEDOR_JAVA", &R::Cod_vendedor_java, &R::SetCod_vendedor_java, Corte(18)),
    };
    return colunas;
}

QString ListaQualificada() {
    QStringList nomes;
    for (const TColunaVendend& c : Colunas()) {
        nomes << QStringLiteral("VENDEND.") + c.nome;
    }
    return nomes.join(QStringLiteral(", "));
}

QString Aviso(const char* acao, const std::exception& e) {
    return QStringLiteral("Ocorreu um erro ao tentar %1 os dados da ").arg(QLatin1String(acao)) + kClasse +
           QStringLiteral(".") + QChar(13) + QStringLiteral("Motivo: ") + MensagemDe(e);
}

// Executes the prepared statement; on failure warns with the database's reason, hands it to
// `motivo` when given, and returns false, so a rejected seller does not stop whoever is inserting.
bool ExecutaAvisando(TQueryDestino& q, const char* acao, QString* motivo = nullptr) {
    try {
        q.Executa();
        return true;
    } catch (const std::exception& e) {
        MostraAviso(Aviso(acao, e));
        if (motivo != nullptr) {
            *motivo = MensagemDe(e);
        }
        return false;
    }
}

std::unique_ptr<TRegistroVendedor> LeRegistro(const TQueryDestino& q) {
    auto registro = std::make_unique<TRegistroVendedor>();
    for (const TColunaVendend& c : Colunas()) {
        c.le(*registro, q);
    }
    return registro;
}

} // namespace

QString TVendedorDAO::FRetornaSqlVendend() {
    return QStringLiteral("SELECT ") + ListaQualificada() + QStringLiteral(" FROM VENDEND");
}

QString TVendedorDAO::FRetornaSqlRegistroVendend() {
    return FRetornaSqlVendend() + QStringLiteral(" WHERE 1=1 AND CODVENDEDOR = :CODVENDEDOR");
}

QString TVendedorDAO::FRetornaSqlInserTRegistroVendedor() {
    QStringList parametros;
    for (const TColunaVendend& c : Colunas()) {
        parametros << QStringLiteral(":") + c.nome;
    }
    return QStringLiteral("INSERT INTO VENDEND (") + ListaQualificada() + QStringLiteral(") VALUES (") +
           parametros.join(QStringLiteral(", ")) + QStringLiteral(")");
}

QString TVendedorDAO::FRetornaSqlUpdateRegistroVendend() {
    QStringList atribuicoes;
    for (std::size_t i = 1; i < Colunas().size(); ++i) {
        const QString& nome = Colunas()[i].nome;
        atribuicoes << QStringLiteral("VENDEND.") + nome + QStringLiteral(" = :") + nome;
    }
    return QStringLiteral("UPDATE VENDEND SET ") + atribuicoes.join(QStringLiteral(", ")) +
           QStringLiteral(" WHERE 1=1 AND CODVENDEDOR = :CODVENDEDOR");
}

QString TVendedorDAO::FRetornaSqlDeletaRegistroVendend() {
    return QStringLiteral("DELETE FROM VENDEND WHERE 1=1 AND CODVENDEDOR = :CODVENDEDOR");
}

std::unique_ptr<TVendedoresLidos> TVendedorDAO::FRetornaColecaoRegistro() {
    TQueryDestino q(vConexao);
    q.SetSQL(FRetornaSqlVendend());
    q.Abre();
    if (q.Eof()) {
        return nullptr;
    }
    auto lidos = std::make_unique<TVendedoresLidos>();
    for (; !q.Eof(); q.Proximo()) {
        lidos->registros.push_back(LeRegistro(q));
        lidos->colecao.PAdicionaObjRegistroVendend(lidos->registros.back().get());
    }
    return lidos;
}

std::unique_ptr<TRegistroVendedor> TVendedorDAO::FRetornaRegistro(const QString& pCodvendedor) {
    TQueryDestino q(vConexao);
    q.SetSQL(FRetornaSqlRegistroVendend());
    q.ParamTexto(QStringLiteral("CODVENDEDOR"), pCodvendedor);
    q.Abre();
    if (q.Eof()) {
        return nullptr;
    }
    return LeRegistro(q);
}

QString TVendedorDAO::CodigoInserido(const TRegistroVendedor& vpObjRegistroVendend) {
    // The CODVENDEDOR column's cleaning in Colunas().
    return CorteComZeros(kLarguraCodigo)(vpObjRegistroVendend.Codvendedor());
}

bool TVendedorDAO::FInsereRegistro(const TRegistroVendedor& vpObjRegistroVendend, QString* motivo) {
    TQueryDestino q(vConexao);
    q.SetSQL(FRetornaSqlInserTRegistroVendedor());
    for (const TColunaVendend& c : Colunas()) {
        c.vincula(vpObjRegistroVendend, q, true);
    }
    return ExecutaAvisando(q, "inserir", motivo);
}

bool TVendedorDAO::FInsereColecaoRegistro(const TColVendend& vpColeVendend) {
    for (int i = 0; i < vpColeVendend.Count(); ++i) {
        if (!FInsereRegistro(*vpColeVendend.FRetornaObjRegistroVendend(i))) {
            return false;
        }
    }
    return true;
}

bool TVendedorDAO::FUpdateRegistro(const TRegistroVendedor& vpObjRegistroVendend) {
    TQueryDestino q(vConexao);
    q.SetSQL(FRetornaSqlUpdateRegistroVendend());
    for (const TColunaVendend& c : Colunas()) {
        c.vincula(vpObjRegistroVendend, q, false);
    }
    return ExecutaAvisando(q, "atualizar");
}

bool TVendedorDAO::FDeletaRegistro(const QString& pCodvendedor) {
    TQueryDestino q(vConexao);
    q.SetSQL(FRetornaSqlDeletaRegistroVendend());
    q.ParamTexto(QStringLiteral("CODVENDEDOR"), pCodvendedor);
    return ExecutaAvisando(q, "deletar");
}

void TVendedorDAO::pUpdateColecaoRegistro(const TColVendend& vpColeVendend) {
    for (int i = 0; i < vpColeVendend.Count(); ++i) {
        FUpdateRegistro(*vpColeVendend.FRetornaObjRegistroVendend(i));
    }
}
