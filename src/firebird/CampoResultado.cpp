#include "CampoResultado.h"

#include "Cp1252.h"
#include "DataTextoMotor.h"
#include "EConversao.h"
#include "FormatoDestino.h"

#include <firebird/Interface.h>

#include <cmath>
#include <cstring>

namespace {

constexpr unsigned kCharsetOctets = 1;

template <typename T> T Le(const unsigned char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

EConversao ErroValor(const QString& texto, const char* tipo) {
    return EConversao(QStringLiteral("'%1' não é um valor %2 válido.").arg(texto, QLatin1String(tipo)));
}

double Escala(qint64 v, int escala) {
    return static_cast<double>(v) * std::pow(10.0, escala);
}

QString TextoDeBytes(const char* p, qsizetype n, unsigned charset) {
    if (charset == kCharsetOctets) {
        return QString::fromLatin1(p, n);
    }
    return DeCp1252(p, n);
}

} // namespace

QString TextoCampo(const TColunaResultado& c, const unsigned char* p, const TLeBlob& leBlob) {
    if (p == nullptr) {
        return {};
    }
    switch (c.tipo) {
    case SQL_TEXT: {
        const char* s = reinterpret_cast<const char*>(p);
        qsizetype n = static_cast<qsizetype>(c.tamanho);
        while (n > 0 && s[n - 1] == ' ') {
            --n; // CHAR comes padded with blanks
        }
        return TextoDeBytes(s, n, c.charset);
    }
    case SQL_VARYING:
        return TextoDeBytes(reinterpret_cast<const char*>(p + sizeof(ISC_USHORT)), Le<ISC_USHORT>(p), c.charset);
    case SQL_SHORT:
        return formato::TextoEscalado(Le<ISC_SHORT>(p), c.escala);
    case SQL_LONG:
        return formato::TextoEscalado(Le<ISC_LONG>(p), c.escala);
    case SQL_INT64:
        return formato::TextoEscalado(Le<ISC_INT64>(p), c.escala);
    case SQL_FLOAT:
        return formato::TextoDouble(Le<float>(p));
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return formato::TextoDouble(Le<double>(p));
    case SQL_TIMESTAMP:
        return formato::TextoDataHora(Le<ISC_DATE>(p), Le<ISC_TIME>(p + sizeof(ISC_DATE)), true);
    case SQL_TYPE_DATE:
        return formato::TextoDataHora(Le<ISC_DATE>(p), 0, false);
    case SQL_TYPE_TIME:
        return formato::TextoHora(Le<ISC_TIME>(p));
    case SQL_BOOLEAN:
        return *p != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case SQL_BLOB: {
        const QByteArray b = leBlob(p);
        return TextoDeBytes(b.constData(), b.size(), c.subtipo == 1 ? c.charset : kCharsetOctets);
    }
    default:
        throw EConversao(QStringLiteral("Campo '%1' de tipo %2 não pode ser lido como texto.").arg(c.nome).arg(c.tipo));
    }
}

double RealCampo(const TColunaResultado& c, const unsigned char* p, const TLeBlob& leBlob) {
    if (p == nullptr) {
        return 0.0;
    }
    switch (c.tipo) {
    case SQL_SHORT:
        return Escala(Le<ISC_SHORT>(p), c.escala);
    case SQL_LONG:
        return Escala(Le<ISC_LONG>(p), c.escala);
    case SQL_INT64:
        return Escala(Le<ISC_INT64>(p), c.escala);
    case SQL_FLOAT:
        return Le<float>(p);
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return Le<double>(p);
    case SQL_TIMESTAMP:
        return formato::ParaTDateTime(Le<ISC_DATE>(p), Le<ISC_TIME>(p + sizeof(ISC_DATE)));
    case SQL_TYPE_DATE:
        return formato::ParaTDateTime(Le<ISC_DATE>(p), 0);
    case SQL_TYPE_TIME:
        return static_cast<double>(Le<ISC_TIME>(p)) / formato::kUnidadesPorDia;
    case SQL_BOOLEAN:
        return *p != 0 ? 1.0 : 0.0;
    default: {
        const QString t = TextoCampo(c, p, leBlob).trimmed();
        if (t.isEmpty()) {
            return 0.0;
        }
        bool ok = false;
        double v = t.toDouble(&ok);
        if (!ok) {
            v = QString(t).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        }
        if (!ok) {
            throw ErroValor(t, "numérico");
        }
        return v;
    }
    }
}

qint64 InteiroCampo(const TColunaResultado& c, const unsigned char* p, const TLeBlob& leBlob) {
    if (p == nullptr) {
        return 0;
    }
    switch (c.tipo) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: {
        const qint64 v = c.tipo == SQL_SHORT  ? Le<ISC_SHORT>(p)
                         : c.tipo == SQL_LONG ? Le<ISC_LONG>(p)
                                              : Le<ISC_INT64>(p);
        return c.escala == 0 ? v : static_cast<qint64>(std::llround(Escala(v, c.escala)));
    }
    case SQL_VARYING:
    case SQL_TEXT:
    case SQL_BLOB: {
        const QString t = TextoCampo(c, p, leBlob).trimmed();
        if (t.isEmpty()) {
            return 0;
        }
        bool ok = false;
        const qint64 v = t.toLongLong(&ok);
        if (!ok) {
            throw ErroValor(t, "inteiro");
        }
        return v;
    }
    default: {
        const double v = RealCampo(c, p, leBlob);
        if (!(std::fabs(v) < 9.2e18)) {
            throw ErroValor(formato::TextoDouble(v), "inteiro");
        }
        return static_cast<qint64>(c.tipo == SQL_TIMESTAMP || c.tipo == SQL_TYPE_DATE ? std::trunc(v)
                                                                                      : std::llround(v));
    }
    }
}

TDateTime DataHoraCampo(const TColunaResultado& c, const unsigned char* p, const TLeBlob& leBlob) {
    if (p == nullptr) {
        return 0.0;
    }
    if (c.tipo != SQL_VARYING && c.tipo != SQL_TEXT) {
        return RealCampo(c, p, leBlob);
    }
    // A date text reads as the engine reads it.
    const QString t = TextoCampo(c, p, leBlob).trimmed();
    TDataHoraMotor lida;
    if (t.isEmpty()) {
        return 0.0;
    }
    if (LeDataHoraMotor(ParaCp1252(t), EsperaDataHora::DataHora, lida) != FalhaDataHora::Nenhuma) {
        throw ErroValor(t, "de data");
    }
    return formato::ParaTDateTime(lida.dia, lida.hora);
}
