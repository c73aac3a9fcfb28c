#pragma once

#include "DescricaoLinha.h"
#include "classConversao.h"

#include <QString>

#include <span>

/// The complement row of one customer in COMPCLIE: references, user, release date and the
/// address parts of electronic invoices. Its values are bound, so they keep quotes and
/// apostrophes. Borrows the connection; owns its queries through TConversao.
class TConverteCompClie : public TConversao {
public:
    /// Without a connection it only fills its values (see TConversao).
    explicit TConverteCompClie(TConexaoDestino* cBanco = nullptr);
    explicit TConverteCompClie(TConexaoDestino& cBanco) : TConverteCompClie(&cBanco) {}

    const QString& Codcliente() const { return FCodcliente; }
    const QString& RefComerciais() const { return FRefComerciais; }
    const QString& RefBancarias() const { return FRefBancarias; }
    const QString& Usuario() const { return FUsuario; }
    const QString& Data_lib() const { return FData_lib; }
    const QString& EnderecoNfe() const { return FEnderecoNfe; }
    const QString& NumeroNfe() const { return FNumeroNfe; }
    const QString& ComplementoNfe() const { return FComplementoNfe; }

    void SetCodcliente(const QString& Value);
    /// Takes the code exactly as the customer record stored it, so the row always joins its
    /// customer: a source code with a mask is stored with fewer than eight digits, and the fill
    /// of SetCodcliente would file the complement under another code.
    void SetCodclienteDoCliente(const QString& codCliente);
    void SetRefComerciais(const QString& Value);
    void SetRefBancarias(const QString& Value);
    void SetUsuario(const QString& Value);
    /// A date text in the regional short date format; read only when the row is inserted.
    void SetData_lib(const QString& Value);
    void SetEnderecoNfe(const QString& Value);
    void SetNumeroNfe(const QString& Value);
    void SetComplementoNfe(const QString& Value);

    /// Empties every field; the release date becomes "01/01/1900".
    void LimpaVariavel();
    /// Empties COMPCLIE and commits the connection's transaction.
    void LimpaTabela();
    /// Inserts the row and resets the record. Raises EConversao, before executing anything,
    /// when the release date is not a date; raises the database's error when the row is refused.
    bool ExecutaSql();

private:
    static std::span<const TColunaLinha<TConverteCompClie>> Colunas();
    TDescricaoLinha<TConverteCompClie> m_linha{"COMPCLIE", Colunas()};

    QString FCodcliente;
    QString FRefComerciais;
    QString FRefBancarias;
    QString FUsuario;
    QString FData_lib;
    QString FEnderecoNfe;
    QString FNumeroNfe;
    QString FComplementoNfe;
};

/// The house number of a street address for the invoice, digits joined by a "." counting as one
/// number ("1.234"): the number right after the marker "nº" (also "Nº", "n°", "N°"; a letter there
/// means none); else, with a comma, the number right after the first comma, or none for "S/N", or the
/// number that ends the text before that comma; else none for "S/N", or the last number. Empty when
/// there is none.
QString NumeroDaCasa(const QString& endereco);
