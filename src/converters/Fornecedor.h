#pragma once

#include "DescricaoLinha.h"
#include "classConversao.h"

#include <QString>

#include <span>

/// Writer of the target's suppliers (FORNECE). Each setter cleans its value on the way in, so
/// the fields always hold what will be written; GravaFornecedor inserts them and resets the
/// writer.
class TConverteFornece : public TConversao {
public:
    /// Without a connection it only fills its values (see TConversao).
    explicit TConverteFornece(TConexaoDestino* cBanco = nullptr);
    explicit TConverteFornece(TConexaoDestino& cBanco) : TConverteFornece(&cBanco) {}

    // Every setter but SetAtivo first drops the apostrophes of its value (joined, not doubled);
    // length limits count what is left after that.
    const QString& CodFornec() const { return FCodFornec; }
    void SetCodFornec(const QString& value);
    const QString& CodCliente() const { return FCodCliente; }
    /// A blank value leaves the field as it was.
    void SetCodcliente(const QString& value);
    const QString& Nome() const { return FNome; }
    void SetNome(const QString& value);
    const QString& NomeFantasia() const { return FNomeFantasia; }
    void SetNomeFantasia(const QString& value);
    const QString& Contato() const { return FContato; }
    void SetContato(const QString& value);
    const QString& Endereco() const { return FEndereco; }
    void SetEndereco(const QString& value);
    const QString& Bairro() const { return FBairro; }
    void SetBairro(const QString& value);
    const QString& Cep() const { return FCep; }
    void SetCep(const QString& value);
    const QString& CodCidade() const { return FCodCidade; }
    /// Only an empty text empties the field; anything else is cut to 5 and zero-padded.
    void SetCodCidade(const QString& value);
    /// Kept for the writer's users; never written to FORNECE.
    const QString& NomeCidade() const { return FNomeCidade; }
    void SetNomeCidade(const QString& value);
    const QString& Numero() const { return FNumero; }
    void SetNumero(const QString& value);
    const QString& Complemento() const { return FComplemento; }
    void SetComplemento(const QString& value);
    const QString& Estado() const { return FEstado; }
    void SetEstado(const QString& value);
    const QString& InscMunicipal() const { return FInscMunicipal; }
    void SetInscMunicipal(const QString& value);
    const QString& Pessoa_FJ() const { return FPessoa_FJ; }
    void SetPessoa_FJ(const QString& value);
    const QString& CgcCpf() const { return FCgcCpf; }
    /// A valid alphanumeric CNPJ keeps its letters; anything else keeps only its digits.
    void SetCgcCpf(const QString& value);
    const QString& InscEst() const { return FInscEst; }
    void SetInscEst(const QString& value);
    const QString& Fone() const { return FFone; }
    void SetFone(const QString& value);
    const QString& Fax() const { return FFax; }
    void SetFax(const QString& value);
    const QString& Celular() const { return FCelular; }
    void SetCelular(const QString& value);
    const QString& Email() const { return FEmail; }
    /// Trimmed only: the column's width is left to the database.
    void SetEmail(const QString& value);
    const QString& HomePage() const { return FHomePage; }
    void SetHomePage(const QString& value);
    const QString& CampoLivre1() const { return FCampoLivre1; }
    void SetCampoLivre1(const QString& value);
    const QString& CampoLivre2() const { return FCampoLivre2; }
    void SetCampoLivre2(const QString& value);
    const QString& Observacao() const { return FObservacao; }
    void Setobservacao(const QString& value);
    const QString& Ativo() const { return FAtivo; }
    /// The one setter that keeps apostrophes; not reset by LimpaVariavel.
    void SetAtivo(const QString& value);
    const QString& TipoFornece() const { return FTipoFornece; }
    void SetTipoFornece(const QString& value);
    const QString& CodTipo() const { return FCodTipo; }
    /// A blank value leaves the field as it was.
    void SetCodTipo(const QString& value);
    const QString& ContaCx() const { return FContaCx; }
    /// Not reset by LimpaVariavel.
    void SetContaCx(const QString& value);
    const QString& CTCTbred() const { return FCTCTbred; }
    /// Not reset by LimpaVariavel.
    void SetCTCTbred(const QString& value);

    /// Inserts the current supplier, then resets the fields. Database errors pass to the caller.
    void GravaFornecedor();
    /// Deletes every supplier and commits the connection's transaction.
    void LimpaTabela();

    /// Resets through the setters with empty values: CodFornec becomes 000000, CodCliente and
    /// CodTipo stay (blank is ignored), Ativo, ContaCx and CTCTbred are not touched.
    void LimpaVariavel();
    /// The INSERT of the current fields and its values, every one a text (29 columns).
    TLinhaMontada MontaSql() const { return m_linha.Monta(*this, kInsercao); }

private:
    static std::span<const TColunaLinha<TConverteFornece>> Colunas();
    mutable TDescricaoLinha<TConverteFornece> m_linha{"fornece", Colunas()};

    QString FCodFornec;
    QString FCodCliente;
    QString FCodTipo;
    QString FNome;
    QString FNomeFantasia;
    QString FContato;
    QString FEndereco;
    QString FBairro;
    QString FCep;
    QString FCodCidade;
    QString FNomeCidade;
    QString FNumero;
    QString FComplemento;
    QString FEstado;
    QString FInscMunicipal;
    QString FPessoa_FJ;
    QString FCgcCpf;
    QString FInscEst;
    QString FFone;
    QString FFax;
    QString FCelular;
    QString FEmail;
    QString FHomePage;
    QString FCampoLivre1;
    QString FCampoLivre2;
    QString FContaCx;
    QString FCTCTbred;
    QString FObservacao;
    QString FAtivo;
    QString FTipoFornece;
};
