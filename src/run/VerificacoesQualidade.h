#pragma once

#include <QString>

#include <optional>

// Checks of values the run keeps as they are but the retailer may want to fix. Each takes the value as
// the source holds it; an empty value is not a problem of these checks (a missing document, CEP or state
// is the retailer's choice).

/// Why a CPF or CNPJ (masks allowed, the alphanumeric CNPJ included) is wrong: "dígitos verificadores
/// errados", "12 dígitos: não é CPF (11) nem CNPJ (14)", ...; nothing when it is right or empty.
std::optional<QString> ProblemaCpfCnpj(const QString& valor);

/// False for a CEP that is not 8 digits once its mask ("-", ".", blanks) is removed.
bool CepValido(const QString& valor);

/// False for a state that is not one of the 27 units of the federation nor EX (abroad).
bool UfConhecida(const QString& valor);

/// False for an e-mail address without "@".
bool EmailComArroba(const QString& valor);

/// True for a name with nothing but blanks.
bool NomeVazio(const QString& valor);
