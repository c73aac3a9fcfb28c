#pragma once

#include <QString>

/// Creates a new test target database at the path: dialect 1, WIN1252, every table and column
/// the conversion's statements name, primary keys on the code columns, and the nine triggers
/// the run switches off and on. Shared by the tests and `conversor-tavrin criar-destino`.
/// Raises EBancoDestino (engine text) or EConversao on failure.
void CriaBancoTeste(const QString& caminho);
