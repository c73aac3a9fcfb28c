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

// One column of VENDEND and the record property it belongs to: how a row's value is read into
// the record and how the property is bound unchanged (the update).
struct TColunaVendend {
    QString nome;
    std::function<void(TRegistroVendedor&, const TQueryDestino&)> le;
    std::function<void(const TRegistroVendedor&, TQueryDestino&)> vincula;
};

TColunaVendend Texto(const char* nome, const QString& (TRegistroVendedor::*get)() const,
                     void (TRegistroVendedor::*set)(const QString&)) {
    const QString n = QLatin1String(nome);
    return {n, [n, set](TRegistroVendedor& r, const TQueryDestino& q) { (r.*set)(q.CampoTexto(n)); },
            [n, get](const TRegistroVendedor& r, TQueryDestino& q) { q.ParamTexto(n, (r.*get)()); }};
}

TColunaVendend Real(const char* nome, double (TRegistroVendedor::*get)() const,
                    void (TRegistroVendedor::*set)(double)) {
    const QString n = QLatin1String(nome);
    return {n, [n, set](TRegistroVendedor& r, const TQueryDestino& q) { (r.*set)(q.CampoDouble(n)); },
            [n, get](const TRegistroVendedor& r, TQueryDestino& q) { q.ParamDouble(n, (r.*get)()); }};
}

TColunaVendend Data(const char* nome, TDateTime (TRegistroVendedor::*get)() const,
                    void (TRegistroVendedor::*set)(TDateTime)) {
    const QString n = QLatin1String(nome);
    return {n, [n, set](TRegistroVendedor& r, const TQueryDestino& q) { (r.*set)(q.CampoDataHora(n)); },
            [n, get](const TRegistroVendedor& r, TQueryDestino& q) { q.ParamData(n, TDateTimeParaData((r.*get)())); }};
}

TColunaVendend Inteiro(const char* nome, int (TRegistroVendedor::*get)() const, void (TRegistroVendedor::*set)(int)) {
    const QString n = QLatin1String(nome);
    return {n,
            [n, set](TRegistroVendedor& r, const TQueryDestino& q) { (r.*set)(static_cast<int>(q.CampoInteiro(n))); },
            [n, get](const TRegistroVendedor& r, TQueryDestino& q) { q.ParamInteiro(n, (r.*get)()); }};
}

// The columns in the order every statement lists them (the record's field order).
const std::vector<TColunaVendend>& Colunas() {
    static const std::vector<TColunaVendend> colunas = {
        Texto("CODVENDEDOR", &TRegistroVendedor::Codvendedor, &TRegistroVendedor::SetCodvendedor),
        Texto("NOME", &TRegistroVendedor::Nome, &TRegistroVendedor::SetNome),
        Texto("ENDERECO", &TRegistroVendedor::Endereco, &TRegistroVendedor::SetEndereco),
        Texto("BAIRRO", &TRegistroVendedor::Bairro, &TRegistroVendedor::SetBairro),
        Texto("CODCIDADE", &TRegistroVendedor::Codcidade, &TRegistroVendedor::SetCodcidade),
        Texto("ESTADO", &TRegistroVendedor::Estado, &TRegistroVendedor::SetEstado),
        Texto("CEP", &TRegistroVendedor::Cep, &TRegistroVendedor::SetCep),
        Texto("TELEFONE", &TRegistroVendedor::Telefone, &TRegistroVendedor::SetTelefone),
        Real("COMISSAO", &TRegistroVendedor::Comissao, &TRegistroVendedor::SetComissao),
        Texto("EMAIL", &TRegistroVendedor::Email, &TRegistroVendedor::SetEmail),
        Texto("CODPRACA", &TRegistroVendedor::Codpraca, &TRegistroVendedor::SetCodpraca),
        Texto("ATIVO", &TRegistroVendedor::Ativo, &TRegistroVendedor::SetAtivo),
        Texto("CODROTA", &TRegistroVendedor::Codrota, &TRegistroVendedor::SetCodrota),
        Texto("CODROTA2", &TRegistroVendedor::Codrota2, &TRegistroVendedor::SetCodrota2),
        Texto("CODROTA3", &TRegistroVendedor::Codrota3, &TRegistroVendedor::SetCodrota3),
        Texto("CODROTA4", &TRegistroVendedor::Codrota4, &TRegistroVendedor::SetCodrota4),
        Texto("CODROTA5", &TRegistroVendedor::Codrota5, &TRegistroVendedor::SetCodrota5),
        Texto("CODROTA6", &TRegistroVendedor::Codrota6, &TRegistroVendedor::SetCodrota6),
        Texto("CODROTA7", &TRegistroVendedor::Codrota7, &TRegistroVendedor::SetCodrota7),
        Texto("CODROTA8", &TRegistroVendedor::Codrota8, &TRegistroVendedor::SetCodrota8),
        Texto("CODROTA9", &TRegistroVendedor::Codrota9, &TRegistroVendedor::SetCodrota9),
        Texto("CODROTA10", &TRegistroVendedor::Codrota10, &TRegistroVendedor::SetCodrota10),
        Texto("TIPOVENDEDOR", &TRegistroVendedor::Tipovendedor, &TRegistroVendedor::SetTipovendedor),
        Data("DATAULTIMAVISITA", &TRegistroVendedor::Dataultimavisita, &TRegistroVendedor::SetDataultimavisita),
        Texto("CGCCPF", &TRegistroVendedor::Cgccpf, &TRegistroVendedor::SetCgccpf),
        Texto("INSCEST", &TRegistroVendedor::Inscest, &TRegistroVendedor::SetInscest),
        Texto("RG", &TRegistroVendedor::Rg, &TRegistroVendedor::SetRg),
        Texto("MUDAPRECOPDV", &TRegistroVendedor::Mudaprecopdv, &TRegistroVendedor::SetMudaprecopdv),
        Texto("SENHATRANSF", &TRegistroVendedor::Senhatransf, &TRegistroVendedor::SetSenhatransf),
        Texto("CODSUPERVISOR", &TRegistroVendedor::Codsupervisor, &TRegistroVendedor::SetCodsupervisor),
        Texto("HORAINI", &TRegistroVendedor::Horaini, &TRegistroVendedor::SetHoraini),
        Texto("HORAFIM", &TRegistroVendedor::Horafim, &TRegistroVendedor::SetHorafim),
        Texto("CODEMPRESA", &TRegistroVendedor::Codempresa, &TRegistroVendedor::SetCodempresa),
        Texto("CODFORNEC", &TRegistroVendedor::Codfornec, &TRegistroVendedor::SetCodfornec),
        Inteiro("PRECOVENDEDOR", &TRegistroVendedor::Precovendedor, &TRegistroVendedor::SetPrecovendedor),
        Data("ULTIMAVISITAMARCADA", &TRegistroVendedor::Ultimavisitamarcada,
             &TRegistroVendedor::SetUltimavisitamarcada),
        Texto("CODFID", &TRegistroVendedor::Codfid, &TRegistroVendedor::SetCodfid),
        Texto("CODBARRASVEND", &TRegistroVendedor::Codbarrasvend, &TRegistroVendedor::SetCodbarrasvend),
        Texto("SENHAFARMPOP", &TRegistroVendedor::Senhafarmpop, &TRegistroVendedor::SetSenhafarmpop),
        Data("VERSION", &TRegistroVendedor::Version, &TRegistroVendedor::SetVersion),
        Texto("COD_VENDEDOR_JAVA", &TRegistroVendedor::Cod_vendedor_java, &TRegistroVendedor::SetCod_vendedor_java),
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

// Executes the prepared statement; on failure warns with the database's reason and returns
// false, so a rejected seller does not stop whoever is inserting.
bool ExecutaAvisando(TQueryDestino& q, const char* acao) {
    try {
        q.Executa();
        return true;
    } catch (const std::exception& e) {
        MostraAviso(Aviso(acao, e));
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

QString Corta(const QString& valor, int qtd) {
    return Copia(valor, 1, qtd);
}

// The insert's bindings: each value cut to its column and cleaned.
void VinculaInsercao(TQueryDestino& q, const TRegistroVendedor& r) {
    using T = TConversao;
    q.ParamTexto(QStringLiteral("CODVENDEDOR"), T::StrZero(Corta(r.Codvendedor(), 4), 4));
    q.ParamTexto(QStringLiteral("NOME"), Corta(r.Nome(), 40));
    q.ParamTexto(QStringLiteral("ENDERECO"), Corta(r.Endereco(), 50));
    q.ParamTexto(QStringLiteral("BAIRRO"), Corta(r.Bairro(), 30));
    q.ParamTexto(QStringLiteral("CODCIDADE"), T::StrZero(Corta(r.Codcidade(), 5), 5));
    q.ParamTexto(QStringLiteral("ESTADO"), Corta(r.Estado(), 2));
    q.ParamTexto(QStringLiteral("CEP"), Corta(T::FSoNumero(r.Cep()), 8));
    q.ParamTexto(QStringLiteral("TELEFONE"), T::FSoNumero(Corta(T::TiraMascara(r.Telefone()), 16)));
    q.ParamDouble(QStringLiteral("COMISSAO"), r.Comissao());
    q.ParamTexto(QStringLiteral("EMAIL"), Corta(r.Email(), 60));
    q.ParamTexto(QStringLiteral("CODPRACA"), Corta(r.Codpraca(), 4));
    q.ParamTexto(QStringLiteral("ATIVO"), Corta(r.Ativo(), 1));
    const QString rotas[] = {r.Codrota(),  r.Codrota2(), r.Codrota3(), r.Codrota4(), r.Codrota5(),
                             r.Codrota6(), r.Codrota7(), r.Codrota8(), r.Codrota9(), r.Codrota10()};
    for (int i = 0; i < 10; ++i) {
        const QString nome = i == 0 ? QStringLiteral("CODROTA") : QStringLiteral("CODROTA%1").arg(i + 1);
        q.ParamTexto(nome, Corta(rotas[i], 5));
    }
    q.ParamTexto(QStringLiteral("TIPOVENDEDOR"), Corta(r.Tipovendedor(), 5));
    q.ParamData(QStringLiteral("DATAULTIMAVISITA"), TDateTimeParaData(r.Dataultimavisita()));
    // A CNPJ of the alphanumeric form would lose its letters to the digit-only cleaning.
    const QString cnpj = T::CnpjAlfanumerico(r.Cgccpf());
    q.ParamTexto(QStringLiteral("CGCCPF"),
                 cnpj.isEmpty() ? T::FRemoveCaracter(Corta(T::TiraMascara(r.Cgccpf()), 18)) : cnpj);
    q.ParamTexto(QStringLiteral("INSCEST"), T::FRemoveCaracter(Corta(T::TiraMascara(r.Inscest()), 15)));
    q.ParamTexto(QStringLiteral("RG"), T::FRemoveCaracter(Corta(T::TiraMascara(r.Rg()), 15)));
    q.ParamTexto(QStringLiteral("MUDAPRECOPDV"), r.Mudaprecopdv());
    q.ParamTexto(QStringLiteral("SENHATRANSF"), r.Senhatransf());
    q.ParamTexto(QStringLiteral("CODSUPERVISOR"), r.Codsupervisor());
    q.ParamTexto(QStringLiteral("HORAINI"), r.Horaini());
    q.ParamTexto(QStringLiteral("HORAFIM"), r.Horafim());
    q.ParamTexto(QStringLiteral("CODEMPRESA"), T::StrZero(Corta(r.Codempresa(), 2), 2));
    q.ParamTexto(QStringLiteral("CODFORNEC"), T::StrZero(Corta(r.Codfornec(), 6), 6));
    q.ParamInteiro(QStringLiteral("PRECOVENDEDOR"), r.Precovendedor());
    q.ParamData(QStringLiteral("ULTIMAVISITAMARCADA"), TDateTimeParaData(r.Ultimavisitamarcada()));
    q.ParamTexto(QStringLiteral("CODFID"), Corta(r.Codfid(), 16));
    q.ParamTexto(QStringLiteral("CODBARRASVEND"), Corta(r.Codbarrasvend(), 15));
    q.ParamTexto(QStringLiteral("SENHAFARMPOP"), Corta(r.Senhafarmpop(), 8));
    q.ParamData(QStringLiteral("VERSION"), TDateTimeParaData(r.Version()));
    q.ParamTexto(QStringLiteral("COD_VENDEDOR_JAVA"), Corta(r.Cod_vendedor_java(), 18));
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

bool TVendedorDAO::FInsereRegistro(const TRegistroVendedor& vpObjRegistroVendend) {
    TQueryDestino q(vConexao);
    q.SetSQL(FRetornaSqlInserTRegistroVendedor());
    VinculaInsercao(q, vpObjRegistroVendend);
    return ExecutaAvisando(q, "inserir");
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
        c.vincula(vpObjRegistroVendend, q);
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
