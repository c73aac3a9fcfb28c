#pragma once

#include "TConexaoDestino.h"

#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

/// A fresh test target database (our schema) in its own temporary folder, removed at the end.
class TBancoTemporario {
public:
    TBancoTemporario();

    const QString& Caminho() const { return m_caminho; }
    QString Pasta() const { return m_pasta.path(); }

    /// A new open connection on the database.
    std::unique_ptr<TConexaoDestino> Conecta() const;

    /// Runs a select on a connection of its own and returns every row, each column read as
    /// text by its name; "<NULL>" stands for a NULL.
    std::vector<QMap<QString, QString>> Linhas(const QString& sql) const;
    /// The first column of the first row, as text ("" when there is no row).
    QString Valor(const QString& sql) const;
    /// Executes a statement on a connection of its own and commits it.
    void Executa(const QString& sql) const;

private:
    QTemporaryDir m_pasta;
    QString m_caminho;
};
