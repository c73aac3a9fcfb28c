#pragma once

#include <QString>

class IRegistroAlteracoes;

/// The source record a conversion is on, as the writers read it to say where a change came from.
/// The loop over a table fills it before each record's values are mapped.
struct TContextoRegistro {
    QString tipo;         ///< the kind's key, e.g. "CLIENTES"
    QString tabelaOrigem; ///< e.g. "TABCLI"
    qint64 registro = 0;  ///< the record's number in the source table, from 1
    QString codigoOrigem; ///< the record's code, as read
    /// Where the writers record what they change; not owned, may be none (nothing is recorded).
    IRegistroAlteracoes* alteracoes = nullptr;
};
