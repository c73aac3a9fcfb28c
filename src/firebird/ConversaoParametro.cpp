#include "ConversaoParametro.h"

#include "Cp1252.h"
#include "DataTextoMotor.h"
#include "EBancoDestino.h"
#include "FbApi.h"
#include "FormatoNumero.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

constexpr unsigned kCharsetOctets = 1;
constexpr unsigned kTipoNulo = 32766; // the type of a parameter only tested for NULL
constexpr int kMaiorExpoente = DBL_MAX_10_EXP;
constexpr double kEpsilon = 1e-14; // what the engine adds to one half when it rounds a double
constexpr std::int64_t kLimite64 = std::numeric_limits<std::int64_t>::max() / 10;

template <typename T> void Grava(unsigned char* p, T v) {
    std::memcpy(p, &v, sizeof v);
}

// 10^n for 0 <= n < 320 as the engine computes it: one product of two table entries.
double PotenciaDez(int n) {
    static constexpr double kSuperior[] = {1e0, 1e32, 1e64, 1e96, 1e128, 1e160, 1e192, 1e224, 1e256, 1e288};
    static constexpr double kInferior[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10,
                                           1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21,
                                           1e22, 1e23, 1e24, 1e25, 1e26, 1e27, 1e28, 1e29, 1e30, 1e31};
    return kSuperior[n >> 5] * kInferior[n & 31];
}

[[noreturn]] void ForaDaFaixa(const QString& nome) {
    throw fbapi::ErroDoMotor({isc_arg_gds, isc_arith_except, isc_arg_gds, isc_numeric_out_of_range, isc_arg_end}, nome);
}

[[noreturn]] void Truncado(unsigned esperado, qsizetype atual, const QString& nome) {
    throw fbapi::ErroDoMotor({isc_arg_gds, isc_arith_except, isc_arg_gds, isc_string_truncation, isc_arg_gds,
                              isc_trunc_limits, isc_arg_number, static_cast<intptr_t>(esperado), isc_arg_number,
                              static_cast<intptr_t>(atual), isc_arg_end},
                             nome);
}

[[noreturn]] void ErroConversao(const QByteArray& texto, const QString& nome) {
    throw fbapi::ErroDoMotor(
        {isc_arg_gds, isc_convert_error, isc_arg_string, reinterpret_cast<intptr_t>(texto.constData()), isc_arg_end},
        nome);
}

[[noreturn]] void SemConversao(const QString& nome) {
    throw EConversao(QStringLiteral("O valor do parâmetro %1 não pode ser gravado no tipo da sua coluna.").arg(nome));
}

/// A number as a literal brings it: exact (valor x 10^escala) or a double.
struct Numero {
    bool exato = true;
    std::int64_t valor = 0;
    int escala = 0;
    double real = 0.0;
};

// digits x 10^expoente as the engine computes a double from a number text: the digits, then one
// multiplication or division by a power of ten.
double Escala(double digitos, int expoente, const QString& nome) {
    if (std::abs(expoente) > kMaiorExpoente) {
        ForaDaFaixa(nome);
    }
    const double r = expoente < 0 ? digitos / PotenciaDez(-expoente) : digitos * PotenciaDez(expoente);
    if (std::isinf(r)) {
        ForaDaFaixa(nome);
    }
    return r;
}

/// A number text as the engine reads it for an exact column (valor x 10^escala, the exponent
/// folded into the scale) and for a double (its digits accumulated in a double, then scaled).
struct NumeroTexto {
    std::int64_t valor = 0;
    int escala = 0;
    bool excede = false; ///< more digits than 64 bits hold
    double acumulado = 0.0;
};

// Blanks around, a sign, digits with one point, an optional exponent; anything else is refused.
NumeroTexto LeNumeroTexto(const QByteArray& texto, const QString& nome) {
    const char* p = texto.constData();
    const char* fim = p + texto.size();
    while (p < fim && *p == ' ') {
        ++p;
    }
    while (fim > p && fim[-1] == ' ') {
        --fim;
    }
    const auto digito = [&p, fim] { return p < fim && *p >= '0' && *p <= '9'; };
    NumeroTexto n;
    bool negativo = false;
    if (p < fim && (*p == '-' || *p == '+')) {
        negativo = *p++ == '-';
    }
    bool algum = false;
    bool ponto = false;
    for (; digito() || (p < fim && *p == '.' && !ponto); ++p) {
        if (*p == '.') {
            ponto = true;
            continue;
        }
        algum = true;
        const int d = *p - '0';
        n.acumulado = n.acumulado * 10.0 + d;
        n.escala -= ponto ? 1 : 0;
        n.excede = n.excede || n.valor > (std::numeric_limits<std::int64_t>::max() - d) / 10;
        n.valor = n.excede ? 0 : n.valor * 10 + d;
    }
    if (algum && p < fim && (*p == 'e' || *p == 'E')) {
        ++p;
        bool expNegativo = false;
        if (p < fim && (*p == '-' || *p == '+')) {
            expNegativo = *p++ == '-';
        }
        if (!digito()) {
            ErroConversao(texto, nome);
        }
        int expoente = 0;
        for (; digito(); ++p) {
            expoente = expoente * 10 + (*p - '0');
            if (expoente >= std::numeric_limits<std::int16_t>::max()) {
                ForaDaFaixa(nome);
            }
        }
        n.escala += expNegativo ? -expoente : expoente;
    }
    if (!algum || p != fim) {
        ErroConversao(texto, nome);
    }
    n.valor = negativo ? -n.valor : n.valor;
    n.acumulado = negativo ? -n.acumulado : n.acumulado;
    return n;
}

// The number a value stands for, for a column of exact numbers or of doubles.
Numero NumeroDe(const TValorParametro& v, bool paraDouble, const QString& nome) {
    Numero n;
    switch (v.tipo) {
    case TValorParametro::Tipo::Inteiro:
        n.valor = v.inteiro;
        return n;
    case TValorParametro::Tipo::Real: {
        if (!std::isfinite(v.real)) {
            SemConversao(nome);
        }
        const TDecimalGeral d = DecimalGeral(v.real);
        const std::int64_t digitos = d.negativo ? -d.digitos : d.digitos;
        if (d.comExpoente) {
            n.exato = false;
            n.real = Escala(static_cast<double>(digitos), d.expoente, nome);
        } else if (d.expoente >= 0) {
            n.valor = digitos * static_cast<std::int64_t>(PotenciaDez(d.expoente)); // at most 15 digits
        } else {
            n.valor = digitos;
            n.escala = d.expoente;
        }
        return n;
    }
    case TValorParametro::Tipo::Double:
        n.exato = false;
        n.real = v.real;
        return n;
    case TValorParametro::Tipo::Texto: {
        const NumeroTexto t = LeNumeroTexto(ParaCp1252(v.texto), nome);
        if (paraDouble) {
            n.exato = false;
            n.real = Escala(t.acumulado, t.escala, nome);
        } else if (t.excede) {
            ForaDaFaixa(nome);
        } else {
            n.valor = t.valor;
            n.escala = t.escala;
        }
        return n;
    }
    case TValorParametro::Tipo::Nulo:
    case TValorParametro::Tipo::DataHora:
        break;
    }
    SemConversao(nome);
}

// An exact value at the column's scale: rounded half away from zero on the first digit dropped.
std::int64_t Reescala(std::int64_t valor, int deEscala, int paraEscala, const QString& nome) {
    int ajuste = paraEscala - deEscala;
    if (ajuste > 0) {
        std::int64_t fracao = 0;
        for (; ajuste > 0; --ajuste) {
            fracao = valor % 10;
            valor /= 10;
        }
        valor += fracao > 4 ? 1 : (fracao < -4 ? -1 : 0);
    }
    for (; ajuste < 0; ++ajuste) {
        if (valor > kLimite64 || valor < -kLimite64) {
            ForaDaFaixa(nome);
        }
        valor *= 10;
    }
    return valor;
}

// A double at the column's scale, rounded as the engine rounds it (half away from zero, with a
// small epsilon), within the limits of the column's integer type.
std::int64_t Arredonda(double d, int escala, unsigned tipo, const QString& nome) {
    if (std::isnan(d)) {
        ForaDaFaixa(nome);
    }
    if (escala > 0) {
        d /= PotenciaDez(escala);
    } else if (escala < 0) {
        d *= PotenciaDez(-escala);
    }
    d += d > 0 ? 0.5 + kEpsilon : -(0.5 + kEpsilon);
    if (tipo == SQL_INT64) {
        if (!(d >= -9223372036854775808.0 && d < 9223372036854775808.0)) {
            ForaDaFaixa(nome);
        }
        return static_cast<std::int64_t>(d);
    }
    // Rounding that lands just beyond the 32-bit limits still gives the limit.
    if (d < -2147483648.0) {
        if (d > -2147483649.0) {
            return std::numeric_limits<std::int32_t>::min();
        }
        ForaDaFaixa(nome);
    }
    if (d > 2147483647.0) {
        if (d < 2147483648.0) {
            return std::numeric_limits<std::int32_t>::max();
        }
        ForaDaFaixa(nome);
    }
    return static_cast<std::int64_t>(d);
}

void GravaInteiro(const TValorParametro& v, const TDescritorCampo& d, unsigned char* p, const QString& nome) {
    const Numero n = NumeroDe(v, false, nome);
    const std::int64_t r =
        n.exato ? Reescala(n.valor, n.escala, d.escala, nome) : Arredonda(n.real, d.escala, d.tipo, nome);
    switch (d.tipo) {
    case SQL_SHORT:
        if (r < std::numeric_limits<std::int16_t>::min() || r > std::numeric_limits<std::int16_t>::max()) {
            ForaDaFaixa(nome);
        }
        Grava(p, static_cast<std::int16_t>(r));
        break;
    case SQL_LONG:
        if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max()) {
            ForaDaFaixa(nome);
        }
        Grava(p, static_cast<std::int32_t>(r));
        break;
    default:
        Grava(p, r);
        break;
    }
}

void GravaReal(const TValorParametro& v, const TDescritorCampo& d, unsigned char* p, const QString& nome) {
    const Numero n = NumeroDe(v, true, nome);
    double r = n.real;
    if (n.exato) {
        r = static_cast<double>(n.valor);
        if (n.escala != 0) {
            if (std::abs(n.escala) > kMaiorExpoente) {
                ForaDaFaixa(nome);
            }
            r = n.escala > 0 ? r * PotenciaDez(n.escala) : r / PotenciaDez(-n.escala);
        }
    }
    if (d.tipo == SQL_FLOAT) {
        if (std::fabs(r) > FLT_MAX) {
            ForaDaFaixa(nome);
        }
        Grava(p, static_cast<float>(r));
    } else {
        Grava(p, r);
    }
}

// An exact number as the engine writes it into a text: its digits with a point at its scale.
QByteArray TextoDoNumero(const TValorParametro& v, const QString& nome) {
    const Numero n = NumeroDe(v, false, nome);
    if (!n.exato) {
        SemConversao(nome);
    }
    const bool negativo = n.valor < 0;
    QByteArray digitos =
        QByteArray::number(negativo ? 0 - static_cast<std::uint64_t>(n.valor) : static_cast<std::uint64_t>(n.valor));
    if (n.escala > 0) {
        digitos += QByteArray(n.escala, '0');
    } else if (n.escala < 0) {
        digitos = digitos.rightJustified(-n.escala + 1, '0');
        digitos.insert(digitos.size() + n.escala, '.');
    }
    return negativo ? '-' + digitos : digitos;
}

void GravaTexto(const TValorParametro& v, const TDescritorCampo& d, unsigned char* p, const QString& nome) {
    const bool variavel = d.tipo == SQL_VARYING;
    char* destino = reinterpret_cast<char*>(p + (variavel ? sizeof(std::uint16_t) : 0));
    qsizetype n = 0;
    QByteArray bytes;
    if (v.tipo == TValorParametro::Tipo::Texto && v.texto.size() <= static_cast<qsizetype>(d.tamanho)) {
        n = EscreveCp1252(v.texto, destino); // fits as it stands: written in place
    } else {
        bytes = v.tipo == TValorParametro::Tipo::Texto ? ParaCp1252(v.texto) : TextoDoNumero(v, nome);
        n = bytes.size();
    }
    const char preenche = d.charset == kCharsetOctets ? '\0' : ' ';
    if (n > static_cast<qsizetype>(d.tamanho)) {
        if (v.tipo != TValorParametro::Tipo::Texto) {
            ErroConversao(bytes, nome); // a number does not fit
        }
        // What goes beyond the column may only be blanks, which the engine drops.
        for (qsizetype i = d.tamanho; i < n; ++i) {
            if (bytes[i] != preenche) {
                Truncado(d.tamanho, n, nome);
            }
        }
        n = d.tamanho;
    }
    if (!bytes.isNull()) {
        std::memcpy(destino, bytes.constData(), static_cast<std::size_t>(n));
    }
    if (variavel) {
        Grava(p, static_cast<std::uint16_t>(n));
    } else {
        std::memset(destino + n, preenche, d.tamanho - static_cast<std::size_t>(n));
    }
}

void GravaDataHora(const TValorParametro& v, const TDescritorCampo& d, unsigned char* p, const QString& nome) {
    TDataHoraMotor r;
    if (v.tipo == TValorParametro::Tipo::DataHora) {
        r.dia = v.dia;
        r.hora = v.hora;
    } else if (v.tipo == TValorParametro::Tipo::Texto) {
        const EsperaDataHora espera = d.tipo == SQL_TIMESTAMP   ? EsperaDataHora::DataHora
                                      : d.tipo == SQL_TYPE_DATE ? EsperaDataHora::Data
                                                                : EsperaDataHora::Hora;
        const QByteArray texto = ParaCp1252(v.texto);
        switch (LeDataHoraMotor(texto, espera, r)) {
        case FalhaDataHora::Nenhuma:
            break;
        case FalhaDataHora::Conversao:
            ErroConversao(texto, nome);
        case FalhaDataHora::ForaDaFaixa:
            throw fbapi::ErroDoMotor(
                {isc_arg_gds, espera == EsperaDataHora::Data ? isc_date_range_exceeded : isc_datetime_range_exceeded,
                 isc_arg_end},
                nome);
        }
    } else {
        ErroConversao(TextoDoNumero(v, nome), nome); // a number is no date
    }
    if (d.tipo == SQL_TIMESTAMP) {
        Grava(p, r.dia);
        Grava(p + sizeof r.dia, r.hora);
    } else if (d.tipo == SQL_TYPE_DATE) {
        Grava(p, r.dia);
    } else {
        Grava(p, r.hora);
    }
}

} // namespace

void GravaParametro(const TValorParametro& valor, const TDescritorCampo& d, unsigned char* mensagem,
                    const QString& nome, const TCriaBlob& criaBlob) {
    const bool nulo = valor.tipo == TValorParametro::Tipo::Nulo;
    Grava<std::int16_t>(mensagem + d.offsetNulo, nulo ? -1 : 0);
    if (nulo || d.tipo == kTipoNulo) {
        return;
    }
    unsigned char* p = mensagem + d.offset;
    switch (d.tipo) {
    case SQL_TEXT:
    case SQL_VARYING:
        GravaTexto(valor, d, p, nome);
        return;
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        GravaInteiro(valor, d, p, nome);
        return;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        GravaReal(valor, d, p, nome);
        return;
    case SQL_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
        GravaDataHora(valor, d, p, nome);
        return;
    case SQL_BLOB:
        if (valor.tipo != TValorParametro::Tipo::Texto) {
            SemConversao(nome);
        }
        criaBlob(ParaCp1252(valor.texto), p);
        return;
    default:
        SemConversao(nome);
    }
}
