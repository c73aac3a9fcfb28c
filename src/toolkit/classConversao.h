#pragma once

#include "ContextoRegistro.h"
#include "DataHora.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class TConexaoDestino;
class TTransacaoDestino;
class TQueryDestino;

/// The conversion toolkit: transactions, trigger switching, emptying tables, value
/// normalisation, find-or-create lookups in the target's reference tables and the opening
/// stock movement. Used as a plain object by the run and the controllers, and as the base
/// of every record writer. Owns its two queries; borrows the connection.
///
/// Without a connection (a null one) it works on values only: the lookups answer a placeholder
/// code, the same for the same text, and write nothing; anything that would run a statement raises.
class TConversao {
public:
    explicit TConversao(TConexaoDestino* cBanco);
    explicit TConversao(TConexaoDestino& cBanco) : TConversao(&cBanco) {}
    virtual ~TConversao();
    TConversao(const TConversao&) = delete;
    TConversao& operator=(const TConversao&) = delete;

    int QuantRegistro() const { return FQuantRegistro; }
    void SetQuantRegistro(int valor) { FQuantRegistro = valor; }
    int NumRegistroAtual() const { return FNumRegistroAtual; }
    void SetNumRegistroAtual(int valor) { FNumRegistroAtual = valor; }

    // --- Transactions and the database as a whole (classConversao.cpp) ---
    void PIniciaTransacao(TTransacaoDestino& transacao);
    void PConfirmaTransacao(TTransacaoDestino& transacao);
    void PCancelaTransacao(TTransacaoDestino& transacao);
    void DesativaTriggers(TConexaoDestino& dbDestino, TTransacaoDestino& transacao);
    void AtivaTriggers(TConexaoDestino& dbDestino, TTransacaoDestino& transacao);
    /// The nine triggers DesativaTriggers and AtivaTriggers switch, in the order they switch them.
    static QStringList Triggers();
    void PLimpaTabela(const QString& nomeTabela);
    static void PRemoveByteCDX(const QString& nomeArquivo);

    // --- Value normalisation (Normalizacao.cpp): functions of their arguments only ---
    static QString StrZero(const QString& valor, int qtd);
    static QString TiraMascara(const QString& valor);
    static QString FValidaData(QString& data);
    static QString FValidaTelefone(const QString& tel);
    static QString FBarraPonto(const QString& valor);
    static QString FVirgulaPonto(const QString& valor);
    static QString FPontoVirgula(const QString& valor);
    static QString FRemoveCaracter(const QString& valor);
    static QString FRetiraAcento(const QString& valor);
    static QString FRetiraTraco(const QString& valor);
    static QString FSoNumero(const QString& mNumero);
    static QString RemoveDuploEspaco(const QString& s);
    static QString TrataOrdemData(const QString& data);
    static QString FRetornaFJ(const QString& sCNPJ_CPF);
    static int CalculaDiferencaStrings(const QString& str1, const QString& str2);
    static double RetornaSimilaridadeStrings(const QString& str1, const QString& str2, bool ignoreCase);
    /// A CNPJ of the 2026 alphanumeric form: upper-cased, without ".", "/", "-" and blanks,
    /// exactly 14 characters of 0-9/A-Z with at least one letter and valid check digits.
    /// Returns those 14 characters, or an empty text when the value is not such a CNPJ.
    static QString CnpjAlfanumerico(const QString& valor);
    /// A numeric code as people type one: digits, possibly grouped by single ".", "-", "/" or
    /// blanks ("12.345", "12-3"), with blanks around. False for an empty text, letters ("12a") or
    /// separators that group nothing ("--5").
    static bool EhCodigoNumerico(const QString& valor);

    // --- Reference-table resolution (Referencias.cpp), on QAuxiliar ---
    QString FCidade(const QString& cidade, const QString& estado, const QString& codMunicipio);
    QString FSegmento(const QString& segmento);
    QString FUnidade(const QString& vfUnid);
    QString FGrupo(const QString& grupo);
    QString FGrupoComCodigoPredefinido(const QString& codGrupo, const QString& descricao);
    QString FSubGrupoComCodigoPredefinido(const QString& codGrupo, const QString& codSubgrupo,
                                          const QString& descricao);
    QString FAplicacao(const QString& aplicacao, const QString& codProd);
    QString FFabricante(const QString& fabricante);
    QString FFamilia(const QString& familia);
    QString FPais(const QString& pais);
    QString FClasCli(const QString& clasCli);
    QString FLocalProd(const QString& localProd);
    QString FLocProd(const QString& locProd);
    QString FClassificacaoFiscal(const QString& ncm, const QString& nbm);
    QString FRetornaCodClasFis(const QString& clasFis);
    QString FRetornaMaquina(const QString& pNumSerie);

    // --- Opening stock movement (EstoqueMovimento.cpp) ---
    void PGravaEstoqueProduto(TConexaoDestino& banco, const QString& codEmpresa, const QString& codProduto,
                              double estoque, double precoCusto, double precoMedio);

    /// True once PLimpaTabela failed.
    bool ErroGravacao = false;
    /// Kept for the writers' interface; nothing sets or reads it.
    bool Acao = false;

    /// False when built without a connection: values only.
    bool ComBanco() const { return cnBanco != nullptr; }
    /// These raise EConversao when there is no connection.
    TConexaoDestino& Conexao() const;
    TQueryDestino& Destino() const;
    TQueryDestino& Auxiliar() const;

    /// The source record being converted, which changes are recorded against; not owned, may be none.
    void SetContexto(const TContextoRegistro* contexto) { m_contexto = contexto; }
    const TContextoRegistro* Contexto() const { return m_contexto; }

protected:
    /// Records what the rules did to the value a setter stores in `coluna` (see ConfereValor).
    void Confere(const char* coluna, qsizetype tamanho, qsizetype largura, const QString& gravado) const {
        ConfereValor(m_contexto, QLatin1StringView(coluna), tamanho, largura, gravado);
    }
    /// Deletes every row of the table and commits (the run's transaction up to here included);
    /// errors pass on.
    void EsvaziaTabela(const QString& tabela);

    TConexaoDestino* cnBanco;
    std::unique_ptr<TQueryDestino> QDestino;
    std::unique_ptr<TQueryDestino> QAuxiliar;
    /// What FCidade, FSegmento and FUnidade found or wrote in this conversion, by their arguments:
    /// asked again, they answer without going to the database.
    QHash<QString, QString> m_referencias;

private:
    /// Without a connection: the code a lookup answers for a text, numbered per table in the order
    /// the texts first come, as an empty target would number them.
    QString CodigoProvisorio(const char* tabela, const QString& texto, int primeiro, int largura);
    QHash<QString, int> m_provisorios;
    const TContextoRegistro* m_contexto = nullptr;
    int FQuantRegistro = 0;
    int FNumRegistroAtual = 0;
    /// The stock movement's document number (today's date in digits), written again only when the
    /// day or the regional date separator it is written through changes.
    struct TDocumentoDoDia {
        QDate dia;
        QChar separador;
        QString numero;
    } m_documentoDoDia;
};

/// The smallest of three integers (used by the edit distance).
int Min(int a, int b, int c);
