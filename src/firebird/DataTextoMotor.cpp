#include "DataTextoMotor.h"

#include <QDateTime>

#include <array>
#include <cstring>

namespace {

constexpr int kComponentes = 7; // year, month, day, hours, minutes, seconds, ten-thousandths
constexpr int kMesIngles = -1;  // a component that is an English month name
constexpr std::size_t kLetrasLidas = 10;
constexpr std::array<const char*, 12> kMeses = {"JANUARY", "FEBRUARY", "MARCH",     "APRIL",   "MAY",      "JUNE",
                                                "JULY",    "AUGUST",   "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};
constexpr std::int64_t kJulianoDia0 = 2400001; // Julian day number of the engine's day 0

bool Digito(char c) {
    return c >= '0' && c <= '9';
}
bool Branco(char c) {
    return c == ' ' || c == '\t';
}
char Maiuscula(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}
bool Letra(char c) {
    return c >= 'A' && c <= 'Z';
}

// The engine's day number of a calendar date; out-of-range months and days give some day that
// the round trip below then refuses.
std::int64_t CodificaDia(int ano, int mes, int dia) {
    if (mes > 2) {
        mes -= 3;
    } else {
        mes += 9;
        ano -= 1;
    }
    const int seculo = ano / 100;
    const int anoDoSeculo = ano - 100 * seculo;
    return (std::int64_t{146097} * seculo) / 4 + (1461 * anoDoSeculo) / 4 + (153 * mes + 2) / 5 + dia + 1721119 -
           kJulianoDia0;
}

const std::int64_t kDiaMinimo = CodificaDia(1, 1, 1);
const std::int64_t kDiaMaximo = CodificaDia(9999, 12, 31);

TDataHoraMotor De(const QDateTime& instante) {
    TDataHoraMotor r;
    r.dia = static_cast<std::int32_t>(instante.date().toJulianDay() - kJulianoDia0);
    r.hora = static_cast<std::uint32_t>(instante.time().msecsSinceStartOfDay()) * 10u;
    return r;
}

// NOW, TODAY, TOMORROW, YESTERDAY; the rest of the text may hold only blanks.
FalhaDataHora Palavra(const char* palavra, const char* p, const char* fim, EsperaDataHora espera, TDataHoraMotor& r) {
    // The character right after the word is passed over unseen, as the engine does.
    while (++p < fim) {
        if (!Branco(*p) && *p != 0) {
            return FalhaDataHora::Conversao;
        }
    }
    r = De(QDateTime::currentDateTime());
    if (std::strcmp(palavra, "NOW") == 0) {
        return FalhaDataHora::Nenhuma;
    }
    if (espera == EsperaDataHora::Hora) {
        return FalhaDataHora::Conversao;
    }
    r.hora = 0;
    if (std::strcmp(palavra, "TOMORROW") == 0) {
        ++r.dia;
    } else if (std::strcmp(palavra, "YESTERDAY") == 0) {
        --r.dia;
    } else if (std::strcmp(palavra, "TODAY") != 0) {
        return FalhaDataHora::Conversao;
    }
    return FalhaDataHora::Nenhuma;
}

// The month a word names: the word (3 letters or more) begins its English name; 0 when none.
int Mes(const char* palavra) {
    for (std::size_t m = 0; m < kMeses.size(); ++m) {
        if (std::strncmp(kMeses[m], palavra, std::strlen(palavra)) == 0) {
            return static_cast<int>(m) + 1;
        }
    }
    return 0;
}

} // namespace

FalhaDataHora LeDataHoraMotor(QByteArrayView texto, EsperaDataHora espera, TDataHoraMotor& resultado) {
    const char* p = texto.data();
    const char* const fim = p + texto.size();
    std::array<std::uint16_t, kComponentes> componentes{};
    std::array<int, kComponentes> digitos{}; // digits of each component, 0 when missing
    bool temMes = false;
    bool ponto = false;
    const int primeiro = espera == EsperaDataHora::Hora ? 3 : 0;
    int i = primeiro;
    for (; i < kComponentes; ++i) {
        while (p < fim && Branco(*p)) {
            ++p;
        }
        if (p == fim) {
            break;
        }
        const char c = Maiuscula(*p);
        std::uint16_t n = 0;
        if (Digito(c)) {
            int quantos = 0;
            while (p < fim && Digito(*p)) {
                n = static_cast<std::uint16_t>(n * 10 + (*p++ - '0'));
                ++quantos;
            }
            digitos[static_cast<std::size_t>(i)] = quantos;
        } else if (Letra(c) && !temMes) {
            char palavra[kLetrasLidas + 1] = {};
            std::size_t k = 0;
            while (p < fim && k < kLetrasLidas && Letra(Maiuscula(*p))) {
                palavra[k++] = Maiuscula(*p++);
            }
            if (k < 3) {
                return FalhaDataHora::Conversao;
            }
            const int mes = i < 2 ? Mes(palavra) : 0;
            if (mes == 0) {
                return Palavra(palavra, p, fim, espera, resultado);
            }
            n = static_cast<std::uint16_t>(mes);
            digitos[static_cast<std::size_t>(i)] = kMesIngles;
            temMes = true;
        } else {
            return FalhaDataHora::Conversao;
        }
        componentes[static_cast<std::size_t>(i)] = n;
        while (p < fim && Branco(*p)) {
            ++p;
        }
        if (p == fim) {
            break;
        }
        if (*p == '/' || *p == '-' || *p == ',' || *p == ':') {
            ++p;
        } else if (*p == '.') {
            ponto = ponto || i <= 1;
            ++p;
        }
    }
    // At least two components; no time in a date; nothing but blanks after what was read.
    if (i - primeiro < 1 || (espera == EsperaDataHora::Data && i > 2)) {
        return FalhaDataHora::Conversao;
    }
    for (; p < fim; ++p) {
        if (!Branco(*p)) {
            return FalhaDataHora::Conversao;
        }
    }

    int ano = 1900;
    int mes = 1;
    int dia = 1;
    if (espera != EsperaDataHora::Hora) {
        std::size_t posAno = 2;
        std::size_t posMes = 0;
        std::size_t posDia = 1;
        if (digitos[0] >= 3) {
            posAno = 0; // year-month-day
            posMes = 1;
            posDia = 2;
        } else if (digitos[0] != kMesIngles && (digitos[1] == kMesIngles || ponto)) {
            posMes = 1; // day.month.year, day-MONTH-year
            posDia = 0;
        }
        if (digitos[posAno] > 4 || digitos[posMes] > 2 || digitos[posMes] == 0 || digitos[posDia] > 2 ||
            digitos[posDia] <= 0) {
            return FalhaDataHora::Conversao;
        }
        ano = componentes[posAno];
        mes = componentes[posMes];
        dia = componentes[posDia];
        if (digitos[posAno] == 0) {
            ano = QDate::currentDate().year();
        } else if (digitos[posAno] <= 2) {
            ano += ano < (QDate::currentDate().year() - 1900 - 50) % 100 ? 2000 : 1900;
        }
    }
    if (i > 2 && (componentes[3] > 23 || componentes[4] > 59 || componentes[5] > 59 || digitos[3] > 2 ||
                  digitos[3] == 0 || digitos[4] > 2 || digitos[4] == 0 || digitos[5] > 2 || digitos[6] > 4)) {
        return FalhaDataHora::Conversao;
    }

    const std::int64_t codificado = CodificaDia(ano, mes, dia);
    if (codificado < kDiaMinimo || codificado > kDiaMaximo) {
        return FalhaDataHora::ForaDaFaixa;
    }
    const QDate lida = QDate::fromJulianDay(codificado + kJulianoDia0);
    if (espera != EsperaDataHora::Hora && (lida.year() != ano || lida.month() != mes || lida.day() != dia)) {
        return FalhaDataHora::Conversao; // 31 February, month 13, day 0
    }
    std::uint32_t fracao = componentes[6];
    for (int d = digitos[6]; d < 4; ++d) {
        fracao *= 10;
    }
    resultado.dia = static_cast<std::int32_t>(codificado);
    resultado.hora = ((componentes[3] * 60u + componentes[4]) * 60u + componentes[5]) * 10000u + fracao;
    return FalhaDataHora::Nenhuma;
}
