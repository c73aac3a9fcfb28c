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
    const QString v = SemAspas(value);
    FCodFornec = StrZero(Copia(v, 1, 6), 6);
    Confere("FORNECE.CODFORNEC", v.size(), 6, FCodFornec);
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
    const QString v = Trim(SemAspas(value));
    FNome = FRetiraAcento(MaiusculasAscii(Copia(v, 1, 50)));
    Confere("FORNECE.NOME", v.size(), 50, FNome);
}

void TConverteFornece::SetNomeFantasia(const QString& value) {
    const QString v = Trim(SemAspas(value));
    FNomeFantasia = FRetiraAcento(MaiusculasAscii(Copia(v, 1, 40)));
    Confere("FORNECE.NOMEFANTASIA", v.size(), 40, FNomeFantasia);
}

void TConverteFornece::SetContato(const QString& value) {
    const QString v = Trim(SemAspas(value));
    FContato = Copia(v, 1, 30);
    Confere("FORNECE.CONTATO", v.size(), 30, FContato);
}

void TConverteFornece::SetEndereco(const QString& value) {
    const QString v = SemAspas(value);
    FEndereco = Copia(v, 1, 50);
    Confere("FORNECE.ENDERECO", v.size(), 50, FEndereco);
}

void TConverteFornece::SetBairro(const QString& value) {
    const QString v = Trim(SemAspas(value));
    FBairro = Copia(v, 1, 30);
    Confere("FORNECE.BAIRRO", v.size(), 30, FBairro);
}

void TConverteFornece::SetCep(const QString& value) {
    const QString v = FRemoveCaracter(TiraMascara(SemAspas(value)));
    FCep = Copia(v, 1, 8);
    Confere("FORNECE.CEP", v.size(), 8, FCep);
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
    const QString v = SemAspas(value);
    FEstado = Copia(v, 1, 2);
    Confere("FORNECE.ESTADO", v.size(), 2, FEstado);
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
    if (!alfanumerico.isEmpty()) {
        FCgcCpf = alfanumerico;
        return;
    }
    const QString semMascara = TiraMascara(v);
    FCgcCpf = FRemoveCaracter(Copia(semMascara, 1, 14));
    Confere("FORNECE.CGCCPF", semMascara.size(), 14, FCgcCpf);
}

void TConverteFornece::SetInscEst(const QString& value) {
    const QString v = TiraMascara(SemAspas(value));
    FInscEst = FRemoveCaracter(Copia(v, 1, 15));
    Confere("FORNECE.INSCEST", v.size(), 15, FInscEst);
}

void TConverteFornece::SetFone(const QString& value) {
    const QString v = SemAspas(value);
    FFone = FSoNumero(Copia(v, 1, 16));
    Confere("FORNECE.FONE", v.size(), 16, FFone);
}

void TConverteFornece::SetFax(const QString& value) {
    const QString v = SemAspas(value);
    FFax = FSoNumero(Copia(v, 1, 16));
    Confere("FORNECE.FAX", v.size(), 16, FFax);
}

void TConverteFornece::SetCelular(const QString& value) {
    FCelular = FSoNumero(Copia(SemAspas(value), 1, 16));
}

void TConverteFornece::SetEmail(const QString& value) {
    FEmail = Trim(SemAspas(value));
    Confere("FORNECE.EMAIL", 0, 0, FEmail);
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
