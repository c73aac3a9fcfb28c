#pragma once

#include "DataHora.h"
#include "PaginaCodigo.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>

/// The bytes of dBASE headers, records and memo files, read as numbers, dates and texts.
namespace dbf {

// The longest field name a dBASE III/IV or FoxPro header holds.
constexpr int kTamanhoNomeCampo = 10;
constexpr qint64 kMsPorDia = 86400000;

inline std::uint16_t Le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t Le32(const unsigned char* p) {
    return (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
}

inline std::uint32_t Le32Be(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

inline std::uint64_t Le64(const unsigned char* p) {
    return (std::uint64_t(Le32(p + 4)) << 32) | Le32(p);
}

inline std::uint64_t Le64Be(const unsigned char* p) {
    return (std::uint64_t(Le32Be(p)) << 32) | Le32Be(p + 4);
}

double BitsParaDouble(std::uint64_t bits);

inline bool EhMemo(char tipo, bool vfp) {
    return tipo == 'M' || tipo == 'G' || tipo == 'P' || (tipo == 'B' && !vfp);
}

inline bool EhVisualFoxPro(std::uint8_t versao) {
    return versao == 0x30 || versao == 0x31 || versao == 0x32;
}

inline bool BrancoOuNul(char c) {
    return c == ' ' || c == '\0' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

/// ASCII bytes of a fixed-width field with NULs read as blanks and blanks trimmed at both ends. The
/// result views the field's own bytes, or `copia` when a NUL inside had to become a blank.
QByteArrayView AsciiLimpo(QByteArrayView bytes, QByteArray& copia);
QByteArray AsciiLimpo(QByteArrayView bytes);

/// A memo field's block number: 4 bytes in Visual FoxPro, else up to 10 digits; 0 for none, empty when
/// the field holds something else.
std::optional<std::uint64_t> PonteiroMemo(QByteArrayView bytes);

struct NumeroAscii {
    enum Estado { Nulo, Valido, Invalido } estado = Nulo;
    double valor = 0;
    /// With comTexto: the text form read straight from the digits when they allow it (an integral
    /// value written without exponent; or at most 15 significant digits, not below 0.0001, which
    /// is exactly what the general float text of the value shows); empty otherwise. When it is
    /// set, valor is not.
    QString texto;
};

/// Numbers as dBASE stores them: right-justified ASCII, '.' decimal point ("12,50" is accepted too),
/// a leading '*' marks an overflowed value (null), trailing '*' padding is dropped.
NumeroAscii LeNumeroAscii(QByteArrayView bytes, bool comTexto = false);

struct DataAscii {
    enum Estado { Nula, Valida, Invalida } estado = Nula;
    QDate data;
};

/// YYYYMMDD; blanks, NULs and zeros ("00000000", "       0") mean no date.
DataAscii LeDataAscii(QByteArrayView bytes);

/// Logical: T/Y true, F/N false, '?', blank and anything else unknown.
std::optional<bool> LeLogico(QByteArrayView bytes);

/// The general float form of a value, integral values as plain digits.
QString TextoDeNumero(double valor);

/// The regional short date of a day.
QString DataCurta(const QDate& data);

/// A day and the milliseconds of its time as the legacy date-time keeps them: before day 0 the time is
/// a fraction taken away from the negative day (-1.25 is 29 December 1899, 06:00).
TDateTime DiaEHora(qint64 dia, qint64 ms);

/// The short date, and the time when there is one.
QString TextoDeDataHora(TDateTime valor);

/// The DOS pages, whose Clipper memos may carry MEMOEDIT's soft line breaks.
bool PaginaDos(PaginaCodigo pagina);

/// MEMOEDIT's soft line breaks (0x8D 0x0A) are word-wrap artefacts, not text: a blank joins the words again.
QByteArray SemQuebrasSuaves(QByteArray memo);

} // namespace dbf
