#pragma once

#include "Vendedor.h"

#include <QString>

#include <memory>
#include <vector>

class TConexaoDestino;

/// Sellers read back from VENDEND: the records, owned here, and the collection that lists them
/// in row order (the collection itself never owns records).
struct TVendedoresLidos {
    std::vector<std::unique_ptr<TRegistroVendedor>> registros;
    TColVendend colecao;
};

/// The only code that touches VENDEND. Every value travels as a named parameter; the insert is
/// where seller values are cut to the column widths and cleaned. Each operation uses a query of
/// its own, in the connection's current transaction, and never commits or rolls back.
/// Borrows the connection.
class TVendedorDAO {
public:
    explicit TVendedorDAO(TConexaoDestino& pConexao) : vConexao(pConexao) {}

    /// The widths the insert cuts the code (then zero-padded) and the name to.
    static constexpr int kLarguraCodigo = 4;
    static constexpr int kLarguraNome = 40;

    /// Every row of VENDEND, or nullptr when the table has none. Database errors pass on.
    std::unique_ptr<TVendedoresLidos> FRetornaColecaoRegistro();
    /// The row whose code equals pCodvendedor as given (not padded), or nullptr.
    std::unique_ptr<TRegistroVendedor> FRetornaRegistro(const QString& pCodvendedor);

    // Insert, update and delete show a warning naming the database's reason and return false
    // when their statement fails; the error goes no further and the transaction is untouched.

    /// The code the insert writes for the record (CODVENDEDOR cut and padded to its column), the
    /// seller's key in the target.
    static QString CodigoInserido(const TRegistroVendedor& vpObjRegistroVendend);
    /// Inserts the record, cut and cleaned to the columns; a refusal's reason goes to `motivo` when given.
    bool FInsereRegistro(const TRegistroVendedor& vpObjRegistroVendend, QString* motivo = nullptr);
    /// Inserts in order and stops at the first failure (later records are not attempted).
    bool FInsereColecaoRegistro(const TColVendend& vpColeVendend);
    /// Writes every field but the code, unchanged, into the row with the record's code.
    /// True also when no row has that code.
    bool FUpdateRegistro(const TRegistroVendedor& vpObjRegistroVendend);
    /// True also when no row has that code.
    bool FDeletaRegistro(const QString& pCodvendedor);
    /// Updates every record of the collection, whatever each result.
    void pUpdateColecaoRegistro(const TColVendend& vpColeVendend);

    // The statement texts: columns qualified with the table, parameters named after the columns.
    static QString FRetornaSqlVendend();
    static QString FRetornaSqlRegistroVendend();
    static QString FRetornaSqlInserTRegistroVendedor();
    static QString FRetornaSqlUpdateRegistroVendend();
    static QString FRetornaSqlDeletaRegistroVendend();

private:
    TConexaoDestino& vConexao;
};
