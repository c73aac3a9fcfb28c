#pragma once

#include "DataHora.h"
#include "PaginaCodigo.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class TTabelaDbf;

/// One field of the current source record, as the controllers read it.
class TCampoOrigem {
public:
    TCampoOrigem(const TTabelaDbf& tabela, int indice) : m_tabela(&tabela), m_indice(indice) {}

    /// The text form: C without trailing blanks; N/F blank -> "", integral -> digits, otherwise
    /// the regional general float form ("12,5"); D -> regional short date ("dd/mm/yyyy"), blank -> "";
    /// L -> "VERDADEIRO" / "FALSO", "?" or blank -> ""; memo -> its text.
    QString ComoTexto() const;
    /// The numeric value; raises EConversao naming table, record and field when unreadable.
    double ComoDouble() const;
    /// The date value; raises EConversao naming table, record and field when unreadable.
    TDateTime ComoDataHora() const;
    /// True for a blank/absent value.
    bool Nulo() const;
    /// Raises EConversao naming table, record and field, as an unreadable number does, for a value
    /// the caller cannot use.
    [[noreturn]] void Recusa(const QString& motivo) const;

private:
    const TTabelaDbf* m_tabela;
    int m_indice;
};

/// The source query: database name = the source folder, SQL text = "SELECT * FROM <TABLE>"
/// (blanks free, any case). Records come in file order, deleted ones skipped. Owns the open table.
class TQueryOrigem {
public:
    TQueryOrigem();
    ~TQueryOrigem();
    TQueryOrigem(const TQueryOrigem&) = delete;
    TQueryOrigem& operator=(const TQueryOrigem&) = delete;

    void SetNomeBanco(const QString& pasta);
    const QString& NomeBanco() const;
    void LimpaSQL();
    void SetSQL(const QString& sql);
    const QString& SQL() const;
    /// The code page every table is read in, whatever each declares; empty: each table's own.
    /// Takes effect at the next Abre.
    void SetPaginaCodigo(std::optional<PaginaCodigo> pagina) { m_pagina = pagina; }

    /// Opens the table the SQL names and positions on the first live record. Raises EConversao
    /// naming the table and folder for any other text, a missing table or an unreadable file.
    void Abre();
    void Fecha();
    bool Aberta() const;

    bool Eof() const;
    void Proximo();
    void Primeiro();
    void Ultimo();
    /// Positions on the first live record numbered `registro` or later; Eof when there is none.
    void VaiPara(qint64 registro);
    /// Number of live (not deleted) records.
    int QuantRegistros() const;
    /// The current record's number in the file (deleted records counted), as errors name it.
    qint64 NumeroRegistro() const;
    /// What the reader worked around when it opened the table (fewer records than declared, a code
    /// page it could not tell, ...), one sentence each; empty when closed.
    QStringList Avisos() const;
    /// The open table itself (its counts, code page, fields), owned by the query; null when closed.
    const TTabelaDbf* Tabela() const { return m_tabela.get(); }

    /// A field of the current record; raises EConversao naming the field and table when absent.
    TCampoOrigem CampoPorNome(const QString& nome) const;
    /// The same for a name written in the code, found without building a QString each record.
    TCampoOrigem CampoPorNome(QLatin1StringView nome) const;

private:
    QString m_pasta;
    QString m_sql;
    std::optional<PaginaCodigo> m_pagina;
    std::unique_ptr<TTabelaDbf> m_tabela;
};
