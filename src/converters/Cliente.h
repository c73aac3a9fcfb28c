#pragma once

#include "DescricaoLinha.h"
#include "classConversao.h"

#include <QDate>
#include <QString>

#include <span>
#include <vector>

/// One customer of CLIENTE while the customer mapping fills it from one TABCLI record. Every
/// setter cleans its value on the way in, so the fields hold exactly what the statements bind.
/// Borrows the connection; owns its two queries through TConversao.
class TConverteCliente : public TConversao {
public:
    /// Without a connection it only fills its values (see TConversao).
    explicit TConverteCliente(TConexaoDestino* cBanco = nullptr);
    explicit TConverteCliente(TConexaoDestino& cBanco) : TConverteCliente(&cBanco) {}

    // Readers, named like the fields without their leading F.
    const QString& CodCliente() const { return FCodCliente; }
    const QString& CodFornec() const { return FCodFornec; }
    const QString& Nome() const { return FNome; }
    const QString& Contato() const { return FContato; }
    const QString& NomeFantasia() const { return FNomeFantasia; }
    const QString& Endereco() const { return FEndereco; }
    const QString& EnderecoEntr() const { return FEnderecoEntr; }
    const QString& EnderecoCob() const { return FEnderecoCob; }
    const QString& Bairro() const { return FBairro; }
    const QString& BairroEntr() const { return FBairroEntr; }
    const QString& BairroCob() const { return FBairroCob; }
    const QString& CodCidade() const { return FCodCidade; }
    const QString& NomeCidade() const { return FNomeCidade; }
    const QString& CodCidadeEntr() const { return FCodCidadeEntr; }
    const QString& NomeCidadeEntr() const { return FNomeCidadeEntr; }
    const QString& CodCidadeCob() const { return FCodCidadeCob; }
    const QString& NomeCidadeCob() const { return FNomeCidadeCob; }
    const QString& Estado() const { return FEstado; }
    const QString& EstadoEntr() const { return FEstadoEntr; }
    const QString& EstadoCob() const { return FEstadoCob; }
    const QString& Cep() const { return FCep; }
    const QString& CepEntr() const { return FCepEntr; }
    const QString& CepCob() const { return FCepCob; }
    const QString& CgcCpf() const { return FCgcCpf; }
    const QString& InscEst() const { return FInscEst; }
    const QString& InscMunicipal() const { return FInscMunicipal; }
    const QString& Pessoa_FJ() const { return FPessoa_FJ; }
    const QString& Fone() const { return FFone; }
    const QString& Fax() const { return FFax; }
    const QString& PrefixCelular() const { return FPrefixCelular; }
    const QString& Celular() const { return FCelular; }
    const QString& Email() const { return FEmail; }
    const QString& HomePage() const { return FHomePage; }
    const QString& Ativo() const { return FAtivo; }
    const QString& NomeMae() const { return FNomeMae; }
    const QString& NomePai() const { return FNomePai; }
    const QString& CliBloqueado() const { return FCliBloqueado; }
    const QString& RetemISS() const { return FRetemISS; }
    const QString& MalaDiretaEletr() const { return FMalaDiretaEletr; }
    const QString& ProtestarCliente() const { return FProtestarCliente; }
    const QString& DT_Nascimento() const { return FDT_Nascimento; }
    const QString& DT_Cadastro() const { return FDT_Cadastro; }
    const QString& Dt_Ult_Venda() const { return FDT_Ult_Venda; }
    const QString& Dt_Ult_Alteracao() const { return FDT_Ult_Alteracao; }
    const QString& DT_ValCad() const { return FDT_Valcad; }
    const QString& Observacao() const { return FObservacao; }
    /// Free field 1 to 10; any other number gives an empty text.
    QString CampoLivre(int numero) const;
    const QString& CodSegmento() const { return FCodSegmento; }
    const QString& CodClasCli() const { return FCodClasCli; }
    const QString& CodVendend1() const { return FCodVendend1; }
    const QString& CodPais() const { return FCodPais; }
    const QString& CodMunicipio() const { return FCodMunicipio; }
    const QString& NomeSocio() const { return FNomeSocio; }
    const QString& CodPrazo() const { return FCodPrazo; }
    double LimiteCredito() const { return FLimiteCredito; }

    void SetCodCliente(const QString& Value);
    void SetCodFornec(const QString& Value);
    void SetNome(const QString& Value);
    void SetContato(const QString& Value);
    void SetNomeFantasia(const QString& Value);
    void SetEndereco(const QString& Value);
    void SetEnderecoEntr(const QString& Value);
    void SetEnderecoCob(const QString& Value);
    void SetBairro(const QString& Value);
    void SetBairroEntr(const QString& Value);
    void SetBairroCob(const QString& Value);
    void SetCodCidade(const QString& Value);
    void SetNomeCidade(const QString& Value);
    void SetCodCidadeEntr(const QString& Value);
    void SetNomeCidadeEntr(const QString& Value);
    void SetCodCidadeCob(const QString& Value);
    void SetNomeCidadeCob(const QString& Value);
    void SetEstado(const QString& Value);
    void SetEstadoEntr(const QString& Value);
    void SetEstadoCob(const QString& Value);
    void SetCep(const QString& Value);
    void SetCepEntr(const QString& Value);
    void SetCepCob(const QString& Value);
    void SetCgcCpf(const QString& Value);
    void SetInscEst(const QString& Value);
    void SetInscMunicipal(const QString& Value);
    void SetPessoa_FJ(const QString& Value);
    void SetFone(const QString& Value);
    void SetFax(const QString& Value);
    void SetPrefixCelular(const QString& Value);
    void SetCelular(const QString& Value);
    void SetEmail(const QString& Value);
    void SetHomePage(const QString& Value);
    void SetAtivo(const QString& Value);
    void SetNomeMae(const QString& Value);
    void SetNomePai(const QString& Value);
    void SetCliBloqueado(const QString& Value);
    void SetRetemISS(const QString& Value);
    void SetMalaDiretaEletr(const QString& Value);
    void SetProtestarCliente(const QString& Value);
    /// True for a date field as the date setters store it that the target can read: empty, or a
    /// real day written day.month.year (or year.month.day), as a source date that is one gives.
    static bool DataLegivel(const QString& data);
    void SetDT_Nascimento(const QString& Value);
    void SetDT_Cadastro(const QString& Value);
    void SetDt_Ult_Venda(const QString& Value);
    void SetDt_Ult_Alteracao(const QString& Value);
    void SetDT_Valcad(const QString& Value);
    void SetObsercacao(const QString& Value);
    void SetCampoLivre1(const QString& Value);
    void SetCampoLivre2(const QString& Value);
    void SetCampoLivre3(const QString& Value);
    void SetCampoLivre4(const QString& Value);
    void SetCampoLivre5(const QString& Value);
    void SetCampoLivre6(const QString& Value);
    void SetCampoLivre7(const QString& Value);
    void SetCampoLivre8(const QString& Value);
    void SetCampoLivre9(const QString& Value);
    void SetCampoLivre10(const QString& Value);
    void SetCodSegmento(const QString& Value);
    void SetCodClasCli(const QString& Value);
    void SetCodVendend1(const QString& Value);
    void SetCodPais(const QString& Value);
    void SetCodMunicipio(const QString& Value);
    void SetNomeSocio(const QString& Value);
    void SetCodPrazo(const QString& Value);
    void SetLimiteCredito(double Value);

    /// Resets the record between customers; some fields deliberately keep their value.
    void LimpaVariavel();

    // Statements (ClienteSql.cpp).
    /// The INSERT of the record and its values; empty dates leave their column out.
    TLinhaMontada MontaSqlInsere() const { return m_linha.Monta(*this, kInsercao); }
    /// The UPDATE of the record keyed by its code and its values; empty dates are written as NULL.
    TLinhaMontada AtualizaCliente() const { return m_linha.Monta(*this, kAtualizacao); }
    /// 1 inserts, 2 updates; executes on QDestino and resets the record. Raises on a refused statement.
    bool ExecutaSql(int Acao);
    /// Writes the counter row of ncliente (company "00").
    void GravaNCliente(int Quant);
    /// Empties CLIENTE and commits the connection's transaction.
    void LimpaTabela();

private:
    /// What an empty date becomes: today, in the regional short format with points. Written
    /// again only when the day or the regional date format changes.
    const QString& DataDeHoje();
    struct {
        QDate dia;
        QString formato;
        QChar separador;
        QString texto;
    } m_dataDeHoje;

    /// A field the reset restores: what it restores it to is what `setter` stores for `valor`
    /// (no setter: the field is emptied).
    struct TCampoReiniciado {
        QString TConverteCliente::*campo;
        void (TConverteCliente::*setter)(const QString&);
        const char* valor;
    };
    static std::span<const TCampoReiniciado> CamposReiniciados();
    /// The values of CamposReiniciados, in its order, as the setters gave them at construction.
    std::vector<QString> m_valoresReiniciados;

    /// The row of CLIENTE: every column once, with the field it takes.
    static std::span<const TColunaLinha<TConverteCliente>> Colunas();
    mutable TDescricaoLinha<TConverteCliente> m_linha{"Cliente", Colunas()};

    QString FCodCliente;
    QString FCodFornec;
    QString FNome;
    QString FContato;
    QString FNomeFantasia;
    QString FEndereco;
    QString FEnderecoEntr;
    QString FEnderecoCob;
    QString FBairro;
    QString FBairroEntr;
    QString FBairroCob;
    QString FCodCidade;
    QString FNomeCidade;
    QString FCodCidadeEntr;
    QString FNomeCidadeEntr;
    QString FCodCidadeCob;
    QString FNomeCidadeCob;
    QString FEstado;
    QString FEstadoEntr;
    QString FEstadoCob;
    QString FCep;
    QString FCepEntr;
    QString FCepCob;
    QString FCgcCpf;
    QString FInscEst;
    QString FInscMunicipal;
    QString FPessoa_FJ;
    QString FFone;
    QString FFax;
    QString FPrefixCelular;
    QString FCelular;
    QString FEmail;
    QString FHomePage;
    QString FAtivo;
    QString FNomeMae;
    QString FNomePai;
    QString FCliBloqueado;
    QString FRetemISS;
    QString FMalaDiretaEletr;
    QString FProtestarCliente;
    QString FDT_Nascimento;
    QString FDT_Cadastro;
    QString FDT_Ult_Venda;
    QString FDT_Ult_Alteracao;
    QString FDT_Valcad;
    QString FObservacao;
    QString FCampoLivre1;
    QString FCampoLivre2;
    QString FCampoLivre3;
    QString FCampoLivre4;
    QString FCampoLivre5;
    QString FCampoLivre6;
    QString FCampoLivre7;
    QString FCampoLivre8;
    QString FCampoLivre9;
    QString FCampoLivre10;
    QString FCodSegmento;
    QString FCodClasCli;
    QString FCodVendend1;
    QString FCodPais;
    QString FCodMunicipio;
    QString FNomeSocio;
    QString FCodPrazo;
    double FLimiteCredito = 0;
};
