#pragma once
// A writer's row described once: each target column with where its value comes from and its
// type. The insert and the updates are emitted from that description, with a named parameter for
// every value (named after its column) and the values bound in their type, never quoted into the
// text.

#include "DataHora.h"
#include "TQueryDestino.h"
#include "ValorParametro.h"

#include <QString>

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

/// A date as the text dd.mm.yyyy (day.month.four-digit year), the form the target reads a date
/// text in whatever the regional settings.
QString TextoData(TDateTime valor);

/// A statement for one record: its text and its values, in the order its parameters first appear.
struct TLinhaMontada {
    QString sql;
    std::vector<TValorParametro> valores;
};

/// The statements a column takes part in.
enum TUsoColuna : unsigned {
    kInsercao = 1u,
    kAtualizacao = 2u,
    kAtualizacaoPreco = 4u,
    kChave = 8u, ///< the column the updates find the row by
    kInsercaoEAtualizacao = kInsercao | kAtualizacao,
};

/// What a column whose value is absent does.
enum class TAusencia : unsigned char {
    Nula,         ///< absent: left out of the insert (the table's default applies), NULL in an update
    SoNaInsercao, ///< absent: left out of the insert, written as it is in an update
};

/// One column of a row. Either `valor` gives its value from the record, or `constante` is the SQL
/// written in its place (dialect 1: "N" is a text).
template <typename R> struct TColunaLinha {
    /// As the statements write it ("cliente.codCliente"); its parameter is named after the part after the point.
    const char* nome;
    TValorParametro (*valor)(const R&) = nullptr;
    const char* constante = nullptr;
    unsigned usos = kInsercaoEAtualizacao;
    bool (*presente)(const R&) = nullptr; ///< null: always present
    TAusencia ausencia = TAusencia::Nula;
};

namespace linha {

template <typename> struct Membro;
template <typename C, typename M> struct Membro<M C::*> { using Classe = C; };
template <auto Campo> using ClasseDe = typename Membro<decltype(Campo)>::Classe;

/// A text field, bound as text.
template <auto Campo>
constexpr TColunaLinha<ClasseDe<Campo>> Texto(const char* nome, unsigned usos = kInsercaoEAtualizacao) {
    return {nome, [](const ClasseDe<Campo>& r) { return TValorParametro::Texto(r.*Campo); }, nullptr, usos};
}

/// A real field, bound as the general float text writes it.
template <auto Campo>
constexpr TColunaLinha<ClasseDe<Campo>> Real(const char* nome, unsigned usos = kInsercaoEAtualizacao) {
    return {nome, [](const ClasseDe<Campo>& r) { return TValorParametro::Real(r.*Campo); }, nullptr, usos};
}

/// An integer field.
template <auto Campo>
constexpr TColunaLinha<ClasseDe<Campo>> Inteiro(const char* nome, unsigned usos = kInsercaoEAtualizacao) {
    return {nome, [](const ClasseDe<Campo>& r) { return TValorParametro::Inteiro(r.*Campo); }, nullptr, usos};
}

/// A date text field (day.month.year), present when not empty; the column reads it as a date.
template <auto Campo>
constexpr TColunaLinha<ClasseDe<Campo>> DataTexto(const char* nome, unsigned usos = kInsercaoEAtualizacao) {
    return {nome, [](const ClasseDe<Campo>& r) { return TValorParametro::Texto(r.*Campo); }, nullptr, usos,
            [](const ClasseDe<Campo>& r) { return !(r.*Campo).isEmpty(); }};
}

/// A TDateTime field, bound as its day.month.year text reads.
template <auto Campo>
constexpr TColunaLinha<ClasseDe<Campo>> Data(const char* nome, bool (*presente)(const ClasseDe<Campo>&) = nullptr,
                                             TAusencia ausencia = TAusencia::Nula,
                                             unsigned usos = kInsercaoEAtualizacao) {
    return {nome,     [](const ClasseDe<Campo>& r) { return TValorParametro::Texto(TextoData(r.*Campo)); },
            nullptr,  usos,
            presente, ausencia};
}

/// SQL written in the text in the column's place.
template <typename R>
constexpr TColunaLinha<R> Constante(const char* nome, const char* sql, unsigned usos = kInsercaoEAtualizacao) {
    return {nome, nullptr, sql, usos};
}

/// The parts of the statements that depend on the names only, each set of present columns
/// written once (see TDescricaoLinha).
class TTextos {
public:
    struct Coluna {
        const char* nome;
        const char* constante;
        unsigned usos;
        bool opcional;
    };
    TTextos(const char* tabela, std::vector<Coluna> colunas) : m_tabela(tabela), m_colunas(std::move(colunas)) {}
    /// The insert of the columns present (bit i of `presentes` for the i-th optional column), or
    /// the update of every column of `uso` (kAtualizacao, kAtualizacaoPreco) found by the key.
    const QString& Texto(unsigned uso, std::uint64_t presentes);

private:
    QString Escreve(unsigned uso, std::uint64_t presentes) const;

    const char* m_tabela;
    std::vector<Coluna> m_colunas;
    struct Escrito {
        unsigned uso;
        std::uint64_t presentes;
        QString sql;
    };
    std::vector<Escrito> m_textos;
};

} // namespace linha

/// A writer's row: the columns of its table in statement order. Keeps the text of every kind of
/// statement and set of present columns it has written, so each is put together once.
template <typename R> class TDescricaoLinha {
public:
    TDescricaoLinha(const char* tabela, std::span<const TColunaLinha<R>> colunas)
        : m_colunas(colunas), m_textos(tabela, Textos(colunas)) {}

    /// Runs the insert of the record on the query; an absent optional column is left out.
    void Insere(TQueryDestino& q, const R& r) { Vincula(q, r, kInsercao); }
    /// Runs the update (kAtualizacao or kAtualizacaoPreco) of the row with the record's key.
    void Atualiza(TQueryDestino& q, const R& r, unsigned uso = kAtualizacao) { Vincula(q, r, uso); }

    /// The statement as a text and its values, without running it (what the tests read).
    TLinhaMontada Monta(const R& r, unsigned uso) {
        TLinhaMontada linha;
        linha.sql = m_textos.Texto(uso, Presentes(r));
        Percorre(r, uso, [&linha](TValorParametro&& v) { linha.valores.push_back(std::move(v)); });
        return linha;
    }

private:
    void Vincula(TQueryDestino& q, const R& r, unsigned uso) {
        q.SetSQL(m_textos.Texto(uso, Presentes(r)));
        qsizetype i = 0;
        Percorre(r, uso, [&q, &i](TValorParametro&& v) { q.SetParametro(i++, std::move(v)); });
        q.Executa();
    }

    // Hands over the values in parameter order: the columns of the statement, then the key.
    template <typename Recebe> void Percorre(const R& r, unsigned uso, Recebe recebe) const {
        const bool insercao = uso == kInsercao;
        for (const TColunaLinha<R>& c : m_colunas) {
            if ((c.usos & uso) == 0 || c.valor == nullptr) {
                continue;
            }
            const bool presente = c.presente == nullptr || c.presente(r);
            if (presente || (!insercao && c.ausencia == TAusencia::SoNaInsercao)) {
                recebe(c.valor(r));
            } else if (!insercao) {
                recebe(TValorParametro::Nulo());
            }
        }
        if (!insercao) {
            for (const TColunaLinha<R>& c : m_colunas) {
                if ((c.usos & kChave) != 0) {
                    recebe(c.valor(r));
                }
            }
        }
    }

    // Which optional columns the record fills; the update names them all whatever the record.
    std::uint64_t Presentes(const R& r) const {
        std::uint64_t bits = 0;
        unsigned i = 0;
        for (const TColunaLinha<R>& c : m_colunas) {
            if (c.presente != nullptr) {
                bits |= c.presente(r) ? std::uint64_t{1} << i : 0;
                ++i;
            }
        }
        return bits;
    }

    static std::vector<linha::TTextos::Coluna> Textos(std::span<const TColunaLinha<R>> colunas) {
        std::vector<linha::TTextos::Coluna> r;
        for (const TColunaLinha<R>& c : colunas) {
            r.push_back({c.nome, c.constante, c.usos, c.presente != nullptr});
        }
        return r;
    }

    std::span<const TColunaLinha<R>> m_colunas;
    linha::TTextos m_textos;
};
