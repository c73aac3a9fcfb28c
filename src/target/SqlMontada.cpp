#include "SqlMontada.h"

void TSqlMontada::Reserva(qsizetype bytes, qsizetype valores) {
    m_forma.reserve(static_cast<std::size_t>(bytes));
    m_valores.reserve(static_cast<std::size_t>(valores));
}

TSqlMontada& TSqlMontada::Sql(QLatin1StringView trecho) {
    m_forma.append(trecho.data(), static_cast<std::size_t>(trecho.size()));
    return *this;
}

TSqlMontada& TSqlMontada::Texto(const QString& valor) {
    m_valores.push_back({Valor::Tipo::Texto, valor, static_cast<qsizetype>(m_forma.size())});
    m_forma += '?';
    return *this;
}

TSqlMontada& TSqlMontada::Numero(const QString& literal) {
    m_valores.push_back({Valor::Tipo::Numero, literal, static_cast<qsizetype>(m_forma.size())});
    m_forma += '?';
    return *this;
}

QString TSqlMontada::ComoTexto() const {
    auto tamanho = static_cast<qsizetype>(m_forma.size());
    for (const Valor& v : m_valores) {
        tamanho += v.texto.size() + 2;
    }
    QString r;
    r.reserve(tamanho);
    qsizetype de = 0;
    for (const Valor& v : m_valores) {
        r += QLatin1StringView(m_forma.data() + de, v.posicao - de);
        r += v.tipo == Valor::Tipo::Texto ? AspasSql(v.texto) : v.texto;
        de = v.posicao + 1;
    }
    r += QLatin1StringView(m_forma.data() + de, static_cast<qsizetype>(m_forma.size()) - de);
    return r;
}

QString AspasSql(const QString& texto) {
    const qsizetype aspas = texto.count(QLatin1Char('\''));
    QString r(texto.size() + aspas + 2, Qt::Uninitialized);
    QChar* p = r.data();
    *p++ = QLatin1Char('\'');
    for (const QChar c : texto) {
        *p++ = c;
        if (c == QLatin1Char('\'')) {
            *p++ = c;
        }
    }
    *p = QLatin1Char('\'');
    return r;
}
