#pragma once

#include <QHash>
#include <QString>

#include <cstddef>
#include <memory>
#include <unordered_map>

struct TInstrucaoPreparada;

/// The statements one connection keeps prepared, by the text the caller gave, so that a text run
/// again is neither analysed nor prepared again. Bounded: the least recently used statement
/// leaves when a new one comes and the cache is full (whoever still holds it keeps it). Dropped as
/// a whole after DDL; a statement prepared before that is stale (see Geracao()). Owned by the
/// connection, which empties it before it detaches.
class TCacheInstrucoes {
public:
    explicit TCacheInstrucoes(std::size_t maximo = 64) : m_maximo(maximo) {}

    /// The statement kept for the text, or null.
    std::shared_ptr<TInstrucaoPreparada> Busca(const QString& sql);
    /// Keeps a prepared statement under its text.
    void Guarda(const std::shared_ptr<TInstrucaoPreparada>& instrucao);
    /// Forgets every statement and starts a new generation.
    void Descarta();
    /// Changes each time the statements are dropped: a statement prepared in an older generation
    /// must be prepared again.
    quint64 Geracao() const { return m_geracao; }

private:
    struct Guardada {
        std::shared_ptr<TInstrucaoPreparada> instrucao;
        quint64 uso = 0;
    };
    // A writer's statements are a few kilobytes long and come in a few variants (the columns a
    // record fills): their length and ends spread them well enough, and texts of equal hashes
    // are told apart by comparing them whole.
    struct Hash {
        std::size_t operator()(const QString& texto) const noexcept {
            constexpr qsizetype kPonta = 64;
            const QStringView v(texto);
            return v.size() <= 2 * kPonta ? qHash(v) : qHash(v.first(kPonta)) ^ qHash(v.last(kPonta)) ^ qHash(v.size());
        }
    };
    std::unordered_map<QString, Guardada, Hash> m_guardadas;
    std::size_t m_maximo;
    quint64 m_relogio = 0;
    quint64 m_geracao = 0;
};
