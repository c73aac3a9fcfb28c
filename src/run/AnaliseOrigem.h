#pragma once

#include "Alteracao.h"
#include "PaginaCodigo.h"
#include "RegistroAlteracoes.h"
#include "ResultadoAnalise.h"

#include <QString>

#include <string>
#include <unordered_map>

struct TMapeamentoAnalise;
struct TTipoAnalisado;
class TQueryOrigem;
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

    /// Where the writers record what they change in a record of the table being analysed: each change is
    /// a loss of that table.
    IRegistroAlteracoes& Perdas() { return m_perdas; }

    /// Notes the target key (`coluna`, e.g. "VENDEND.CODVENDEDOR") the rules give a record of the table
    /// being analysed. Every record whose key another record has too gets a fatal line naming the other:
    /// the first one the first time a second comes, each later one as it comes.
    void NotaChave(const QString& coluna, const QString& chave, qint64 registro, const QString& codigo,
                   const QString& campo);

private:
    class TPerdas final : public IRegistroAlteracoes {
    public:
        explicit TPerdas(TAnaliseOrigem& analise) : m_analise(analise) {}
        void Registra(const TAlteracao& alteracao) override;

    private:
        TAnaliseOrigem& m_analise;
    };

    /// Kept for every distinct key, so it is kept small: the code as UTF-8 fits in place when short.
    struct TPrimeiraChave {
        qint64 registro = 0;
        std::string codigo;
        bool repetida = false;
    };

    void AnalisaRegistros(const TTipoAnalisado& tipo, TQueryOrigem& qry, TAnaliseTabela& analise);
    /// Step (a) of the run on the current record: what it refuses, not yet recorded, or nothing when it
    /// takes the record; then `chave` holds the key its writers give the record, if it writes a row.
    std::optional<TAlteracao> PreencheRegistro(TMapeamentoAnalise& mapeamento, const TQueryOrigem& qry, qint64 registro,
                                               const QString& codigo, std::optional<QString>& chave);
    /// Completes the problem with the table's names and its class, counts it and hands it on.
    void Registra(TAnaliseTabela& analise, TAlteracao problema, ClasseProblema classe);

    IRegistroAlteracoes& m_problemas;
    std::optional<PaginaCodigo> m_pagina;
    IBarraProgresso* m_barra = nullptr;
    IRotulo* m_rotulo = nullptr;
    TResultadoAnalise m_resultado;
    TPerdas m_perdas{*this};
    /// The keys of the table being analysed (UTF-8), with the first record that had each. What grows
    /// with the table: about a hundred bytes a key.
    std::unordered_map<std::string, TPrimeiraChave> m_chaves;
};
