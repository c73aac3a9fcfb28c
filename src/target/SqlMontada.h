#pragma once

#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>

#include <string>
#include <vector>

/// A statement text put together from pieces of SQL and literal values, the way the writers
/// build their inserts. ComoTexto() is the statement exactly as written, each value as its literal;
/// the target layer binds the values to a statement prepared once for the pieces instead, so a
/// row's values are never written into a text only to be read out of it again.
///
/// Values belong where a bound value acts exactly like its literal: the items of a VALUES list.
class TSqlMontada {
public:
    struct Valor {
        enum class Tipo : unsigned char { Texto, Numero };
        Tipo tipo;
        /// Texto: the value itself. Numero: the literal as written ("12.5", "-3", "1E20").
        QString texto;
        qsizetype posicao; ///< of its '?' in Forma()
    };

    /// Room for about this many bytes of pieces and this many values, so that building the
    /// statement does not grow its buffers on the way.
    void Reserva(qsizetype bytes, qsizetype valores);

    /// SQL written as it stands: keywords, names, punctuation, constant literals. Pieces
    /// holding '?', ':' or anything outside ASCII make the statement run as its text.
    TSqlMontada& Sql(QLatin1StringView trecho);
    /// A text value, written between single quotes with each inner single quote doubled.
    TSqlMontada& Texto(const QString& valor);
    /// A numeric value, written as the literal given.
    TSqlMontada& Numero(const QString& literal);

    /// The statement as written.
    QString ComoTexto() const;

    /// The pieces with '?' where each value goes.
    QByteArrayView Forma() const { return QByteArrayView(m_forma.data(), static_cast<qsizetype>(m_forma.size())); }
    const std::vector<Valor>& Valores() const { return m_valores; }

private:
    std::string m_forma; // appended to piece by piece: std::string's append is the cheap one
    std::vector<Valor> m_valores;
};

/// A text as a SQL literal: between single quotes, every inner single quote doubled.
QString AspasSql(const QString& texto);
