#include "DataHora.h"

#include "ConfiguracaoRegional.h"

#include <QTime>

#include <cmath>

namespace {

constexpr qint64 kMsPorDia = 24LL * 60 * 60 * 1000;
// 1 January 0001 and 31 December 9999 as day counts: the range the legacy date type knows.
constexpr double kPrimeiroDia = -693593.0;
constexpr double kUltimoDia = 2958465.0;

QDate DiaZero() {
    return QDate(1899, 12, 30);
}

// Whole days and milliseconds of the time of day. Before day 0 the legacy type keeps the time
// as a positive fraction beside a negative day (-1.25 is 29 December 1899, 06:00).
bool Decompoe(TDateTime valor, qint64& dias, qint64& ms) {
    if (!std::isfinite(valor)) {
        return false;
    }
    const double inteiro = std::trunc(valor);
    if (inteiro < kPrimeiroDia || inteiro > kUltimoDia) {
        return false;
    }
    dias = static_cast<qint64>(inteiro);
    ms = std::llround(std::fabs(valor - inteiro) * static_cast<double>(kMsPorDia));
    if (ms >= kMsPorDia) {
        ms = 0;
        ++dias;
    }
    return static_cast<double>(dias) <= kUltimoDia;
}

QString Numero(int valor, int largura) {
    return QString::number(valor).rightJustified(largura, QLatin1Char('0'));
}

} // namespace

TDateTime DataParaTDateTime(const QDate& data) {
    return data.isValid() ? static_cast<TDateTime>(DiaZero().daysTo(data)) : 0.0;
}

TDateTime DataHoraParaTDateTime(const QDateTime& dataHora) {
    if (!dataHora.isValid()) {
        return 0.0;
    }
    const TDateTime dias = DataParaTDateTime(dataHora.date());
    const double fracao = static_cast<double>(dataHora.time().msecsSinceStartOfDay()) / static_cast<double>(kMsPorDia);
    return dias < 0 ? dias - fracao : dias + fracao;
}

QDate TDateTimeParaData(TDateTime valor) {
    qint64 dias = 0;
    qint64 ms = 0;
    if (!Decompoe(valor, dias, ms)) {
        return QDate();
    }
    return DiaZero().addDays(dias);
}

QDateTime TDateTimeParaDataHora(TDateTime valor) {
    qint64 dias = 0;
    qint64 ms = 0;
    if (!Decompoe(valor, dias, ms)) {
        return QDateTime();
    }
    return QDateTime(DiaZero().addDays(dias), QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

QString FormataDataHora(const QString& formato, TDateTime valor) {
    int ano = 0;
    int mes = 0;
    int dia = 0;
    int hora = 0;
    int minuto = 0;
    int segundo = 0;
    qint64 dias = 0;
    qint64 ms = 0;
    // Out of range: zeros, as the legacy formatter wrote them; the database refuses such a date.
    if (Decompoe(valor, dias, ms)) {
        const QDate data = DiaZero().addDays(dias);
        ano = data.year();
        mes = data.month();
        dia = data.day();
        hora = static_cast<int>(ms / 3600000);
        minuto = static_cast<int>(ms / 60000 % 60);
        segundo = static_cast<int>(ms / 1000 % 60);
    }

    QString r;
    QChar ultimo;
    const qsizetype n = formato.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = formato.at(i);
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype fecha = formato.indexOf(c, i + 1);
            const qsizetype fim = fecha < 0 ? n : fecha;
            r += formato.mid(i + 1, fim - i - 1);
            i = fim + 1;
            continue;
        }
        if (c == QLatin1Char('/')) {
            r += Regional().separadorData;
            ++i;
            continue;
        }
        if (!c.isLetter() || c.unicode() > 127) {
            r += c;
            ++i;
            continue;
        }
        QChar token = c.toUpper();
        qsizetype repeticoes = 1;
        while (i + repeticoes < n && formato.at(i + repeticoes).toUpper() == token) {
            ++repeticoes;
        }
        // "m" right after an hour means minutes, as in "hh:mm".
        if (token == QLatin1Char('M') && ultimo == QLatin1Char('H')) {
            token = QLatin1Char('N');
        }
        ultimo = token;
        const char t = token.toLatin1();
        if (t == 'Y') {
            r += repeticoes <= 2 ? Numero(ano % 100, 2) : Numero(ano, 4);
            i += repeticoes;
            continue;
        }
        int valorCampo = 0;
        switch (t) {
        case 'D':
            valorCampo = dia;
            break;
        case 'M':
            valorCampo = mes;
            break;
        case 'H':
            valorCampo = hora;
            break;
        case 'N':
            valorCampo = minuto;
            break;
        case 'S':
            valorCampo = segundo;
            break;
        default:
            r += c;
            ++i;
            continue;
        }
        const qsizetype usados = std::min<qsizetype>(repeticoes, 2);
        r += Numero(valorCampo, static_cast<int>(usados));
        i += usados;
    }
    return r;
}

QString DataParaTextoCurto(TDateTime valor) {
    return FormataDataHora(Regional().formatoDataCurta, valor);
}

std::optional<TDateTime> TextoCurtoParaData(const QString& texto) {
    // The order of the fields follows the first of d, m or y in the pattern.
    enum class Ordem { DMY, MDY, YMD };
    Ordem ordem = Ordem::MDY;
    for (const QChar c : Regional().formatoDataCurta) {
        const QChar u = c.toUpper();
        if (u == QLatin1Char('D')) {
            ordem = Ordem::DMY;
            break;
        }
        if (u == QLatin1Char('M')) {
            ordem = Ordem::MDY;
            break;
        }
        if (u == QLatin1Char('Y')) {
            ordem = Ordem::YMD;
            break;
        }
    }

    const QChar separador = Regional().separadorData;
    const qsizetype n = texto.size();
    qsizetype i = 0;
    auto pulaBrancos = [&] {
        while (i < n && texto.at(i) == QLatin1Char(' ')) {
            ++i;
        }
    };
    // At most four digits per field; returns the number of digits read.
    auto numero = [&](int& valor) {
        pulaBrancos();
        int algarismos = 0;
        valor = 0;
        while (i < n && algarismos < 4 && texto.at(i) >= QLatin1Char('0') && texto.at(i) <= QLatin1Char('9')) {
            valor = valor * 10 + (texto.at(i).unicode() - u'0');
            ++algarismos;
            ++i;
        }
        return algarismos;
    };
    auto separadorSeguinte = [&] {
        pulaBrancos();
        if (i < n && texto.at(i) == separador) {
            ++i;
            return true;
        }
        return false;
    };

    int n1 = 0;
    int n2 = 0;
    int n3 = 0;
    const int algarismos1 = numero(n1);
    if (algarismos1 == 0 || !separadorSeguinte() || numero(n2) == 0) {
        return std::nullopt;
    }
    int dia = 0;
    int mes = 0;
    int ano = 0;
    int algarismosAno = 4;
    if (separadorSeguinte()) {
        const int algarismos3 = numero(n3);
        if (algarismos3 == 0) {
            return std::nullopt;
        }
        // The month is in the middle except in month/day/year; the year is last except in year/month/day.
        dia = ordem == Ordem::DMY ? n1 : ordem == Ordem::MDY ? n2 : n3;
        mes = ordem == Ordem::MDY ? n1 : n2;
        ano = ordem == Ordem::YMD ? n1 : n3;
        algarismosAno = ordem == Ordem::YMD ? algarismos1 : algarismos3;
    } else {
        // Day and month only: this year.
        ano = Hoje().year();
        dia = ordem == Ordem::DMY ? n1 : n2;
        mes = ordem == Ordem::DMY ? n2 : n1;
    }
    pulaBrancos();
    if (i != n) {
        return std::nullopt;
    }
    if (algarismosAno <= 2) {
        // A two-digit year lands within 50 years of today.
        const int pivo = Hoje().year() - 50;
        ano += pivo / 100 * 100;
        if (ano < pivo) {
            ano += 100;
        }
    }
    if (ano < 1 || ano > 9999 || mes < 1 || mes > 12 || dia < 1 || dia > QDate(ano, mes, 1).daysInMonth()) {
        return std::nullopt;
    }
    return DataParaTDateTime(QDate(ano, mes, dia));
}
