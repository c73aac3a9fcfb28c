#include "ListaParametros.h"

int TListaParametros::IndiceDoNome(const QString& nome) const {
    for (int i = 0; i < m_linhas.size(); ++i) {
        const int igual = m_linhas[i].indexOf(QLatin1Char('='));
        if (igual >= 0 && QStringView(m_linhas[i]).left(igual).compare(nome, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

QString TListaParametros::Valor(const QString& nome) const {
    const int i = IndiceDoNome(nome);
    return i < 0 ? QString() : m_linhas[i].mid(m_linhas[i].indexOf(QLatin1Char('=')) + 1);
}

void TListaParametros::SetValor(const QString& nome, const QString& valor) {
    const QString linha = nome + QLatin1Char('=') + valor;
    const int i = IndiceDoNome(nome);
    if (i < 0) {
        m_linhas.append(linha);
    } else {
        m_linhas[i] = linha;
    }
}

void IniciaListaParametros(TListaParametros& params) {
    for (const char* nome : {"VENDEDORES", "CLIENTES", "FORNECEDORES", "GRUPOSPRODUTOS", "PRODUTOS",
                             "CAMINHO BD DESTINO", "CAMINHO BD ORIGEM"}) {
        params.Adiciona(QLatin1String(nome));
    }
}

void CarregaParametros(TListaParametros& params, const TTiposMarcados& marcados) {
    const QString sim = QStringLiteral("S");
    if (marcados.vendedores) {
        params.SetValor(QStringLiteral("VENDEDORES"), sim);
    }
    if (marcados.clientes) {
        params.SetValor(QStringLiteral("CLIENTES"), sim);
    }
    if (marcados.fornecedores) {
        params.SetValor(QStringLiteral("FORNECEDORES"), sim);
    }
    if (marcados.produtos) {
        params.SetValor(QStringLiteral("PRODUTOS"), sim);
    }
    if (marcados.gruposProdutos) {
        params.SetValor(QStringLiteral("GRUPOSPRODUTOS"), sim);
    }
}
