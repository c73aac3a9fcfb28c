#pragma once

#include "Alteracao.h"
#include "ObservadorExecucao.h"
#include "PaginaCodigo.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <array>
#include <map>
#include <optional>
#include <utility>
#include <vector>

class TConexaoDestino;

/// Row counts per table, in the order the tables are named.
using TContagens = std::vector<std::pair<QString, qint64>>;

/// What one kind did in a run.
struct TResumoTipo {
    QString chave;          ///< the parameter key, e.g. "CLIENTES"
    QString nome;           ///< as the user reads it, e.g. "Clientes"
    QString tabelaOrigem;   ///< e.g. "TABCLI"
    qint64 lidos = 0;       ///< live source records (for the kind the run failed in: those it reached)
    qint64 excluidos = 0;   ///< deleted source records, skipped by the reader
    TContagens linhas;      ///< rows in each target table the kind writes
    qint64 ignorados = 0;   ///< source records that by rule write no row (groups without description)
    qint64 rejeitados = 0;  ///< source records the database refused and the run went on (sellers)
    TContagens referencias; ///< reference rows created (cities, segments, units)
    /// Changes in the change log, by IndiceAlteracao.
    std::array<qint64, kTiposAlteracao.size()> alteracoes{};
    qint64 alterados = 0; ///< source records with at least one change in the log
    /// Values the ordinary cleaning changed (not logged one by one), by "TABCLI.NOME -> CLIENTE.NOME".
    std::map<QString, qint64> limpeza;
    double segundos = 0;
    bool concluido = false; ///< false for the kind the run failed in

    QString paginaCodigo;  ///< the code page the source table was read in, e.g. "CP850"
    QString escolhaPagina; ///< how that page was chosen: "declarado", ".cpg", "detectado" or "forçado"
    QStringList avisos;    ///< what the reader worked around in the source table, one sentence each
};

/// A whole run: the kinds in the order they ran and the outcome.
struct TResumoExecucao {
    std::vector<TResumoTipo> tipos;
    bool sucesso = false;
    double segundos = 0;
    QString interrupcao; ///< what stopped the run from outside (a signal's name), empty when nothing did
};

/// Collects the summary of a run on the run's own connection: source counts from the tables'
/// headers and deletion flags, target counts with SELECT COUNT(*) after the run's last commit or
/// rollback (each kind empties its tables first, so what a table holds is what the kind wrote),
/// and reference rows as the growth of the reference tables while the kind ran. Each source table's
/// code page, how it was chosen and the reader's warnings come from opening it as the reader does.
class TColetorResumo : public IObservadorExecucao {
public:
    /// `pagina`: the code page the run read every source table in, when one was forced.
    TColetorResumo(TConexaoDestino& conexao, QString pastaOrigem, std::optional<PaginaCodigo> pagina = std::nullopt);

    void InicioExecucao() override;
    void InicioTipo(const QString& chave) override;
    void FimTipo(const QString& chave) override;
    void FalhaTipo(const QString& chave, qint64 registrosAlcancados) override;
    void Alteracao(const TAlteracao& alteracao) override;
    void Limpeza(const TLimpezaComum& limpeza) override;
    QString FimExecucao(bool sucesso) override;

    const TResumoExecucao& Resumo() const { return m_resumo; }
    /// Notes what stopped the run from outside (SIGTERM, ...).
    void SetInterrupcao(const QString& motivo) { m_resumo.interrupcao = motivo; }

private:
    void CompletaTipo(TResumoTipo& tipo);
    TContagens ReferenciasCriadas();
    std::map<QString, qint64> ContaReferencias();
    qint64 ContaLinhas(const QString& tabela);

    TConexaoDestino& m_conexao;
    QString m_pastaOrigem;
    std::optional<PaginaCodigo> m_pagina;
    TResumoExecucao m_resumo;
    QElapsedTimer m_relogioExecucao;
    QElapsedTimer m_relogioTipo;
    std::map<QString, qint64> m_referenciasInicio;
    // The record the last change was about: a record's changes come one after the other.
    QString m_tipoAlterado;
    qint64 m_registroAlterado = -1;
};

/// A kind's changes counted by what happened ("12 cortado na largura, 1 data ilegível"); empty for none.
QString ContagemAlteracoes(const TResumoTipo& tipo);
/// The outcome in words: "conversão concluída", "conversão interrompida por erro (...)".
QString ResultadoResumo(const TResumoExecucao& resumo);
/// The summary as an aligned table, one line per kind and a total line, then the reader's warnings.
QString FormataResumo(const TResumoExecucao& resumo);
/// The summary as JSON (kinds, figures, totals and the outcome).
QJsonObject ResumoJson(const TResumoExecucao& resumo);
