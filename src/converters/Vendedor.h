#pragma once

#include "DataHora.h"

#include <QString>

#include <vector>

/// One row of the target's sellers (VENDEND), one field per column. Only the seller code is
/// cleaned on the way in; cutting to the column widths and the other cleanings happen when
/// the data access inserts the record.
class TRegistroVendedor {
public:
    /// Every field at its neutral value: Codvendedor "0000", texts empty, numbers and dates 0
    /// (a date 0 is 30 December 1899).
    TRegistroVendedor();

    const QString& Codvendedor() const { return vCodvendedor; }
    /// Left-padded with zeros to 4 characters; never cut, never trimmed.
    void SetCodvendedor(const QString& Value);
    const QString& Nome() const { return vNome; }
    void SetNome(const QString& Value) { vNome = Value; }
    const QString& Endereco() const { return vEndereco; }
    void SetEndereco(const QString& Value) { vEndereco = Value; }
    const QString& Bairro() const { return vBairro; }
    void SetBairro(const QString& Value) { vBairro = Value; }
    const QString& Codcidade() const { return vCodcidade; }
    void SetCodcidade(const QString& Value) { vCodcidade = Value; }
    const QString& Estado() const { return vEstado; }
    void SetEstado(const QString& Value) { vEstado = Value; }
    const QString& Cep() const { return vCep; }
    void SetCep(const QString& Value) { vCep = Value; }
    const QString& Telefone() const { return vTelefone; }
    void SetTelefone(const QString& Value) { vTelefone = Value; }
    double Comissao() const { return vComissao; }
    void SetComissao(double Value) { vComissao = Value; }
    const QString& Email() const { return vEmail; }
    void SetEmail(const QString& Value) { vEmail = Value; }
    const QString& Codpraca() const { return vCodpraca; }
    void SetCodpraca(const QString& Value) { vCodpraca = Value; }
    const QString& Ativo() const { return vAtivo; }
    void SetAtivo(const QString& Value) { vAtivo = Value; }
    const QString& Codrota() const { return vCodrota; }
    void SetCodrota(const QString& Value) { vCodrota = Value; }
    const QString& Codrota2() const { return vCodrota2; }
    void SetCodrota2(const QString& Value) { vCodrota2 = Value; }
    const QString& Codrota3() const { return vCodrota3; }
    void SetCodrota3(const QString& Value) { vCodrota3 = Value; }
    const QString& Codrota4() const { return vCodrota4; }
    void SetCodrota4(const QString& Value) { vCodrota4 = Value; }
    const QString& Codrota5() const { return vCodrota5; }
    void SetCodrota5(const QString& Value) { vCodrota5 = Value; }
    const QString& Codrota6() const { return vCodrota6; }
    void SetCodrota6(const QString& Value) { vCodrota6 = Value; }
    const QString& Codrota7() const { return vCodrota7; }
    void SetCodrota7(const QString& Value) { vCodrota7 = Value; }
    const QString& Codrota8() const { return vCodrota8; }
    void SetCodrota8(const QString& Value) { vCodrota8 = Value; }
    const QString& Codrota9() const { return vCodrota9; }
    void SetCodrota9(const QString& Value) { vCodrota9 = Value; }
    const QString& Codrota10() const { return vCodrota10; }
    void SetCodrota10(const QString& Value) { vCodrota10 = Value; }
    const QString& Tipovendedor() const { return vTipovendedor; }
    void SetTipovendedor(const QString& Value) { vTipovendedor = Value; }
    TDateTime Dataultimavisita() const { return vDataultimavisita; }
    void SetDataultimavisita(TDateTime Value) { vDataultimavisita = Value; }
    const QString& Cgccpf() const { return vCgccpf; }
    void SetCgccpf(const QString& Value) { vCgccpf = Value; }
    const QString& Inscest() const { return vInscest; }
    void SetInscest(const QString& Value) { vInscest = Value; }
    const QString& Rg() const { return vRg; }
    void SetRg(const QString& Value) { vRg = Value; }
    const QString& Mudaprecopdv() const { return vMudaprecopdv; }
    void SetMudaprecopdv(const QString& Value) { vMudaprecopdv = Value; }
    const QString& Senhatransf() const { return vSenhatransf; }
    void SetSenhatransf(const QString& Value) { vSenhatransf = Value; }
    const QString& Codsupervisor() const { return vCodsupervisor; }
    void SetCodsupervisor(const QString& Value) { vCodsupervisor = Value; }
    const QString& Horaini() const { return vHoraini; }
    void SetHoraini(const QString& Value) { vHoraini = Value; }
    const QString& Horafim() const { return vHorafim; }
    void SetHorafim(const QString& Value) { vHorafim = Value; }
    const QString& Codempresa() const { return vCodempresa; }
    void SetCodempresa(const QString& Value) { vCodempresa = Value; }
    const QString& Codfornec() const { return vCodfornec; }
    void SetCodfornec(const QString& Value) { vCodfornec = Value; }
    int Precovendedor() const { return vPrecovendedor; }
    void SetPrecovendedor(int Value) { vPrecovendedor = Value; }
    TDateTime Ultimavisitamarcada() const { return vUltimavisitamarcada; }
    void SetUltimavisitamarcada(TDateTime Value) { vUltimavisitamarcada = Value; }
    const QString& Codfid() const { return vCodfid; }
    void SetCodfid(const QString& Value) { vCodfid = Value; }
    const QString& Codbarrasvend() const { return vCodbarrasvend; }
    void SetCodbarrasvend(const QString& Value) { vCodbarrasvend = Value; }
    const QString& Senhafarmpop() const { return vSenhafarmpop; }
    void SetSenhafarmpop(const QString& Value) { vSenhafarmpop = Value; }
    TDateTime Version() const { return vVersion; }
    void SetVersion(TDateTime Value) { vVersion = Value; }
    const QString& Cod_vendedor_java() const { return vCod_vendedor_java; }
    void SetCod_vendedor_java(const QString& Value) { vCod_vendedor_java = Value; }

private:
    QString vCodvendedor;
    QString vNome;
    QString vEndereco;
    QString vBairro;
    QString vCodcidade;
    QString vEstado;
    QString vCep;
    QString vTelefone;
    double vComissao = 0.0;
    QString vEmail;
    QString vCodpraca;
    QString vAtivo;
    QString vCodrota;
    QString vCodrota2;
    QString vCodrota3;
    QString vCodrota4;
    QString vCodrota5;
    QString vCodrota6;
    QString vCodrota7;
    QString vCodrota8;
    QString vCodrota9;
    QString vCodrota10;
    QString vTipovendedor;
    TDateTime vDataultimavisita = 0;
    QString vCgccpf;
    QString vInscest;
    QString vRg;
    QString vMudaprecopdv;
    QString vSenhatransf;
    QString vCodsupervisor;
    QString vHoraini;
    QString vHorafim;
    QString vCodempresa;
    QString vCodfornec;
    int vPrecovendedor = 0;
    TDateTime vUltimavisitamarcada = 0;
    QString vCodfid;
    QString vCodbarrasvend;
    QString vSenhafarmpop;
    TDateTime vVersion = 0;
    QString vCod_vendedor_java;
};

/// An ordered list of seller records that does not own them: clearing or destroying it leaves
/// every record alive, and whoever created the records releases them. The same record may be
/// listed more than once.
class TColVendend {
public:
    /// The record at the 0-based position; raises EConversao for a position outside the list.
    TRegistroVendedor* FRetornaObjRegistroVendend(int pIndex) const;
    void PAdicionaObjRegistroVendend(TRegistroVendedor* pObjRegistroVendend);
    int Count() const { return static_cast<int>(m_itens.size()); }
    void Clear() { m_itens.clear(); }

private:
    std::vector<TRegistroVendedor*> m_itens;
};
