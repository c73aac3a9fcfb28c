// Value normalisation of the toolkit: functions of their arguments only (FValidaData also reads
// the clock and the regional settings).
#include "classConversao.h"

#include "ConfiguracaoRegional.h"
#include "DataHora.h"
#include "FormatoNumero.h"
#include "TextoPrimitivas.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace {

// Replaces the first occurrence of `de` (1-based position p) by `por`, keeping at most `manter`
// characters after it and trimming both ends, until none is left.
QString SubstituiComCorte(QString valor, QChar de, const QString& por, qsizetype manter) {
    for (qsizetype p = Posicao(de, valor); p > 0; p = Posicao(de, valor)) {
        valor = Trim(Copia(valor, 1, p - 1) + por + Copia(valor, p + 1, manter));
    }
    return valor;
}

QString SoDigitos(const QString& valor) {
    QString r(valor.size(), Qt::Uninitialized);
    QChar* saida = r.data();
    for (const QChar c : valor) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            *saida++ = c;
        }
    }
    r.truncate(saida - r.constData());
    return r;
}

// Today's date in the regional short format.
QString HojeTextoCurto() {
    return DataParaTextoCurto(DataParaTDateTime(Hoje()));
}

// The accent table, rows tested top to bottom; codes above 255 are in no row.
struct LinhaAcento {
    char16_t troca;
    std::u16string_view codigos;
};
constexpr std::array<LinhaAcento, 7> kAcentos{{
    {u'A', u"\u00C0\u00C1\u00C2\u00C3\u00C4\u00E0\u00E1\u00E2\u00E3\u00E4"},
    {u'E', u"\u00C8\u00C9\u00CA\u00E8\u00E9\u00EA"},
    {u'I', u"\u00CC\u00CD\u00CE\u00EC\u00ED\u00EE"},
    {u'O', u"\u00D2\u00D3\u00D4\u00D5\u00D6\u00F2\u00F3\u00F4\u00F5\u00F6"},
    {u'U', u"\u00D9\u00DA\u00DC\u00F9\u00FA\u00FC"},
    {u'C', u"\u00C7\u00E7"},
    {u'.', u":;"},
}};

} // namespace

int Min(int a, int b, int c) {
    return std::min({a, b, c});
}

QString TConversao::StrZero(const QString& valor, int qtd) {
    return valor.rightJustified(qtd, QLatin1Char('0')); // one allocation; a long enough text is shared
}

QString TConversao::TiraMascara(const QString& valor) {
    const auto digito = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (std::all_of(valor.cbegin(), valor.cend(), digito)) {
        return valor; // digits only: nothing to take out
    }
    // Without a letter there is no "ISENTO" to look for: the digits are all that stay.
    if (std::none_of(valor.cbegin(), valor.cend(), [](QChar c) { return c.isLetter(); })) {
        return SoDigitos(valor);
    }
    const QString maiusculo = MaiusculasAscii(valor);
    if (Trim(maiusculo) == QLatin1String("ISENTO")) {
        return maiusculo;
    }
    if (maiusculo.contains(QLatin1String("ISEN"))) {
        return QString();
    }
    return SoDigitos(maiusculo);
}

QString TConversao::FValidaData(QString& data) {
    if (data.isEmpty() || data == QLatin1String("  -   -")) {
        data = HojeTextoCurto();
    } else if (data.contains(QLatin1Char('/'))) {
        data = SubstituiTodos(data, QLatin1Char('/'), QLatin1Char('.'));
    } else if (data.contains(QLatin1Char('-'))) {
        data = SubstituiTodos(data, QLatin1Char('-'), QLatin1Char('.'));
    } else if (data.contains(QLatin1Char('.'))) {
        // already in the target's form
    } else {
        // A day count, as some source fields hold dates.
        const auto dias = TextoParaFloat(data);
        if (dias && TDateTimeParaData(*dias).isValid()) {
            data = FormataDataHora(QStringLiteral("DD/MM/YYYY"), *dias);
        } else {
            data.clear();
        }
    }
    return data;
}

bool TConversao::EhCodigoNumerico(const QString& valor) {
    const QString t = Trim(valor);
    bool depoisDeAlgarismo = false;
    for (const QChar c : t) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            depoisDeAlgarismo = true;
        } else if (depoisDeAlgarismo &&
                   (c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('/') || c == QLatin1Char(' '))) {
            depoisDeAlgarismo = false;
        } else {
            return false;
        }
    }
    return depoisDeAlgarismo;
}

QString TConversao::FValidaTelefone(const QString& tel) {
    QString t = FRemoveCaracter(Trim(tel));
    // Each pass drops i - 1 leading characters, so "00..." loses one zero on the second pass.
    for (qsizetype i = 1; i <= t.size() && t.at(i - 1) == QLatin1Char('0'); ++i) {
        t = Copia(t, i, t.size());
    }
    t.remove(QLatin1Char(' '));
    if (t.size() == 8) {
        t.prepend(QLatin1String("31"));
    }
    if (t.startsWith(QLatin1Char('0'))) {
        t.remove(0, 1);
    }
    return t;
}

QString TConversao::FBarraPonto(const QString& valor) {
    return SubstituiComCorte(valor, QLatin1Char('/'), QStringLiteral("."), 50);
}

QString TConversao::FVirgulaPonto(const QString& valor) {
    return SubstituiComCorte(valor.isEmpty() ? QStringLiteral("0,00") : valor, QLatin1Char(','), QStringLiteral("."),
                             50);
}

QString TConversao::FPontoVirgula(const QString& valor) {
    return SubstituiComCorte(valor.isEmpty() ? QStringLiteral("0.00") : valor, QLatin1Char('.'), QStringLiteral(","),
                             50);
}

QString TConversao::FRemoveCaracter(const QString& valor) {
    const auto removido = [](QChar c) {
        return c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char('/') || c == QLatin1Char('\'');
    };
    // Most values hold none of the four characters, and are then returned as they are.
    if (std::none_of(valor.cbegin(), valor.cend(), removido)) {
        return valor;
    }
    // Each removal keeps the 100 characters after it and trims the ends. A shorter text loses nothing
    // to that cut, and trimming after each removal leaves what one trim at the end leaves.
    constexpr qsizetype kMantidos = 100;
    if (valor.size() <= kMantidos) {
        QString r = valor;
        r.removeIf(removido);
        return Trim(r);
    }
    QString r = valor;
    for (const QChar c : {QLatin1Char('-'), QLatin1Char('.'), QLatin1Char('/'), QLatin1Char('\'')}) {
        r = SubstituiComCorte(r, c, QString(), 100);
    }
    return r;
}

QString TConversao::FRetiraAcento(const QString& valor) {
    // Every occurrence of a character gets the same replacement, so one pass over the text will do.
    // Below U+00C0 only ':' and ';' are in the table: most characters skip the search.
    const auto troca = [](QChar c) -> char16_t {
        if (c.unicode() < 0xC0 && c != QLatin1Char(':') && c != QLatin1Char(';')) {
            return 0;
        }
        for (const LinhaAcento& linha : kAcentos) {
            if (linha.codigos.find(c.unicode()) != std::u16string_view::npos) {
                return linha.troca;
            }
        }
        return 0;
    };
    QString r = MaiusculasAscii(valor);
    // A text with nothing to replace, most of them, is handed back without a copy.
    const qsizetype primeira =
        std::find_if(r.cbegin(), r.cend(), [&troca](QChar c) { return troca(c) != 0; }) - r.cbegin();
    for (qsizetype i = primeira; i < r.size(); ++i) {
        if (const char16_t por = troca(r.at(i)); por != 0) {
            r[i] = QChar(por);
        }
    }
    return r;
}

QString TConversao::FRetiraTraco(const QString& valor) {
    QString r = valor;
    r.remove(QLatin1Char('-'));
    return r;
}

QString TConversao::FSoNumero(const QString& mNumero) {
    return SoDigitos(mNumero);
}

QString TConversao::RemoveDuploEspaco(const QString& s) {
    // Iterative form of: keep up to the first blank of a double blank, then go on with the trimmed rest.
    QString r;
    QString resto = Trim(s);
    for (qsizetype p = resto.indexOf(QLatin1String("  ")); p >= 0; p = resto.indexOf(QLatin1String("  "))) {
        r += resto.left(p + 1);
        resto = Trim(resto.mid(p));
    }
    return r + resto;
}

QString TConversao::TrataOrdemData(const QString& data) {
    return Copia(data, 7, 2) + QLatin1Char('/') + Copia(data, 5, 2) + QLatin1Char('/') + Copia(data, 1, 4);
}

QString TConversao::FRetornaFJ(const QString& sCNPJ_CPF) {
    return sCNPJ_CPF.size() > 11 ? QStringLiteral("J") : QStringLiteral("F");
}

int TConversao::CalculaDiferencaStrings(const QString& str1, const QString& str2) {
    const QString& p = str2.size() > str1.size() ? str2 : str1;
    const QString& q = str2.size() > str1.size() ? str1 : str2;
    qsizetype n = q.size();
    qsizetype m = p.size();

    qsizetype inicio = 0;
    while (n > 0 && p.at(inicio) == q.at(inicio)) {
        ++inicio;
        --n;
        --m;
    }
    while (n > 0 && p.at(inicio + m - 1) == q.at(inicio + n - 1)) {
        --n;
        --m;
    }
    if (n == 0) {
        return static_cast<int>(m);
    }

    // Positions below are 1-based within the stripped texts.
    auto charP = [&](qsizetype i) { return p.at(inicio + i - 1); };
    auto charQ = [&](qsizetype j) { return q.at(inicio + j - 1); };
    std::vector<int> d(static_cast<std::size_t>(n) + 1);
    for (std::size_t k = 0; k < d.size(); ++k) {
        d[k] = static_cast<int>(k);
    }
    for (qsizetype i = 1; i <= m; ++i) {
        const QChar a = charP(i);
        int anterior = static_cast<int>(i - 1);
        int custo = static_cast<int>(i);
        for (qsizetype j = 1; j <= n; ++j) {
            const QChar b = charQ(j);
            int& celula = d[static_cast<std::size_t>(j)];
            if (a == b || (i > 1 && j > 1 && a == charQ(j - 1) && b == charP(i - 1))) {
                custo = anterior;
            } else {
                custo = 1 + Min(custo, anterior, celula);
            }
            anterior = celula;
            celula = custo;
        }
    }
    return d[static_cast<std::size_t>(n)];
}

double TConversao::RetornaSimilaridadeStrings(const QString& str1, const QString& str2, bool ignoreCase) {
    const qsizetype maxLen = std::max(str1.size(), str2.size());
    if (maxLen == 0) {
        return 1.0;
    }
    const int distancia = ignoreCase ? CalculaDiferencaStrings(MinusculasAscii(str1), MinusculasAscii(str2))
                                     : CalculaDiferencaStrings(str1, str2);
    return 1.0 - static_cast<double>(distancia) / static_cast<double>(maxLen);
}

QString TConversao::CnpjAlfanumerico(const QString& valor) {
    // Most values are numeric CPFs and CNPJs: without a letter there is nothing to check.
    if (std::none_of(valor.cbegin(), valor.cend(), [](QChar c) {
            const char16_t minuscula = c.unicode() | 0x20;
            return minuscula >= u'a' && minuscula <= u'z';
        })) {
        return QString();
    }
    QString cnpj = MaiusculasAscii(valor);
    cnpj.remove(QLatin1Char('.'));
    cnpj.remove(QLatin1Char('/'));
    cnpj.remove(QLatin1Char('-'));
    cnpj.remove(QLatin1Char(' '));
    if (cnpj.size() != 14) {
        return QString();
    }

    auto digito = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    auto letra = [](QChar c) { return c >= QLatin1Char('A') && c <= QLatin1Char('Z'); };
    bool temLetra = false;
    for (qsizetype i = 0; i < 12; ++i) {
        const QChar c = cnpj.at(i);
        if (!digito(c) && !letra(c)) {
            return QString();
        }
        temLetra = temLetra || letra(c);
    }
    if (!temLetra || !digito(cnpj.at(12)) || !digito(cnpj.at(13))) {
        return QString();
    }

    // Modulo 11 over each character's code minus 48, with the weights of the numeric CNPJ.
    static constexpr std::array<int, 13> pesos{6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    auto verificador = [&](qsizetype quantos) {
        int soma = 0;
        for (qsizetype i = 0; i < quantos; ++i) {
            soma += (cnpj.at(i).unicode() - 48) * pesos[static_cast<std::size_t>(13 - quantos + i)];
        }
        const int resto = soma % 11;
        return resto < 2 ? 0 : 11 - resto;
    };
    if (verificador(12) != cnpj.at(12).unicode() - u'0' || verificador(13) != cnpj.at(13).unicode() - u'0') {
        return QString();
    }
    return cnpj;
}
