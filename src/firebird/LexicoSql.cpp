#include "LexicoSql.h"

#include <QRegularExpression>

namespace {

bool InicioNome(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
}
bool ParteNome(QChar c) {
    return InicioNome(c) || (c >= u'0' && c <= u'9') || c == u'$';
}

/// Length of the literal or comment starting at i, or 0 when none starts there.
qsizetype SaltaLiteralOuComentario(const QString& s, qsizetype i) {
    const qsizetype n = s.size();
    const QChar c = s.at(i);
    if (c == u'\'' || c == u'"') {
        qsizetype j = i + 1;
        while (j < n) {
            if (s.at(j) == c) {
                if (j + 1 < n && s.at(j + 1) == c) {
                    j += 2; // doubled quote inside the literal
                    continue;
                }
                return j + 1 - i;
            }
            ++j;
        }
        return n - i; // unterminated: the engine will say so
    }
    if (c == u'-' && i + 1 < n && s.at(i + 1) == u'-') {
        const qsizetype fim = s.indexOf(u'\n', i);
        return (fim < 0 ? n : fim + 1) - i;
    }
    if (c == u'/' && i + 1 < n && s.at(i + 1) == u'*') {
        const qsizetype fim = s.indexOf(QLatin1String("*/"), i + 2);
        return (fim < 0 ? n : fim + 2) - i;
    }
    return 0;
}

bool Comentario(const QString& s, qsizetype i) {
    const QChar c = s.at(i);
    return i + 1 < s.size() && ((c == u'-' && s.at(i + 1) == u'-') || (c == u'/' && s.at(i + 1) == u'*'));
}

/// The words of the text outside comments, upper-cased; literals count as one word "'".
QStringList Palavras(const QString& s, int maximo) {
    QStringList r;
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n && r.size() < maximo) {
        const qsizetype salto = SaltaLiteralOuComentario(s, i);
        if (salto > 0) {
            if (!Comentario(s, i)) {
                r << QStringLiteral("'");
            }
            i += salto;
        } else if (ParteNome(s.at(i))) {
            qsizetype j = i;
            while (j < n && ParteNome(s.at(j))) {
                ++j;
            }
            r << s.mid(i, j - i).toUpper();
            i = j;
        } else if (s.at(i).isSpace()) {
            ++i;
        } else {
            r << QString(s.at(i));
            ++i;
        }
    }
    return r;
}

bool SemParametros(const QString& sql) {
    const QStringList p = Palavras(sql, 2);
    if (p.isEmpty()) {
        return true;
    }
    static const QStringList kDdl = {
        QStringLiteral("CREATE"), QStringLiteral("ALTER"),   QStringLiteral("RECREATE"),
        QStringLiteral("DROP"),   QStringLiteral("DECLARE"), QStringLiteral("COMMENT"),
        QStringLiteral("GRANT"),  QStringLiteral("REVOKE"),  QStringLiteral("SET"),
    };
    if (kDdl.contains(p.at(0))) {
        return true;
    }
    return p.size() == 2 && p.at(0) == QLatin1String("EXECUTE") && p.at(1) == QLatin1String("BLOCK");
}

bool SoComentarios(const QString& s) {
    qsizetype i = 0;
    while (i < s.size()) {
        if (s.at(i).isSpace()) {
            ++i;
        } else if (Comentario(s, i)) {
            i += SaltaLiteralOuComentario(s, i);
        } else {
            return false;
        }
    }
    return true;
}

QString SemComentarios(const QString& s) {
    QString r;
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype salto = SaltaLiteralOuComentario(s, i);
        if (salto > 0) {
            if (!Comentario(s, i)) {
                r += QStringView(s).mid(i, salto);
            } else {
                r += u' ';
            }
            i += salto;
        } else {
            r += s.at(i++);
        }
    }
    return r;
}

} // namespace

SqlAnalisada AnalisaSql(const QString& sql) {
    SqlAnalisada r;
    // Most texts hold no parameter mark at all: nothing to replace.
    if ((!sql.contains(u':') && !sql.contains(u'?')) || SemParametros(sql)) {
        r.texto = sql;
        return r;
    }
    r.texto.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype copiado = 0; // text before this position is already in r.texto
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == u'\'' || c == u'"' || c == u'-' || c == u'/') {
            const qsizetype salto = SaltaLiteralOuComentario(sql, i);
            if (salto > 0) {
                i += salto;
                continue;
            }
        } else if (c == u'?') {
            r.parametros << QString();
        } else if (c == u':' && i + 1 < n && InicioNome(sql.at(i + 1))) {
            qsizetype j = i + 1;
            while (j < n && ParteNome(sql.at(j))) {
                ++j;
            }
            r.texto += QStringView(sql).mid(copiado, i - copiado);
            r.parametros << sql.mid(i + 1, j - i - 1).toUpper();
            r.texto += u'?';
            i = j;
            copiado = j;
            continue;
        }
        ++i;
    }
    if (copiado == 0) {
        r.texto = sql;
    } else {
        r.texto += QStringView(sql).mid(copiado);
    }
    return r;
}

QString PrimeiraPalavra(const QString& sql) {
    const QStringList p = Palavras(sql, 1);
    return p.isEmpty() ? QString() : p.first();
}

ComandoTransacao ReconheceComandoTransacao(const QString& sql) {
    QStringList p = Palavras(sql, 8);
    while (!p.isEmpty() && p.last() == QLatin1String(";")) {
        p.removeLast();
    }
    if (p.isEmpty() || p.size() > 4) {
        return ComandoTransacao::Nenhum;
    }
    const bool confirma = p.at(0) == QLatin1String("COMMIT");
    if (!confirma && p.at(0) != QLatin1String("ROLLBACK")) {
        return ComandoTransacao::Nenhum;
    }
    qsizetype k = 1;
    if (k < p.size() && p.at(k) == QLatin1String("WORK")) {
        ++k;
    }
    bool retem = false;
    if (k < p.size() && p.at(k) == QLatin1String("RETAIN")) {
        retem = true;
        ++k;
        if (k < p.size() && p.at(k) == QLatin1String("SNAPSHOT")) {
            ++k;
        }
    }
    if (k != p.size()) {
        return ComandoTransacao::Nenhum; // e.g. ROLLBACK TO SAVEPOINT x: the engine's business
    }
    if (confirma) {
        return retem ? ComandoTransacao::ConfirmaRetendo : ComandoTransacao::Confirma;
    }
    return retem ? ComandoTransacao::CancelaRetendo : ComandoTransacao::Cancela;
}

QStringList DivideScript(const QString& script) {
    static const QRegularExpression kSetTerm(QStringLiteral(R"(^\s*SET\s+TERM\s+(\S+)\s*$)"),
                                             QRegularExpression::CaseInsensitiveOption);
    QStringList r;
    QString terminador = QStringLiteral(";");
    qsizetype inicio = 0;
    qsizetype i = 0;
    const qsizetype n = script.size();
    auto fecha = [&](qsizetype fim) {
        const QString instrucao = script.mid(inicio, fim - inicio);
        const QRegularExpressionMatch m = kSetTerm.match(SemComentarios(instrucao));
        if (m.hasMatch()) {
            terminador = m.captured(1);
        } else if (!SoComentarios(instrucao)) {
            r << instrucao.trimmed();
        }
    };
    while (i < n) {
        const qsizetype salto = SaltaLiteralOuComentario(script, i);
        if (salto > 0) {
            i += salto;
        } else if (QStringView(script).mid(i).startsWith(terminador)) {
            fecha(i);
            i += terminador.size();
            inicio = i;
        } else {
            ++i;
        }
    }
    fecha(n);
    return r;
}
