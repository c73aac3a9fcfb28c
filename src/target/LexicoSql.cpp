#include "LexicoSql.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>

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
    // Most texts hold no colon at all: nothing to replace.
    if (!sql.contains(u':') || SemParametros(sql)) {
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
    // Most texts are not one: their first word does not start with C or R.
    qsizetype i = 0;
    while (i < sql.size() && (sql.at(i).isSpace() || Comentario(sql, i))) {
        i += sql.at(i).isSpace() ? 1 : SaltaLiteralOuComentario(sql, i);
    }
    if (i >= sql.size() || (sql.at(i).toUpper() != u'C' && sql.at(i).toUpper() != u'R')) {
        return ComandoTransacao::Nenhum;
    }
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

// ---- lifting literals ---------------------------------------------------------------------

namespace {

enum class TipoToken : std::uint8_t { Nome, Texto, Numero, NumeroOutro, Simbolo };

struct Token {
    Token() {} // left unset: the tokenizer sizes its buffer first and fills it
    Token(qsizetype i, qsizetype f, TipoToken t, bool dobradas = false)
        : inicio(i), fim(f), tipo(t), aspasDobradas(dobradas) {}
    qsizetype inicio;
    qsizetype fim; // one past the last byte
    TipoToken tipo;
    bool aspasDobradas; // a string holding a doubled quote
};

// Byte classes for the tokenizer.
enum : std::uint8_t { kEspaco = 1, kLetra = 2, kDigito = 4, kCifrao = 8 };

constexpr std::array<std::uint8_t, 256> kClasses = [] {
    std::array<std::uint8_t, 256> t{};
    for (const char c : {' ', '\t', '\n', '\r', '\f', '\v'}) {
        t[static_cast<unsigned char>(c)] = kEspaco;
    }
    for (int c = 'A'; c <= 'Z'; ++c) {
        t[static_cast<std::size_t>(c)] = kLetra;
        t[static_cast<std::size_t>(c + 32)] = kLetra;
    }
    t['_'] = kLetra;
    for (int c = '0'; c <= '9'; ++c) {
        t[static_cast<std::size_t>(c)] = kDigito;
    }
    t['$'] = kCifrao;
    return t;
}();

std::uint8_t Classe(char c) {
    return kClasses[static_cast<unsigned char>(c)];
}
bool LetraB(char c) {
    return Classe(c) == kLetra;
}
bool DigitoB(char c) {
    return Classe(c) == kDigito;
}
bool ParteNomeB(char c) {
    return (Classe(c) & (kLetra | kDigito | kCifrao)) != 0;
}

/// Splits the text into tokens, skipping blanks and comments. False when the text holds
/// something that makes lifting unsafe: parameters, an unterminated literal or a Q-string.
bool Tokens(const QByteArray& texto, std::vector<Token>& r, qsizetype i = 0) {
    const char* const s = texto.constData();
    const qsizetype n = texto.size();
    // Room for every token the rest of the text can hold (one a byte at most), then trimmed.
    std::size_t k = r.size();
    r.resize(k + static_cast<std::size_t>(n - i));
    Token* const t = r.data();
    const auto termina = [&r, &k](bool ok) {
        r.resize(k);
        return ok;
    };
    while (i < n) {
        const char c = s[i];
        const std::uint8_t classe = Classe(c);
        if (classe == kEspaco) {
            ++i;
        } else if (classe == kLetra) {
            qsizetype j = i + 1;
            while (j < n && ParteNomeB(s[j])) {
                ++j;
            }
            if (j - i == 1 && (c == 'q' || c == 'Q') && j < n && s[j] == '\'') {
                return termina(false); // Q'{...}': its own quoting rules
            }
            t[k++] = Token(i, j, TipoToken::Nome);
            i = j;
        } else if (c == '\'' || c == '"') {
            bool dobradas = false;
            qsizetype j = i + 1;
            for (;;) {
                const void* achado = std::memchr(s + j, c, static_cast<std::size_t>(n - j));
                if (achado == nullptr) {
                    return termina(false);
                }
                j = static_cast<const char*>(achado) - s;
                if (j + 1 < n && s[j + 1] == c) {
                    dobradas = true;
                    j += 2;
                    continue;
                }
                break;
            }
            t[k++] = Token(i, j + 1, TipoToken::Texto, dobradas);
            i = j + 1;
        } else if (classe == kDigito || (c == '.' && i + 1 < n && DigitoB(s[i + 1]))) {
            qsizetype j = i;
            bool ponto = false;
            while (j < n && (DigitoB(s[j]) || (s[j] == '.' && !ponto))) {
                ponto = ponto || s[j] == '.';
                ++j;
            }
            TipoToken tipo = TipoToken::Numero;
            if (j < n && (s[j] == 'e' || s[j] == 'E')) {
                qsizetype k = j + 1;
                if (k < n && (s[k] == '+' || s[k] == '-')) {
                    ++k;
                }
                if (k < n && DigitoB(s[k])) {
                    tipo = TipoToken::NumeroOutro; // an exponent makes it a double: left in the text
                    j = k;
                    while (j < n && DigitoB(s[j])) {
                        ++j;
                    }
                }
            }
            // 0x1F, 12abc, 1.2.3: not a plain number
            while (j < n && (ParteNomeB(s[j]) || s[j] == '.')) {
                tipo = TipoToken::NumeroOutro;
                ++j;
            }
            t[k++] = Token(i, j, tipo);
            i = j;
        } else if (c == '-' && i + 1 < n && s[i + 1] == '-') {
            const void* fim = std::memchr(s + i, '\n', static_cast<std::size_t>(n - i));
            i = fim == nullptr ? n : static_cast<const char*>(fim) - s + 1;
        } else if (c == '/' && i + 1 < n && s[i + 1] == '*') {
            const qsizetype fim = texto.indexOf("*/", i + 2);
            i = fim < 0 ? n : fim + 2;
        } else if (c == '?' || (c == ':' && i + 1 < n && LetraB(s[i + 1]))) {
            return termina(false);
        } else {
            qsizetype j = i + 1;
            if (j < n && (c == '<' || c == '>' || c == '!' || c == '^' || c == '~') &&
                (s[j] == '=' || s[j] == '>' || s[j] == '<')) {
                ++j;
            } else if (c == '|' && j < n && s[j] == '|') {
                ++j;
            }
            t[k++] = Token(i, j, TipoToken::Simbolo);
            i = j;
        }
    }
    return termina(true);
}

/// The exact value of a number token (digits with at most one point), or nothing when the
/// engine would not take it as an exact number: beyond 64 bits or 18 decimals it makes a double.
template <typename Caractere>
std::optional<LiteralSql> NumeroExato(const Caractere* p, qsizetype n, bool negativo) {
    quint64 valor = 0;
    int escala = 0;
    bool fracao = false;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (c == '.') {
            fracao = true;
            continue;
        }
        const auto d = static_cast<quint64>(c - '0');
        if (valor > (static_cast<quint64>(std::numeric_limits<qint64>::max()) - d) / 10) {
            return std::nullopt;
        }
        valor = valor * 10 + d;
        if (fracao) {
            --escala;
        }
    }
    if (escala < -18) {
        return std::nullopt;
    }
    LiteralSql r;
    r.tipo = LiteralSql::Tipo::Numero;
    r.numero = negativo ? -static_cast<qint64>(valor) : static_cast<qint64>(valor);
    r.escala = escala;
    return r;
}

class Analise {
public:
    Analise(const QByteArray& sql, const std::vector<Token>& tokens) : s(sql), t(tokens) {}

    /// Whether token k is the keyword (given in upper case).
    bool E(qsizetype k, const char* palavra) const {
        if (k < 0 || k >= Tamanho() || t[Idx(k)].tipo != TipoToken::Nome) {
            return false;
        }
        const Token& x = t[Idx(k)];
        const char* p = s.constData() + x.inicio;
        const qsizetype n = x.fim - x.inicio;
        for (qsizetype i = 0; i < n; ++i) {
            const char c = p[i] >= 'a' && p[i] <= 'z' ? static_cast<char>(p[i] - 32) : p[i];
            if (palavra[i] != c) {
                return false; // also when the keyword ended first
            }
        }
        return palavra[n] == '\0';
    }
    bool Simbolo(qsizetype k, const char* simbolo) const {
        if (k < 0 || k >= Tamanho() || t[Idx(k)].tipo != TipoToken::Simbolo) {
            return false;
        }
        const Token& x = t[Idx(k)];
        const char* p = s.constData() + x.inicio;
        if (p[0] != simbolo[0]) {
            return false;
        }
        const qsizetype n = x.fim - x.inicio;
        return std::strncmp(p, simbolo, static_cast<std::size_t>(n)) == 0 && simbolo[n] == '\0';
    }
    TipoToken Tipo(qsizetype k) const { return t[Idx(k)].tipo; }
    qsizetype Tamanho() const { return static_cast<qsizetype>(t.size()); }
    const Token& At(qsizetype k) const { return t[Idx(k)]; }

    /// The value of a single-token-or-signed-number item [a, b), or nothing.
    std::optional<LiteralSql> Valor(qsizetype a, qsizetype b, bool nuloPermitido) const {
        if (b - a == 1 && E(a, "NULL") && nuloPermitido) {
            return LiteralSql{};
        }
        if (b - a == 1 && Tipo(a) == TipoToken::Texto) {
            return Texto(a);
        }
        if (b - a == 1 && Tipo(a) == TipoToken::Numero) {
            return Numero(a, false);
        }
        if (b - a == 2 && Simbolo(a, "-") && Tipo(a + 1) == TipoToken::Numero) {
            return Numero(a + 1, true);
        }
        return std::nullopt;
    }

private:
    static std::size_t Idx(qsizetype k) { return static_cast<std::size_t>(k); }

    std::optional<LiteralSql> Texto(qsizetype k) const {
        const Token& x = At(k);
        if (x.fim - x.inicio - 2 > 32765) {
            return std::nullopt; // longer than a parameter can be: the engine judges the literal
        }
        LiteralSql r;
        r.tipo = LiteralSql::Tipo::Texto;
        r.inicio = x.inicio + 1;
        r.tamanho = x.fim - x.inicio - 2;
        r.aspasDobradas = x.aspasDobradas;
        return r;
    }

    std::optional<LiteralSql> Numero(qsizetype k, bool negativo) const {
        const Token& x = At(k);
        return NumeroExato(s.constData() + x.inicio, x.fim - x.inicio, negativo);
    }

    const QByteArray& s;
    const std::vector<Token>& t;
};

struct Levantado {
    qsizetype primeiro; // first token replaced by '?'
    qsizetype ultimo;   // last token replaced
    LiteralSql valor;
};

/// The items of the VALUES list (searched from token `desde`, at parenthesis depth 0 there).
void ItensValues(const Analise& a, qsizetype desde, std::vector<Levantado>& r) {
    int nivel = 0;
    for (qsizetype k = desde; k < a.Tamanho(); ++k) {
        if (a.Simbolo(k, "(")) {
            ++nivel;
        } else if (a.Simbolo(k, ")")) {
            --nivel;
        } else if (nivel == 0 && a.E(k, "VALUES") && a.Simbolo(k + 1, "(")) {
            const std::size_t antes = r.size();
            qsizetype inicio = k + 2;
            int n = 0;
            for (qsizetype i = k + 2; i < a.Tamanho(); ++i) {
                if (a.Simbolo(i, "(")) {
                    ++n;
                    continue;
                }
                const bool fecha = a.Simbolo(i, ")");
                if (fecha && n > 0) {
                    --n;
                    continue;
                }
                if (n == 0 && (fecha || a.Simbolo(i, ","))) {
                    if (auto v = a.Valor(inicio, i, true)) {
                        r.push_back({inicio, i - 1, std::move(*v)});
                    }
                    inicio = i + 1;
                    if (fecha) {
                        return;
                    }
                }
            }
            r.resize(antes); // not closed: the engine will say so about the text as written
            return;
        }
    }
}

bool FimDoSet(const Analise& a, qsizetype k) {
    return k >= a.Tamanho() || a.E(k, "WHERE") || a.E(k, "RETURNING") || a.E(k, "PLAN") || a.E(k, "ORDER") ||
           a.E(k, "ROWS") || a.Simbolo(k, ";");
}

void ItensSet(const Analise& a, std::vector<Levantado>& r) {
    qsizetype k = 0;
    int nivel = 0;
    while (k < a.Tamanho() && !(nivel == 0 && a.E(k, "SET"))) {
        nivel += a.Simbolo(k, "(") ? 1 : a.Simbolo(k, ")") ? -1 : 0;
        ++k;
    }
    qsizetype inicio = k + 1;
    nivel = 0;
    for (qsizetype i = k + 1; i <= a.Tamanho(); ++i) {
        const bool fim = nivel == 0 && FimDoSet(a, i);
        if (fim || (nivel == 0 && a.Simbolo(i, ","))) {
            // col [. col] = value
            qsizetype j = inicio;
            if (j < i && a.Tipo(j) == TipoToken::Nome) {
                ++j;
                while (j + 1 < i && a.Simbolo(j, ".") && a.Tipo(j + 1) == TipoToken::Nome) {
                    j += 2;
                }
                if (a.Simbolo(j, "=")) {
                    if (auto v = a.Valor(j + 1, i, true)) {
                        r.push_back({j + 1, i - 1, std::move(*v)});
                    }
                }
            }
            if (fim) {
                return;
            }
            inicio = i + 1;
        } else if (a.Simbolo(i, "(")) {
            ++nivel;
        } else if (a.Simbolo(i, ")")) {
            --nivel;
        }
    }
}

bool AntesDaComparacao(const Analise& a, qsizetype k) {
    return a.E(k, "WHERE") || a.E(k, "AND") || a.E(k, "OR") || a.E(k, "NOT") || a.Simbolo(k, "(");
}

bool DepoisDaComparacao(const Analise& a, qsizetype k) {
    return k >= a.Tamanho() || a.E(k, "AND") || a.E(k, "OR") || a.Simbolo(k, ")") || a.Simbolo(k, ";") ||
           a.E(k, "ORDER") || a.E(k, "GROUP") || a.E(k, "PLAN") || a.E(k, "ROWS") || a.E(k, "UNION") || a.E(k, "FOR") ||
           a.E(k, "RETURNING");
}

/// name [. name] = literal, between WHERE/AND/OR/NOT/'(' and AND/OR/')'/end, after a WHERE.
void Comparacoes(const Analise& a, std::vector<Levantado>& r) {
    qsizetype k = 0;
    while (k < a.Tamanho() && !a.E(k, "WHERE")) {
        ++k;
    }
    for (; k < a.Tamanho(); ++k) {
        if (!a.Simbolo(k, "=")) {
            continue;
        }
        const qsizetype inicioValor = k + 1;
        qsizetype fimValor = inicioValor + (a.Simbolo(inicioValor, "-") ? 2 : 1);
        if (fimValor > a.Tamanho() || !DepoisDaComparacao(a, fimValor)) {
            continue;
        }
        qsizetype j = k - 1;
        if (j < 0 || a.Tipo(j) != TipoToken::Nome) {
            continue;
        }
        while (j >= 2 && a.Simbolo(j - 1, ".") && a.Tipo(j - 2) == TipoToken::Nome) {
            j -= 2;
        }
        if (!AntesDaComparacao(a, j - 1)) {
            continue;
        }
        if (auto v = a.Valor(inicioValor, fimValor, false)) {
            v->atribuicao = false;
            r.push_back({inicioValor, fimValor - 1, std::move(*v)});
        }
    }
}

} // namespace

/// An INSERT analysed before, up to its VALUES, and its tokens: a writer's next insert usually
/// repeats the table and the column list byte for byte, and they need not be read again.
struct PrefixoInsercao {
    QByteArray bytes;
    std::vector<Token> tokens;
    quint64 uso = 0;
};

/// Whether VALUES, as a whole word, starts at position i.
bool ValuesEm(const QByteArray& sql, qsizetype i) {
    static constexpr char kValues[] = "VALUES";
    if (i + 6 > sql.size() || (i + 6 < sql.size() && ParteNomeB(sql.at(i + 6)))) {
        return false;
    }
    for (qsizetype k = 0; k < 6; ++k) {
        const char c = sql.at(i + k);
        if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c) != kValues[k]) {
            return false;
        }
    }
    return true;
}

std::optional<FormaSql> ExtraiLiterais(const QByteArray& sql) {
    thread_local std::vector<Token> tokens; // reused: its capacity stays between calls
    thread_local std::array<PrefixoInsercao, 8> prefixos;
    thread_local quint64 relogio = 0;
    tokens.clear();
    // The same bytes up to a VALUES at the same place split into the same tokens: the tokenizer
    // looks one byte ahead at most, and that byte is the V.
    PrefixoInsercao* achado = nullptr;
    for (PrefixoInsercao& p : prefixos) {
        const qsizetype n = p.bytes.size();
        if (n > 0 && ValuesEm(sql, n) && std::memcmp(sql.constData(), p.bytes.constData(), n) == 0) {
            achado = &p;
            break;
        }
    }
    const bool repete = achado != nullptr;
    if (repete) {
        achado->uso = ++relogio;
        tokens.assign(achado->tokens.begin(), achado->tokens.end());
    }
    if (!Tokens(sql, tokens, repete ? achado->bytes.size() : 0)) {
        return std::nullopt;
    }
    const Analise a(sql, tokens);
    if (!repete && a.E(0, "INSERT")) {
        int nivel = 0;
        for (qsizetype k = 0; k < a.Tamanho(); ++k) {
            nivel += a.Simbolo(k, "(") ? 1 : a.Simbolo(k, ")") ? -1 : 0;
            if (nivel == 0 && a.E(k, "VALUES")) {
                PrefixoInsercao& velho =
                    *std::min_element(prefixos.begin(), prefixos.end(),
                                      [](const PrefixoInsercao& x, const PrefixoInsercao& y) { return x.uso < y.uso; });
                velho.bytes = sql.left(a.At(k).inicio);
                velho.tokens.assign(tokens.begin(), tokens.begin() + k);
                velho.uso = ++relogio;
                break;
            }
        }
    }
    thread_local std::vector<Levantado> levantados;
    levantados.clear();
    if (a.E(0, "INSERT")) {
        ItensValues(a, repete ? static_cast<qsizetype>(achado->tokens.size()) : 0, levantados);
    } else if (a.E(0, "UPDATE") && !a.E(1, "OR")) {
        ItensSet(a, levantados);
        Comparacoes(a, levantados);
    } else if (a.E(0, "DELETE") || a.E(0, "SELECT")) {
        Comparacoes(a, levantados);
    } else {
        return std::nullopt;
    }
    const auto antes = [](const Levantado& x, const Levantado& y) { return x.primeiro < y.primeiro; };
    if (!std::is_sorted(levantados.begin(), levantados.end(), antes)) {
        std::sort(levantados.begin(), levantados.end(), antes);
    }
    levantados.erase(std::unique(levantados.begin(), levantados.end(),
                                 [](const Levantado& x, const Levantado& y) { return x.primeiro == y.primeiro; }),
                     levantados.end());

    // The shape: the text with '?' in place of each lifted literal, written into one buffer.
    FormaSql forma;
    forma.texto = QByteArray(sql.size(), Qt::Uninitialized);
    char* destino = forma.texto.data();
    qsizetype copiado = 0;
    forma.literais.reserve(levantados.size());
    for (Levantado& l : levantados) {
        const qsizetype inicio = a.At(l.primeiro).inicio;
        std::memcpy(destino, sql.constData() + copiado, static_cast<std::size_t>(inicio - copiado));
        destino += inicio - copiado;
        *destino++ = '?';
        copiado = a.At(l.ultimo).fim;
        forma.literais.push_back(std::move(l.valor));
    }
    std::memcpy(destino, sql.constData() + copiado, static_cast<std::size_t>(sql.size() - copiado));
    destino += sql.size() - copiado;
    forma.texto.truncate(destino - forma.texto.constData());
    for (qsizetype k = 0; k < a.Tamanho(); ++k) {
        const TipoToken tipo = a.Tipo(k);
        if (tipo == TipoToken::Texto || tipo == TipoToken::Numero || tipo == TipoToken::NumeroOutro) {
            ++forma.restantes;
        }
    }
    for (const LiteralSql& l : forma.literais) {
        forma.restantes -= l.tipo == LiteralSql::Tipo::Nulo ? 0 : 1;
    }
    return forma;
}

QByteArray TextoLiteral(const QByteArray& sql, const LiteralSql& literal) {
    if (!literal.aspasDobradas) {
        return sql.mid(literal.inicio, literal.tamanho);
    }
    const char aspa = sql.at(literal.inicio - 1);
    QByteArray r;
    r.reserve(literal.tamanho);
    const qsizetype fim = literal.inicio + literal.tamanho;
    for (qsizetype i = literal.inicio; i < fim; ++i) {
        r += sql.at(i);
        if (sql.at(i) == aspa) {
            ++i; // the other of the pair
        }
    }
    return r;
}

std::optional<LiteralSql> NumeroLiteral(QStringView texto) {
    const bool negativo = texto.startsWith(u'-');
    const QStringView numero = negativo ? texto.mid(1) : texto;
    // One token the tokenizer reads as a plain number: digits with at most one point, a digit
    // first or right after a leading point, nothing after.
    qsizetype digitos = 0;
    qsizetype pontos = 0;
    for (const QChar c : numero) {
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            ++digitos;
        } else if (c == u'.') {
            ++pontos;
        } else {
            return std::nullopt;
        }
    }
    if (digitos == 0 || pontos > 1 || (numero.startsWith(u'.') && !(numero.size() > 1 && numero[1].isDigit()))) {
        return std::nullopt;
    }
    return NumeroExato(reinterpret_cast<const char16_t*>(numero.data()), numero.size(), negativo);
}
