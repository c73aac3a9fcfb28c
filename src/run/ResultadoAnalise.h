#pragma once

#include "Alteracao.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

/// How many problems of one class and one kind a table has.
struct TContagemProblema {
    ClasseProblema classe = ClasseProblema::Fatal;
    TipoAlteracao oQue = TipoAlteracao::Cortado;
    qint64 quantidade = 0;
};

/// The losses of one field of one kind, with the first few of them as examples.
struct TPerdaCampo {
    QString campo;
    QString coluna;
    TipoAlteracao oQue = TipoAlteracao::Cortado;
    qint64 quantidade = 0;
    std::vector<TAlteracao> exemplos;
};

/// One source table as the analysis saw it.
struct TAnaliseTabela {
    QString chave;     ///< the kind's key, e.g. "CLIENTES"
    QString nome;      ///< e.g. "Clientes"
    QString tabela;    ///< e.g. "TABCLI"
    bool lida = false; ///< false when the table could not be opened
    qint64 registros = 0;
    qint64 excluidos = 0;
    QString paginaCodigo;                     ///< e.g. "CP850"
    QString escolhaPagina;                    ///< "declarado", ".cpg", "detectado" or "forçado"
    QStringList avisos;                       ///< what the reader worked around, one sentence each
    std::array<qint64, 3> porClasse{};        ///< by ClasseProblema
    std::vector<TContagemProblema> problemas; ///< in the order each first appeared
    std::vector<TPerdaCampo> perdas;          ///< in the order each first appeared

    qint64 Quantidade(ClasseProblema classe) const { return porClasse[static_cast<std::size_t>(classe)]; }
};

/// What an analysis of a source folder found, table by table in the order a run converts them.
struct TResultadoAnalise {
    QString pasta;
    std::vector<TAnaliseTabela> tabelas;

    qint64 Quantidade(ClasseProblema classe) const;
    /// True when a run would stop or lose a record.
    bool Fatal() const { return Quantidade(ClasseProblema::Fatal) > 0; }
};

inline constexpr std::array<ClasseProblema, 3> kClassesProblema = {ClasseProblema::Fatal, ClasseProblema::Perda,
                                                                   ClasseProblema::Qualidade};
/// How many examples of each field's losses are kept.
inline constexpr std::size_t kExemplosPerda = 3;

/// The analysis as a person reads it on a terminal: the tables' facts, one line per table and class
/// with what was found, the losses per field with their first examples, and the outcome.
QString FormataAnalise(const TResultadoAnalise& resultado);
/// The outcome in one sentence.
QString ConclusaoAnalise(const TResultadoAnalise& resultado);
/// The same for scripts.
QJsonObject AnaliseJson(const TResultadoAnalise& resultado);
/// True for an object of the shape AnaliseJson() writes.
bool EhAnaliseJson(const QJsonObject& json);
