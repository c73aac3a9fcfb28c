#pragma once

#include "Alteracao.h"
#include "LacoConversao.h"
#include "MapeamentoAnalise.h"
#include "PaginaCodigo.h"
#include "RegistroAlteracoes.h"
#include "TQueryOrigem.h"

#include <optional>
#include <cstdint>
#include <vector>

struct TTipoAnalisado;
class TTabelaDbf;

/// The reason in a reader's message, without the table, record, field and folder it names first (the
/// analysis has columns of its own for those).
QString MotivoDoLeitor(const QString& mensagem, const QString& pasta);

/// What the records of one run of a table gave, each thing tagged with the record's place in the run
/// (0 for the first live record read), in the order found.
struct TLoteAnalisado {
    /// A problem of a record; `classe` is set, the kind and the table are left for the caller.
    struct TProblema {
        qint64 ordem = 0;
        TAlteracao alteracao;
    };
    /// The target key the writers give a record that writes a row, its hash, and the record's code.
    struct TChave {
        qint64 ordem = 0;
        qint64 registro = 0;
        std::uint64_t hash = 0;
        QString chave;
        QString codigo;
    };
    qint64 registros = 0; ///< live records read
    std::vector<TProblema> problemas;
    std::vector<TChave> chaves;
};

/// Reads one kind's table with a cursor and a mapping of its own and finds, record by record, what a
/// run would refuse or change in it and what it would keep but looks wrong, and the key each record
/// gets. Works on a run of record numbers at a time, so that several of these can share a table out
/// on several threads.
class TAnalisadorRegistros {
public:
    /// Opens the kind's table; raises EConversao as the reader does when it cannot.
    TAnalisadorRegistros(const TTipoAnalisado& tipo, const QString& pasta, std::optional<PaginaCodigo> pagina);
    TAnalisadorRegistros(const TAnalisadorRegistros&) = delete;
    TAnalisadorRegistros& operator=(const TAnalisadorRegistros&) = delete;

    /// The table this analyser reads, as opened.
    const TTabelaDbf& Tabela() const { return *m_qry.Tabela(); }
    /// The target column holding the kind's key, e.g. "CLIENTE.CODCLIENTE"; empty for an unknown kind.
    const QString& ColunaChave() const { return m_mapeamento.colunaChave; }

    /// A record's target key and its code as read.
    struct TChaveRegistro {
        QString chave;
        QString codigo;
    };
    /// The key the writers give record `registro` (a file number) and its code; nothing when the record
    /// is not a live one, or writes no row. What the writers change on the way was said when the record
    /// was analysed, and is not said again.
    std::optional<TChaveRegistro> ChaveDoRegistro(qint64 registro);

    /// The live records numbered `primeiro` to `ultimo` (numbers as the file counts them, from 1). The
    /// table's first live record also says each field the kind reads and the table lacks.
    TLoteAnalisado Analisa(qint64 primeiro, qint64 ultimo);

private:
    /// Keeps what the writers change in the record being read as a loss of the lot.
    class TPerdas final : public IRegistroAlteracoes {
    public:
        explicit TPerdas(TAnalisadorRegistros& analisador) : m_analisador(analisador) {}
        void Registra(const TAlteracao& alteracao) override;

    private:
        TAnalisadorRegistros& m_analisador;
    };

    void AnalisaRegistro();
    QString CodigoAtual() const;
    /// Step (a) of the run on the current record: what it refuses, or nothing when it takes the record;
    /// then `chave` holds the key its writers give the record, if it writes a row.
    std::optional<TAlteracao> Preenche(const QString& codigo, std::optional<QString>& chave);
    void Anota(TAlteracao problema, ClasseProblema classe);

    const TTipoAnalisado& m_tipo;
    TQueryOrigem m_qry;
    TMapeamentoAnalise m_mapeamento;
    TPerdas m_perdas{*this};
    std::vector<int> m_indices; ///< each field the kind reads, by its position in the table (-1: lacking)
    int m_indiceCodigo = -1;
    bool m_faltaCampo = false;
    qint64 m_primeiroVivo = 0; ///< the first live record's number, 0 when the table has none
    TLoteAnalisado m_lote;
    qint64 m_fatais = 0; ///< fatal problems of the record being read
};
