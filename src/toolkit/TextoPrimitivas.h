#pragma once

// The text primitives the normalisation rules and the writers are written in. Positions count
// from 1 as in those rules; the characters are QString's 16-bit codes.

#include <QChar>
#include <QString>

#include <algorithm>

/// Removes every leading and trailing character with a code of 32 or below; inner ones stay.
inline QString Trim(const QString& t) {
    qsizetype inicio = 0;
    qsizetype fim = t.size();
    while (inicio < fim && t.at(inicio).unicode() <= 32) {
        ++inicio;
    }
    while (fim > inicio && t.at(fim - 1).unicode() <= 32) {
        --fim;
    }
    return (inicio == 0 && fim == t.size()) ? t : t.mid(inicio, fim - inicio);
}

/// Upper-cases the 26 ASCII letters only; accented letters stay as they are.
/// A text already in upper case is handed back as it is, without a copy.
inline QString MaiusculasAscii(const QString& t) {
    const auto minuscula = [](QChar c) { return c.unicode() >= u'a' && c.unicode() <= u'z'; };
    const qsizetype primeira = std::find_if(t.cbegin(), t.cend(), minuscula) - t.cbegin();
    if (primeira == t.size()) {
        return t;
    }
    QString r = t;
    for (QChar* c = r.data() + primeira; c != r.data() + r.size(); ++c) {
        if (minuscula(*c)) {
            *c = QChar(c->unicode() - (u'a' - u'A'));
        }
    }
    return r;
}

/// Lower-cases the 26 ASCII letters only.
inline QString MinusculasAscii(const QString& t) {
    const auto maiuscula = [](QChar c) { return c.unicode() >= u'A' && c.unicode() <= u'Z'; };
    const qsizetype primeira = std::find_if(t.cbegin(), t.cend(), maiuscula) - t.cbegin();
    if (primeira == t.size()) {
        return t;
    }
    QString r = t;
    for (QChar* c = r.data() + primeira; c != r.data() + r.size(); ++c) {
        if (maiuscula(*c)) {
            *c = QChar(c->unicode() + (u'a' - u'A'));
        }
    }
    return r;
}

/// copy(t, inicio, qtd): at most qtd characters from the 1-based position inicio on. A start
/// below 1 counts as 1 without reducing qtd; a start beyond the end or qtd <= 0 gives "".
inline QString Copia(const QString& t, qsizetype inicio, qsizetype qtd) {
    if (inicio < 1) {
        inicio = 1;
    }
    if (qtd <= 0 || inicio > t.size()) {
        return QString();
    }
    const qsizetype resto = t.size() - (inicio - 1);
    return t.mid(inicio - 1, std::min(qtd, resto));
}

/// 1-based position of the first occurrence of x in t; 0 when there is none (or x is empty).
inline qsizetype Posicao(const QString& x, const QString& t) {
    if (x.isEmpty()) {
        return 0;
    }
    return t.indexOf(x) + 1;
}

inline qsizetype Posicao(QChar x, const QString& t) {
    return t.indexOf(x) + 1;
}

/// Replaces every occurrence of one character by another in one pass.
inline QString SubstituiTodos(const QString& t, QChar de, QChar para) {
    QString r = t;
    r.replace(de, para);
    return r;
}
