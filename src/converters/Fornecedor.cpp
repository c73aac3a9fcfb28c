#include "Fornecedor.h"

#include "TQueryDestino.h"
#include "TextoPrimitivas.h"

#include <QStringList>

namespace {

// Suppliers' texts lose their apostrophes instead of having them doubled; the stored data
// has always been written that way.
QString SemAspas(const QString& value) {
    QString r = value;
    r.remove(QChar(u'\''));
    return r;
}

} // namespace

TConverteFornece::TConverteFornece(TConexaoDestino& cBanco) : TConversao(cBanco) {
    LimpaVariavel();
}

void TConverteFornece::SetCodFornec(const QString& value) {
    FCodFornec = StrZero(Copia(SemAspas(value), 1, 6), 6);
}

void TConverteFornece::SetCodcliente(const QString& value) {
    const QString v = SemAspas(value);
    if (!Trim(v).isEmpty()) {
        FCodCliente = StrZero(Copia(v, 1, 8), 8);
    }
}

void TConverteFornece::SetCodTipo(const QString& value) {
    const QString v = SemAspas(value);
    if (!Trim(v).isEmpty()) {
        FCodTipo = StrZero(Copia(v, 1, 3), 3);
    }
}

void TConverteFornece::SetNome(const QString& value) {
    FNome = FRetiraAcento(MaiusculasAscii(Copia(Trim(SemAspas(value)), 1, 50)));
}

void TConverteFornece::SetNomeFantasia(const QString& value) {
    FNomeFantasia = FRetiraAcento(MaiusculasAscii(Copia(Trim(SemAspas(value)), 1, 40)));
}

void TConverteFornece::SetContato(const QString& value) {
    FContato = Copia(Trim(SemAspas(value)), 1, 30);
}

void TConverteFornece::SetEndereco(const QString& value) {
    FEndereco = Copia(SemAspas(value), 1, 50);
}

void TConverteFornece::SetBairro(const QString& value) {
    FBairro = Copia(Trim(SemAspas(value)), 1, 30);
}

void TConverteFornece::SetCep(const QString& value) {
    FCep = Copia(FRemoveCaracter(TiraMascara(SemAspas(value))), 1, 8);
}

void TConverteFornece::SetCodCidade(const QString& value) {
    const QString v = SemAspas(value);
    FCodCidade = v.isEmpty() ? QString() : StrZero(Copia(v, 1, 5), 5);
}

void TConverteFornece::SetNomeCidade(const QString& value) {
    FNomeCidade = Copia(Trim(SemAspas(value)), 1, 30);
}

void TConverteFornece::SetNumero(const QString& value) {
    FNumero = Copia(SemAspas(value), 1, 10);
}

void TConverteFornece::SetComplemento(const QString& value) {
    FComplemento = Trim(Copia(SemAspas(value), 1, 60));
}

void TConverteFornece::SetEstado(const QString& value) {
    FEstado = Copia(SemAspas(value), 1, 2);
}

void TConverteFornece::SetInscMunicipal(const QString& value) {
    FInscMunicipal = Copia(TiraMascara(SemAspas(value)), 1, 15);
}

void TConverteFornece::SetPessoa_FJ(const QString& value) {
    FPessoa_FJ = Copia(SemAspas(value), 1, 1);
}

void TConverteFornece::SetCgcCpf(const QString& value) {
    const QString v = SemAspas(value);
    // Keeping only digits would corrupt a CNPJ of the alphanumeric form.
    const QString alfanumerico = CnpjAlfanumerico(v);
    FCgcCpf = alfanumerico.isEmpty() ? FRemoveCaracter(Copia(TiraMascara(v), 1, 14)) : alfanumerico;
}

void TConverteFornece::SetInscEst(const QString& value) {
    FInscEst = FRemoveCaracter(Copia(TiraMascara(SemAspas(value)), 1, 15));
}

void TConverteFornece::SetFone(const QString& value) {
    FFone = FSoNumero(Copia(SemAspas(value), 1, 16));
}

void TConverteFornece::SetFax(const QString& value) {
    FFax = FSoNumero(Copia(SemAspas(value), 1, 16));
}

void TConverteFornece::SetCelular(const QString& value) {
    FCelular = FSoNumero(Copia(SemAspas(value), 1, 16));
}

void TConverteFornece::SetEmail(const QString& value) {
    FEmail = Trim(SemAspas(value));
}

void TConverteFornece::SetHomePage(const QString& value) {
    FHomePage = Copia(SemAspas(value), 1, 30);
}

void TConverteFornece::SetCampoLivre1(const QString& value) {
    FCampoLivre1 = Copia(Trim(SemAspas(value)), 1, 20);
}

void TConverteFornece::SetCampoLivre2(const QString& value) {
    FCampoLivre2 = Copia(Trim(SemAspas(value)), 1, 20);
}

void TConverteFornece::Setobservacao(const QString& value) {
    FObservacao = Copia(SemAspas(value), 1, 100);
}

void TConverteFornece::SetAtivo(const QString& value) {
    FAtivo = MaiusculasAscii(Copia(value, 1, 1));
}

void TConverteFornece::SetTipoFornece(const QString& value) {
    FTipoFornece = SemAspas(value);
}

void TConverteFornece::SetContaCx(const QString& value) {
    FContaCx = Copia(Trim(SemAspas(value)), 1, 7);
}

void TConverteFornece::SetCTCTbred(const QString& value) {
    FCTCTbred = Copia(Trim(SemAspas(value)), 1, 7);
}

void TConverteFornece::LimpaVariavel() {
    const QString vazio;
    SetCodFornec(vazio);
    SetNome(vazio);
    SetNomeFantasia(vazio);
    SetContato(vazio);
    SetEndereco(vazio);
    SetBairro(vazio);
    SetCep(vazio);
    SetCodCidade(vazio);
    SetNomeCidade(vazio);
    SetNumero(vazio);
    SetComplemento(vazio);
    SetEstado(vazio);
    SetInscMunicipal(vazio);
    SetPessoa_FJ(vazio);
    SetCgcCpf(vazio);
    SetInscEst(vazio);
    Setobservacao(vazio);
    SetFone(vazio);
    SetFax(vazio);
    SetCelular(vazio);
    SetEmail(vazio);
    SetHomePage(vazio);
    SetCampoLivre1(vazio);
    SetCampoLivre2(vazio);
    SetTipoFornece(vazio);
    SetCodTipo(vazio);
    SetCodcliente(vazio);
}

TSqlMontada TConverteFornece::MontaSql() const {
    const std::pair<const char*, const QString*> colunas[] = {
        {"fornece.CodFornec", &FCodFornec},
        {"fornece.Nome", &FNome},
        {"fornece.NomeFantasia", &FNomeFantasia},
        {"fornece.Contato", &FContato},
        {"fornece.Endereco", &FEndereco},
        {"fornece.Bairro", &FBairro},
        {"fornece.Cep", &FCep},
        {"fornece.CodCidade", &FCodCidade},
        {"fornece.Numero", &FNumero},
        {"fornece.Complemento", &FComplemento},
        {"fornece.Estado", &FEstado},
        {"fornece.InscMunicipal", &FInscMunicipal},
        {"fornece.Pessoa_FJ", &FPessoa_FJ},
        {"fornece.CgcCpf", &FCgcCpf},
        {"fornece.InscEst", &FInscEst},
        {"fornece.observacao", &FObservacao},
        {"fornece.Fone", &FFone},
        {"fornece.Fax", &FFax},
        {"fornece.Celular", &FCelular},
        {"fornece.Email", &FEmail},
        {"fornece.HomePage", &FHomePage},
        {"fornece.CampoLivre1", &FCampoLivre1},
        {"fornece.CampoLivre2", &FCampoLivre2},
        {"fornece.codcliente", &FCodCliente},
        {"fornece.ativo", &FAtivo},
        {"fornece.TipoFornece", &FTipoFornece},
        {"fornece.CodTipo", &FCodTipo},
        {"fornece.contacx", &FContaCx},
        {"fornece.ctctbred", &FCTCTbred},
    };
    // The column names never change: their list is written once.
    static const QByteArray inicio = [&colunas] {
        QByteArray r = "Insert Into fornece (";
        for (const auto& [coluna, campo] : colunas) {
            r += r.endsWith('(') ? "" : ", ";
            r += coluna;
        }
        return r + ") Values (";
    }();
    TSqlMontada sql;
    sql.Reserva(inicio.size() + 128, std::size(colunas));
    sql.Sql(QLatin1StringView(inicio));
    bool primeira = true;
    for (const auto& [coluna, campo] : colunas) {
        sql.Sql(QLatin1StringView(primeira ? "" : ", ")).Texto(*campo);
        primeira = false;
    }
    sql.Sql(QLatin1StringView(") "));
    return sql;
}

void TConverteFornece::GravaFornecedor() {
    QDestino->SetSQL(MontaSql());
    QDestino->Executa();
    LimpaVariavel();
}

void TConverteFornece::LimpaTabela() {
    QAuxiliar->Fecha();
    QAuxiliar->SetSQL(QStringLiteral("Delete from FORNECE"));
    QAuxiliar->Executa();
    QAuxiliar->Fecha();
    QAuxiliar->SetSQL(QStringLiteral("Commit;"));
    QAuxiliar->Executa();
}
