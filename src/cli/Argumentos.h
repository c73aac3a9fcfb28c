#pragma once

#include "PaginaCodigo.h"

#include <QStringList>

#include <optional>

/// Walks a subcommand's arguments, the option names and the values that follow them.
class TArgumentos {
public:
    explicit TArgumentos(const QStringList& argumentos) : m_argumentos(argumentos) {}

    bool Fim() const { return m_posicao >= m_argumentos.size(); }
    const QString& Proximo() { return m_argumentos[m_posicao++]; }
    /// Takes the value after the option just read. A value that looks like an option is one the
    /// user forgot ("--resumo --clientes"): false, as when there is none.
    bool Valor(QString& destino);
    /// The page `--pagina-codigo` names; on none or an unknown name, `erro` says what it takes.
    std::optional<PaginaCodigo> ValorPaginaCodigo(QString& erro);

private:
    const QStringList& m_argumentos;
    qsizetype m_posicao = 0;
};

/// The kind a switch names ("--grupos-produtos" → "GRUPOSPRODUTOS"), empty when it names none.
QString ChaveDoTipo(const QString& opcao);
