#include "ValorDbf.h"

#include "ConfiguracaoRegional.h"
#include "FormatoNumero.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

bool SoZeros(QByteArrayView v) {
    return std::all_of(v.begin(), v.end(), [](char c) { return c == '0'; });
}

// The general float text of a decimal number written with at most 15 significant digits and not
// below 0.0001: its own digits, without the zeros that do not count, with the regional separator.
// Empty when the digits do not allow it.
QString TextoDecimal(QByteArrayView inteira, QByteArrayView fracao, bool negativo) {
    while (!inteira.isEmpty() && inteira.front() == '0') {
        inteira = inteira.sliced(1);
    }
    while (!fracao.isEmpty() && fracao.back() == '0') {
        fracao.chop(1);
    }
    qsizetype zerosAposPonto = 0;
    if (inteira.isEmpty()) {
        while (zerosAposPonto < fracao.size() && fracao[zerosAposPonto] == '0') {
            ++zerosAposPonto;
        }
        if (zerosAposPonto > 3) {
            return {}; // below 0.0001: exponent form
        }
    }
    if (fracao.isEmpty() || inteira.size() + fracao.size() - zerosAposPonto > 15) {
        return {};
    }
    QChar r[32];
    qsizetype n = 0;
    if (negativo) {
        r[n++] = QLatin1Char('-');
    }
    if (inteira.isEmpty()) {
        r[n++] = QLatin1Char('0');
    }
    for (const char c : inteira) {
        r[n++] = QLatin1Char(c);
    }
    r[n++] = Regional().separadorDecimal;
    for (const char c : fracao) {
        r[n++] = QLatin1Char(c);
    }
    return QString(r, n);
}

} // namespace

namespace dbf {

double BitsParaDouble(std::uint64_t bits) {
    double valor = 0;
    std::memcpy(&valor, &bits, sizeof valor);
    return valor;
}

QByteArrayView AsciiLimpo(QByteArrayView bytes, QByteArray& copia) {
    qsizetype inicio = 0;
    qsizetype fim = bytes.size();
    while (inicio < fim && BrancoOuNul(bytes[inicio])) {
        ++inicio;
    }
    while (fim > inicio && BrancoOuNul(bytes[fim - 1])) {
        --fim;
    }
    const QByteArrayView meio = bytes.sliced(inicio, fim - inicio);
    if (std::memchr(meio.data(), '\0', static_cast<std::size_t>(meio.size())) == nullptr) {
        return meio;
    }
    copia = meio.toByteArray();
    copia.replace('\0', ' ');
    return copia;
}

QByteArray AsciiLimpo(QByteArrayView bytes) {
    QByteArray copia;
    return AsciiLimpo(bytes, copia).toByteArray();
}

std::optional<std::uint64_t> PonteiroMemo(QByteArrayView bytes) {
    if (bytes.size() == 4) {
        return Le32(reinterpret_cast<const unsigned char*>(bytes.data()));
    }
    QByteArray copia;
    const QByteArrayView texto = AsciiLimpo(bytes, copia);
    if (texto.size() > 18 || !std::all_of(texto.begin(), texto.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    std::uint64_t bloco = 0;
    for (const char c : texto) {
        bloco = bloco * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return bloco;
}

NumeroAscii LeNumeroAscii(QByteArrayView bytes, bool comTexto) {
    NumeroAscii numero;
    QByteArray copia;
    QByteArrayView texto = AsciiLimpo(bytes, copia);
    if (texto.isEmpty() || texto.startsWith('*')) {
        return numero;
    }
    while (texto.endsWith('*')) {
        texto.chop(1);
    }
    numero.estado = NumeroAscii::Invalido;
    if (std::find(texto.begin(), texto.end(), '.') == texto.end() && std::count(texto.begin(), texto.end(), ',') == 1) {
        copia = texto.toByteArray();
        copia.replace(',', '.');
        texto = copia;
    }
    bool negativo = false;
    qsizetype inicio = 0;
    if (!texto.isEmpty() && (texto[0] == '+' || texto[0] == '-')) {
        negativo = texto[0] == '-';
        inicio = 1;
    }
    const char* p = texto.data() + inicio;
    const char* fim = texto.data() + texto.size();
    if (p == fim || !(std::isdigit(static_cast<unsigned char>(*p)) || *p == '.')) {
        return numero;
    }
    const QByteArrayView corpo(p, fim - p);
    // Digits with at most one point: a valid finite number whose text comes from the digits.
    const auto pontos = std::count(corpo.begin(), corpo.end(), '.');
    const bool simples =
        corpo.size() <= 40 && pontos <= 1 &&
        std::all_of(corpo.begin(), corpo.end(), [](char c) { return c == '.' || (c >= '0' && c <= '9'); }) &&
        corpo.size() > pontos;
    if (comTexto && simples) {
        const auto ponto = std::find(corpo.begin(), corpo.end(), '.');
        const QByteArrayView inteira(corpo.begin(), ponto);
        const QByteArrayView fracao = ponto == corpo.end() ? QByteArrayView() : QByteArrayView(ponto + 1, corpo.end());
        if (SoZeros(fracao)) {
            qsizetype zeros = 0;
            while (zeros < inteira.size() && inteira[zeros] == '0') {
                ++zeros;
            }
            QString digitos = QString::fromLatin1(inteira.sliced(zeros));
            if (digitos.isEmpty()) {
                digitos = QStringLiteral("0");
            } else if (negativo) {
                digitos.prepend(QLatin1Char('-'));
            }
            numero.texto = digitos;
        } else {
            numero.texto = TextoDecimal(inteira, fracao, negativo);
        }
        if (!numero.texto.isEmpty()) {
            numero.estado = NumeroAscii::Valido;
            return numero; // the value itself is not needed
        }
    }
    double valor = 0;
    const auto [ate, erro] = std::from_chars(p, fim, valor, std::chars_format::general);
    if (erro != std::errc() || ate != fim || !std::isfinite(valor)) {
        return numero;
    }
    numero.estado = NumeroAscii::Valido;
    numero.valor = negativo ? -valor : valor;
    return numero;
}

DataAscii LeDataAscii(QByteArrayView bytes) {
    DataAscii data;
    QByteArray copia;
    const QByteArrayView texto = AsciiLimpo(bytes, copia);
    if (std::all_of(texto.begin(), texto.end(), [](char c) { return c == '0'; })) {
        return data;
    }
    data.estado = DataAscii::Invalida;
    if (texto.size() != 8 || !std::all_of(texto.begin(), texto.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return data;
    }
    const auto numero = [&texto](qsizetype de, qsizetype ate) {
        int v = 0;
        for (qsizetype i = de; i < ate; ++i) {
            v = v * 10 + (texto[i] - '0');
        }
        return v;
    };
    const QDate lida(numero(0, 4), numero(4, 6), numero(6, 8));
    if (lida.isValid()) {
        data.estado = DataAscii::Valida;
        data.data = lida;
    }
    return data;
}

std::optional<bool> LeLogico(QByteArrayView bytes) {
    if (bytes.isEmpty()) {
        return std::nullopt;
    }
    switch (bytes[0]) {
    case 'T':
    case 't':
    case 'Y':
    case 'y':
        return true;
    case 'F':
    case 'f':
    case 'N':
    case 'n':
        return false;
    default:
        return std::nullopt;
    }
}

QString TextoDeNumero(double valor) {
    if (std::trunc(valor) == valor && std::fabs(valor) < 1e15) {
        return QString::number(static_cast<qint64>(valor));
    }
    return FloatParaTexto(valor);
}

// The regional short date of a day. The default pattern is written straight from the date: walking
// the pattern costs more than reading the rest of the field.
QString DataCurta(const QDate& data) {
    const ConfiguracaoRegional& regional = Regional();
    if (regional.formatoDataCurta != QLatin1String("dd/mm/yyyy") || data.year() < 1 || data.year() > 9999) {
        return DataParaTextoCurto(DataParaTDateTime(data));
    }
    const auto digitos = [](QChar* p, int valor, int largura) {
        for (int i = largura - 1; i >= 0; --i, valor /= 10) {
            p[i] = QLatin1Char(static_cast<char>('0' + valor % 10));
        }
    };
    QChar r[10];
    digitos(r, data.day(), 2);
    r[2] = regional.separadorData;
    digitos(r + 3, data.month(), 2);
    r[5] = regional.separadorData;
    digitos(r + 6, data.year(), 4);
    return QString(r, 10);
}

TDateTime DiaEHora(qint64 dia, qint64 ms) {
    const double fracao = static_cast<double>(ms) / static_cast<double>(kMsPorDia);
    return dia < 0 ? static_cast<double>(dia) - fracao : static_cast<double>(dia) + fracao;
}

bool PaginaDos(PaginaCodigo pagina) {
    const int numero = static_cast<int>(pagina);
    return numero >= 437 && numero <= 869;
}

QString TextoDeDataHora(TDateTime valor) {
    QString texto = DataParaTextoCurto(valor);
    const double fracao = valor - std::floor(valor);
    if (fracao > 0) {
        texto += QLatin1Char(' ') + FormataDataHora(QStringLiteral("hh:nn:ss"), valor);
    }
    return texto;
}

QByteArray SemQuebrasSuaves(QByteArray memo) {
    qsizetype i = 0;
    while ((i = memo.indexOf("\x8D\x0A", i)) >= 0) {
        const bool blankAntes = i > 0 && memo[i - 1] == ' ';
        memo.replace(i, 2, blankAntes ? QByteArray() : QByteArray(" "));
    }
    return memo;
}

} // namespace dbf
