#pragma once
// Internal to the target layer: a statement text as analysed and, once run, as prepared by the
// engine, with the layout of its input and output messages. The queries of one connection that
// run the same text share it through the connection's cache.

#include "ConversaoParametro.h"
#include "FbApi.h"
#include "LexicoSql.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

/// A column of a result set and where the output message holds it.
struct TColunaResultado : TDescritorCampo {
    QString nome;
};

struct TInstrucaoPreparada {
    // What the text says, known without the engine.
    QString sql;
    QByteArray textoMotor; ///< CP1252, :NAME replaced by '?'
    QStringList nomes;     ///< each parameter once, in order of first appearance; "" for a bare '?'
    std::vector<std::size_t> parametroDaPosicao; ///< per '?': index into nomes
    QStringList nomeDaPosicao; ///< per '?': the name its errors give (a bare '?' by its position, from 1)
    ComandoTransacao comando = ComandoTransacao::Nenhum;
    bool vazia = true; ///< nothing but blanks
    /// A statement on rows (INSERT, UPDATE, DELETE, SELECT): kept prepared between runs. Anything
    /// else (DDL above all) is prepared for its text alone and makes the connection drop the
    /// statements it keeps, which may have been compiled against what the DDL changed.
    bool reutilizavel = false;

    // What the engine made of it; empty until prepared.
    fbapi::Ref<Firebird::IStatement> instrucao;
    bool temCursor = false;
    fbapi::Ref<Firebird::IMessageMetadata> entrada;
    std::vector<TDescritorCampo> parametros;
    std::vector<unsigned char> bufEntrada;
    fbapi::Ref<Firebird::IMessageMetadata> saida;
    std::vector<TColunaResultado> colunas;
    QHash<QString, int> indiceColuna; ///< upper-cased alias -> column (the first of equal aliases)
    std::vector<unsigned char> bufSaida;
    quint64 geracao = 0; ///< of the connection's cache when prepared
    /// The query whose result (an open cursor or a single row) lives in bufSaida; no other query
    /// may run the statement meanwhile.
    const void* emUso = nullptr;

    /// The analysis of a text, not prepared.
    static std::shared_ptr<TInstrucaoPreparada> Analisa(const QString& sql);
    /// The same text, analysed but not prepared (for a query that cannot share this one).
    std::shared_ptr<TInstrucaoPreparada> CopiaAnalise() const;
    /// Prepares the text in the dialect; raises EBancoDestino with the engine's text.
    void Prepara(Firebird::IAttachment* anexo, Firebird::ITransaction* transacao, int dialeto, quint64 geracaoCache);
};
