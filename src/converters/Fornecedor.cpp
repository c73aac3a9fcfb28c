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

TConverteFornece::TConverteFornece(TConexaoDestino* cBanco) : TConversao(cBanco) {
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

std::span<const TColunaLinha<TConverteFornece>> TConverteFornece::Colunas() {
    using F = TConverteFornece;
    using linha::Texto;
    static const TColunaLinha<F> colunas[] = {
        Texto<&F::FCodFornec>("fornece.CodFornec"),
        Texto<&F::FNome>("fornece.Nome"),
        Texto<&F::FNomeFantasia>("fornece.NomeFantasia"),
        Texto<&F::FContato>("fornece.Contato"),
        Texto<&F::FEndereco>("fornece.Endereco"),
        Texto<&F::FBairro>("fornece.Bairro"),
        Texto<&F::FCep>("fornece.Cep"),
        Texto<&F::FCodCidade>("fornece.CodCidade"),
        Texto<&F::FNumero>("fornece.Numero"),
        Texto<&F::FComplemento>("fornece.Complemento"),
        Texto<&F::FEstado>("fornece.Estado"),
        Texto<&F::FInscMunicipal>("fornece.InscMunicipal"),
        Texto<&F::FPessoa_FJ>("fornece.Pessoa_FJ"),
        Texto<&F::FCgcCpf>("fornece.CgcCpf"),
        Texto<&F::FInscEst>("fornece.InscEst"),
        Texto<&F::FObservacao>("fornece.observacao"),
        Texto<&F::FFone>("fornece.Fone"),
        Texto<&F::FFax>("fornece.Fax"),
        Texto<&F::FCelular>("fornece.Celular"),
        Texto<&F::FEmail>("fornece.Email"),
        Texto<&F::FHomePage>("fornece.HomePage"),
        Texto<&F::FCampoLivre1>("fornece.CampoLivre1"),
        Texto<&F::FCampoLivre2>("fornece.CampoLivre2"),
        Texto<&F::FCodCliente>("fornece.codcliente"),
        Texto<&F::FAtivo>("fornece.ativo"),
        Texto<&F::FTipoFornece>("fornece.TipoFornece"),
        Texto<&F::FCodTipo>("fornece.CodTipo"),
        Texto<&F::FContaCx>("fornece.contacx"),
        Texto<&F::FCTCTbred>("fornece.ctctbred"),
    };
    return colunas;
}

void TConverteFornece::GravaFornecedor() {
    m_linha.Insere(Destino(), *this);
    LimpaVariavel();
}

void TConverteFornece::LimpaTabela() {
    EsvaziaTabela(QStringLiteral("FORNECE"));
}
