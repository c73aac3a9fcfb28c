#pragma once

#include "Alteracao.h"
#include "RegistroAlteracoes.h"
#include "ResultadoAnalise.h"

#include <QString>

struct TTipoAnalisado;
class TTabelaDbf;

/// Reads the source tables of the kinds asked for, record by record, and lists every problem a run
/// would meet: what would stop it (fatal), what it would change (losses) and what it would keep but
/// the retailer may want to fix (quality). Needs no database and writes nothing: each problem goes to
/// `problemas` as it is found, and the result keeps counts and a few examples only, so memory does not
/// grow with the number of problems.
class TAnaliseOrigem {
public:
    /// `problemas` is not owned and must outlive the analysis.
    TAnaliseOrigem(QString pasta, IRegistroAlteracoes& problemas);

    /// Analyses one kind's table (see TiposAnalisados()); call in the order a run converts the kinds.
    void Analisa(const TTipoAnalisado& tipo);
    /// Analyses the kinds whose keys are listed, in the order a run converts them.
    void Analisa(const QStringList& chaves);

    const TResultadoAnalise& Resultado() const { return m_resultado; }

private:
    void AnalisaRegistros(const TTipoAnalisado& tipo, TTabelaDbf& tabela, TAnaliseTabela& analise);
    /// Completes the problem with the table's names and its class, counts it and hands it on.
    void Registra(TAnaliseTabela& analise, TAlteracao problema, ClasseProblema classe);

    IRegistroAlteracoes& m_problemas;
    TResultadoAnalise m_resultado;
};
