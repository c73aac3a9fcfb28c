#pragma once

#include <QString>

#include <cstdint>
#include <utility>

/// A parameter's value as the caller has it. The query writes it into the type the engine
/// describes for the parameter (the column's own type), converting it exactly as the engine
/// converts the literal the value stands for: a Real as the general float text that writes it
/// (15 significant digits), a Texto for a DATE column as the engine reads that date text.
struct TValorParametro {
    enum class Tipo : unsigned char { Nulo, Texto, Inteiro, Real, Double, DataHora };

    Tipo tipo = Tipo::Nulo;
    QString texto;
    std::int64_t inteiro = 0;
    double real = 0.0;      ///< Real and Double
    std::int32_t dia = 0;   ///< DataHora: the engine's day number
    std::uint32_t hora = 0; ///< DataHora: the engine's time of day (1/10000 s)

    static TValorParametro Nulo() { return {}; }
    static TValorParametro Texto(QString valor) {
        TValorParametro v;
        v.tipo = Tipo::Texto;
        v.texto = std::move(valor);
        return v;
    }
    static TValorParametro Inteiro(std::int64_t valor) {
        TValorParametro v;
        v.tipo = Tipo::Inteiro;
        v.inteiro = valor;
        return v;
    }
    /// A real as written by the general float text (FloatParaTexto with a point): a literal without
    /// an exponent is an exact number of its own scale, one with an exponent a double.
    static TValorParametro Real(double valor) {
        TValorParametro v;
        v.tipo = Tipo::Real;
        v.real = valor;
        return v;
    }
    /// A double bound as it is.
    static TValorParametro Double(double valor) {
        TValorParametro v;
        v.tipo = Tipo::Double;
        v.real = valor;
        return v;
    }
    /// A date and time (days since 30.12.1899, the fraction the time of day); raises EConversao
    /// when it is no date the engine can hold.
    static TValorParametro DataHora(double valor);
    /// A date and time as the engine's day number and time of day.
    static TValorParametro DataHora(std::int32_t dia, std::uint32_t hora) {
        TValorParametro v;
        v.tipo = Tipo::DataHora;
        v.dia = dia;
        v.hora = hora;
        return v;
    }
};
