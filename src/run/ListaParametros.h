#pragma once

#include <QString>
#include <QStringList>

/// A list of text lines read as name=value pairs (a line without '=' has no value), as the
/// window builds it for a run. Names are matched without regard to case.
class TListaParametros {
public:
    void Adiciona(const QString& linha) { m_linhas.append(linha); }
    /// The value stored under the name, or "" when no line "name=..." exists.
    QString Valor(const QString& nome) const;
    /// Replaces the value of the first line "name=..."; appends "name=valor" when there is none.
    void SetValor(const QString& nome, const QString& valor);
    const QStringList& Linhas() const { return m_linhas; }

private:
    int IndiceDoNome(const QString& nome) const;
    QStringList m_linhas;
};

/// The kinds of records ticked for a run.
struct TTiposMarcados {
    bool vendedores = false;
    bool clientes = false;
    bool fornecedores = false;
    bool gruposProdutos = false;
    bool produtos = false;
};

/// The seven bare lines every run's list starts with.
void IniciaListaParametros(TListaParametros& params);
/// One "KEY=S" line per ticked kind, in the order of the window's boxes
/// (sellers, customers, suppliers, products, product groups).
void CarregaParametros(TListaParametros& params, const TTiposMarcados& marcados);
