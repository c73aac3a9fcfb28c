#pragma once

#include "Alteracao.h"
#include "AnaliseRegistros.h"
#include "ListaChaves.h"
#include "PaginaCodigo.h"
#include "RegistroAlteracoes.h"
#include "ResultadoAnalise.h"

#include <QString>

#include <functional>
#include <memory>

struct TTipoAnalisado;
class IBarraProgresso;
class IRotulo;

/// Reads the source tables of the kinds asked for, record by record, and lists every problem a run
/// would meet: what would stop it (fatal), what it would change (losses) and what it would keep but
/// the retailer may want to fix (quality). Needs no database and writes nothing: each problem goes to
/// `problemas` as it is found, and the result keeps counts and a few examples only, so memory does not
/// grow with the number of problems.
class TAnaliseOrigem {
public:
    /// `pagina` overrides every table's code page (the command's --pagina-codigo); `problemas` is not
    /// owned and must outlive the analysis.
    TAnaliseOrigem(QString pasta, std::optional<PaginaCodigo> pagina, IRegistroAlteracoes& problemas);

    /// Analyses one kind's table (see TiposAnalisados()); call in the order a run converts the kinds.
    void Analisa(const TTipoAnalisado& tipo);
    /// Analyses the kinds whose keys are listed, in the order a run converts them.
    void Analisa(const QStringList& chaves);

    const TResultadoAnalise& Resultado() const { return m_resultado; }

    /// Where to follow the records (not owned; none by default): the bar and the label as a run moves
    /// them, "Analisando Clientes - Registro 3 de 10", letting the window process its messages.
    void SetProgresso(IBarraProgresso* barra, IRotulo* rotulo) {
        m_barra = barra;
        m_rotulo = rotulo;
    }

private:
    /// Analyses the table's records in runs, on as many threads as the machine has cores, and takes
    /// each run's findings in record order.
    void AnalisaRegistros(const TTipoAnalisado& tipo, std::unique_ptr<TAnalisadorRegistros> primeiro,
                          TAnaliseTabela& analise);
    /// Notes the target key (`coluna`, e.g. "VENDEND.CODVENDEDOR") the rules give a record. Every
    /// record whose key another record has too gets a fatal line naming the other: the first one the
    /// first time a second comes, each later one as it comes.
    /// `verificador` reads an earlier record's key again when its hash is this one's.
    void NotaChave(TAnaliseTabela& analise, const QString& coluna, const TLoteAnalisado::TChave& chave,
                   const QString& campo, const std::function<TAnalisadorRegistros&()>& verificador);
    /// Completes the problem with the table's names, counts it and hands it on.
    void Registra(TAnaliseTabela& analise, TAlteracao problema);

    IRegistroAlteracoes& m_problemas;
    std::optional<PaginaCodigo> m_pagina;
    IBarraProgresso* m_barra = nullptr;
    IRotulo* m_rotulo = nullptr;
    TResultadoAnalise m_resultado;
    /// The keys of the table being analysed, with the first record that had each.
    TListaChaves m_chaves;
};
