#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <vector>

/// A distinct value of a column and how many records hold it.
struct TValorContado {
    QString valor;
    qint64 quantidade = 0;
};

/// A change log on disk (see FormatoCsv.h), read without loading it: one pass notes where each
/// record starts and ends and its kind and what happened (as CategoriaAlteracao groups it); a
/// record's fields are read from the file when asked for. Keeps the file open while it lives.
class TIndiceAlteracoes {
public:
    /// Throws EConversao naming the file when it cannot be read or is not a change log.
    explicit TIndiceAlteracoes(const QString& caminho);

    const QString& Caminho() const { return m_caminho; }
    /// The header's names: the change log's columns, with the class of a problem when it has it.
    const QStringList& Colunas() const { return m_colunas; }
    qint64 Quantidade() const { return static_cast<qint64>(m_inicio.size()); }
    /// The fields of record `indice` (from 0), one per column, read from the file now; empty when the
    /// file can no longer be read.
    QStringList Registro(qint64 indice) const;

    /// The kinds and the categories of what happened, in the order they first appear.
    const std::vector<TValorContado>& Tipos() const { return m_tipos; }
    const std::vector<TValorContado>& Categorias() const { return m_categorias; }
    /// The records, in file order, of that kind and that category (positions in Tipos() and
    /// Categorias()); -1 takes any.
    std::vector<qint64> Filtra(int tipo, int categoria) const;

    /// Writes the header and these records, byte for byte as they are here, to `destino`, which is
    /// replaced whole or left as it was. Throws EConversao when it cannot.
    void Grava(const QString& destino, const std::vector<qint64>& registros) const;

private:
    friend class TVarreduraAlteracoes;
    void Indexa();
    QByteArray Bytes(qint64 inicio, qint64 fim) const;

    QString m_caminho;
    mutable QFile m_arquivo;
    QStringList m_colunas;
    qint64 m_inicioCabecalho = -1;
    qint64 m_fimCabecalho = -1;
    std::vector<qint64> m_inicio; // of each record; its line end is not part of it
    std::vector<qint64> m_fim;
    std::vector<qint32> m_tipo; // position in m_tipos
    std::vector<qint32> m_categoria;
    std::vector<TValorContado> m_tipos;
    std::vector<TValorContado> m_categorias;
};
